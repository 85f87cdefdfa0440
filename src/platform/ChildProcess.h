#pragma once
// A program started to work for this one while it waits: the program's standard output comes
// back through a pipe, read without blocking, and its standard input is a pipe this side
// holds open while the work may go on. Closing it is how the program is asked to stop. Its
// standard error is this program's own. The implementations are PosixChildProcess.cpp and
// WinChildProcess.cpp.

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace bp::platform {

class ChildProcess {
public:
    ChildProcess();
    // A program still running is asked to stop, given a few seconds, then ended.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // False when `program` (a path) could not be started. `args` follow argv[0].
    bool start(const std::string& program, const std::vector<std::string>& args,
               const std::string& workingFolder);
    // What it wrote since the last call; waits at most `wait` when nothing is there yet.
    std::string read(std::chrono::milliseconds wait);
    // Closes its standard input: the end of what it may read.
    void closeInput();
    // Its exit status once it has ended (-1 when ended by a signal), nullopt while it runs.
    std::optional<int> exitStatus();
    // Ends it at once and waits for that.
    void kill();

private:
    struct Handles;
    std::unique_ptr<Handles> handles_;
};

}  // namespace bp::platform
