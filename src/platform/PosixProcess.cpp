#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string_view>
#include <thread>

#include "platform/Process.h"

namespace bp::platform {
namespace {

std::vector<char*> argvOf(const std::string& program, const std::vector<std::string>& args) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    return argv;
}

void redirect(int fd, int flags) {
    int devnull = ::open("/dev/null", flags);
    if (devnull >= 0) {
        ::dup2(devnull, fd);
    }
}

// The grandchild runs the program; the child ends at once so the program is nobody's zombie.
// Only async-signal-safe calls after the fork: everything was prepared before.
[[noreturn]] void runDetached(const char* program, char* const* argv, const char* folder) {
    ::setsid();
    pid_t grandchild = ::fork();
    if (grandchild == 0) {
        if (*folder != '\0') {
            [[maybe_unused]] int ignored = ::chdir(folder);
        }
        redirect(STDIN_FILENO, O_RDONLY);
        ::execv(program, argv);
        ::_exit(127);
    }
    ::_exit(grandchild < 0 ? 1 : 0);
}

// In its own process group, so a time limit ends whatever it started too. A failed exec is
// told through `report`, which closes by itself when the exec succeeds.
[[noreturn]] void runChild(const char* program, char* const* argv, int report) {
    ::setpgid(0, 0);
    redirect(STDIN_FILENO, O_RDONLY);
    redirect(STDOUT_FILENO, O_WRONLY);
    redirect(STDERR_FILENO, O_WRONLY);
    ::execv(program, argv);
    int error = errno;
    [[maybe_unused]] ssize_t n = ::write(report, &error, sizeof error);
    ::_exit(127);
}

int waitFor(pid_t child) {
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

// The child's status, or nullopt when it still runs at the limit.
std::optional<int> waitUntil(pid_t child, std::chrono::steady_clock::time_point deadline) {
    auto pause = std::chrono::milliseconds(5);
    for (;;) {
        int status = 0;
        pid_t done = ::waitpid(child, &status, WNOHANG);
        if (done == child || (done < 0 && errno != EINTR)) {
            return status;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::milliseconds(100));
    }
}

}  // namespace

std::optional<std::string> findOnPath(const std::string& program) {
    if (program.find('/') != std::string::npos) {
        return ::access(program.c_str(), X_OK) == 0 ? std::optional(program) : std::nullopt;
    }
    const char* path = std::getenv("PATH");
    std::string_view folders = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
    while (!folders.empty()) {
        std::size_t colon = folders.find(':');
        std::string candidate(folders.substr(0, colon));
        if (!candidate.empty()) {
            candidate += "/" + program;
            if (::access(candidate.c_str(), X_OK) == 0) {
                return candidate;
            }
        }
        folders.remove_prefix(colon == std::string_view::npos ? folders.size() : colon + 1);
    }
    return std::nullopt;
}

bool startDetached(const std::string& program, const std::vector<std::string>& args,
                   const std::string& workingFolder) {
    if (::access(program.c_str(), X_OK) != 0) {
        return false;
    }
    std::vector<char*> argv = argvOf(program, args);
    pid_t child = ::fork();
    if (child < 0) {
        return false;
    }
    if (child == 0) {
        runDetached(program.c_str(), argv.data(), workingFolder.c_str());
    }
    int status = waitFor(child);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

RunOutcome runAndWait(const std::vector<std::string>& arguments, std::chrono::milliseconds limit) {
    if (arguments.empty()) {
        return RunOutcome::NotStarted;
    }
    std::optional<std::string> program = findOnPath(arguments[0]);
    if (!program) {
        return RunOutcome::NotStarted;
    }
    std::vector<std::string> args(arguments.begin() + 1, arguments.end());
    std::vector<char*> argv = argvOf(*program, args);
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) {
        return RunOutcome::NotStarted;
    }
    auto deadline = std::chrono::steady_clock::now() + limit;
    pid_t child = ::fork();
    if (child == 0) {
        runChild(program->c_str(), argv.data(), report[1]);
    }
    if (child > 0) {
        ::setpgid(child, child);  // also here, so a kill at the limit cannot come before it
    }
    ::close(report[1]);
    int execError = 0;
    bool notStarted = child < 0 || ::read(report[0], &execError, sizeof execError) > 0;
    ::close(report[0]);
    if (child < 0) {
        return RunOutcome::NotStarted;
    }
    std::optional<int> status = notStarted ? waitFor(child) : waitUntil(child, deadline);
    if (!status) {
        ::kill(-child, SIGKILL);
        waitFor(child);
        return RunOutcome::TimedOut;
    }
    if (notStarted) {
        return RunOutcome::NotStarted;
    }
    return WIFEXITED(*status) && WEXITSTATUS(*status) == 0 ? RunOutcome::Succeeded
                                                           : RunOutcome::Failed;
}

}  // namespace bp::platform
