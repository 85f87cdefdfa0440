#pragma once
// Runs a built program with its standard output and standard error on a pseudo-terminal, as
// a user at a terminal starts it, and gives back its exit status and what the terminal showed.
// POSIX systems only.

#ifndef _WIN32
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "support/RunProgram.h"

namespace bp::test {

inline ProgramResult runOnTerminal(const std::string& program,
                                   const std::vector<std::string>& args) {
    ProgramResult result;
    int master = -1;
    int slave = -1;
    if (::openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) {
        return result;
    }
    std::vector<std::string> words{program};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(master);
        ::dup2(slave, STDOUT_FILENO);
        ::dup2(slave, STDERR_FILENO);
        ::close(slave);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    ::close(slave);
    // Reading ends with EIO once the program and everything it started have let go.
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(master, buffer, sizeof buffer);
        if (got > 0) {
            result.output.append(buffer, static_cast<std::size_t>(got));
        } else if (got < 0 && errno == EINTR) {
            continue;
        } else {
            break;
        }
    }
    ::close(master);
    int status = 0;
    if (child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status)) {
        result.exitCode = WEXITSTATUS(status);
    }
    return result;
}

}  // namespace bp::test
#endif
