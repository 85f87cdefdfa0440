#pragma once
// Runs a built program and presses Ctrl+C while it works, as a person at a terminal does, or
// sends it SIGINT when its output goes to a pipe; gives back its exit status and output.
// POSIX systems only.

#ifndef _WIN32
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <string>
#include <vector>

#include "support/RunProgram.h"

namespace bp::test {

namespace detail {

inline std::vector<char*> argvOf(std::vector<std::string>& words) {
    std::vector<char*> argv;
    for (auto& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    return argv;
}

// The process has its own SIGINT handler in place (SigCgt in /proc/PID/status).
inline bool catchesInterrupt(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with("SigCgt:")) {
            const unsigned long long mask = std::stoull(line.substr(7), nullptr, 16);
            return (mask >> (SIGINT - 1)) & 1u;
        }
    }
    return false;
}

inline void readAll(int fd, std::string& into, const std::string& until, bool& seen) {
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got > 0) {
            into.append(buffer, static_cast<std::size_t>(got));
            if (!seen && into.find(until) != std::string::npos) {
                return;
            }
        } else if (got < 0 && errno == EINTR) {
            continue;
        } else {
            return;
        }
    }
}

inline int exitStatus(pid_t child) {
    int status = 0;
    if (child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status)) {
        return WEXITSTATUS(status);
    }
    return -1;
}

}  // namespace detail

// On a terminal of its own (the program leads its session), Ctrl+C is typed once `shown`
// appears in its output.
inline ProgramResult interruptOnTerminal(const std::string& program,
                                         const std::vector<std::string>& args,
                                         const std::string& shown) {
    ProgramResult result;
    std::vector<std::string> words{program};
    words.insert(words.end(), args.begin(), args.end());
    auto argv = detail::argvOf(words);
    int master = -1;
    const pid_t child = ::forkpty(&master, nullptr, nullptr, nullptr);
    if (child == 0) {
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    if (child < 0) {
        return result;
    }
    bool seen = false;
    detail::readAll(master, result.output, shown, seen);
    if (result.output.find(shown) != std::string::npos) {
        seen = true;
        const char ctrlC = '\x03';
        (void)!::write(master, &ctrlC, 1);
        detail::readAll(master, result.output, shown, seen);
    }
    ::close(master);
    result.exitCode = detail::exitStatus(child);
    return result;
}

// Output to a pipe: SIGINT is sent as soon as the program has its handler in place.
inline ProgramResult interruptPiped(const std::string& program,
                                    const std::vector<std::string>& args) {
    ProgramResult result;
    std::vector<std::string> words{program};
    words.insert(words.end(), args.begin(), args.end());
    auto argv = detail::argvOf(words);
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) {
        return result;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        ::dup2(pipeEnds[1], STDOUT_FILENO);
        ::dup2(pipeEnds[1], STDERR_FILENO);
        ::close(pipeEnds[1]);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    ::close(pipeEnds[1]);
    if (child < 0) {
        ::close(pipeEnds[0]);
        return result;
    }
    while (!detail::catchesInterrupt(child)) {
        int status = 0;
        if (::waitpid(child, &status, WNOHANG) == child) {
            ::close(pipeEnds[0]);
            return result;  // it ended before it could be interrupted
        }
        ::usleep(200);
    }
    ::kill(child, SIGINT);
    bool seen = true;
    detail::readAll(pipeEnds[0], result.output, "", seen);
    ::close(pipeEnds[0]);
    result.exitCode = detail::exitStatus(child);
    return result;
}

}  // namespace bp::test
#endif
