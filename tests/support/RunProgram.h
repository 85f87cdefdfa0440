#pragma once
// Runs a built program of this build as a user would start it, and gives back its exit status
// and everything it wrote (standard output and standard error together). The arguments go to
// the program exactly as given, with no shell in between, on Linux and on Windows alike.

#ifdef _WIN32
#include <windows.h>

#include "platform/CommandLine.h"
#include "platform/WinText.h"
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <string>
#include <vector>

namespace bp::test {

struct ProgramResult {
    // -1 when it could not be started or was ended by a signal (127 on Linux when the
    // program file could not be run, as a shell reports it).
    int exitCode = -1;
    std::string output;  // standard output and standard error together
};

// The path of a program in this build's program folder: `name` without ".exe".
inline std::string builtProgram(const std::string& name) {
#ifdef _WIN32
    return std::string(BRINDLEPATH_TEST_BIN_DIR) + "/" + name + ".exe";
#else
    return std::string(BRINDLEPATH_TEST_BIN_DIR) + "/" + name;
#endif
}

#ifdef _WIN32

// What the program writes until it ends. Reading up to the end of the pipe is not enough: a
// process the program starts in passing can inherit the pipe and outlive it (under Wine the
// desktop process, started by the first program of a session that needs a window), and the
// end of the output would never come.
inline std::string readUntilExit(HANDLE readEnd, HANDLE process) {
    std::string output;
    // What the pipe holds now: how much was read, or -1 once every writer is gone.
    const auto takeAvailable = [&]() -> long {
        DWORD available = 0;
        if (!::PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr)) {
            return -1;
        }
        long taken = 0;
        char buffer[4096];
        while (available > 0) {
            DWORD got = 0;
            const DWORD wanted = available < sizeof buffer ? available : DWORD{sizeof buffer};
            if (!::ReadFile(readEnd, buffer, wanted, &got, nullptr) || got == 0) {
                return -1;
            }
            output.append(buffer, got);
            available -= got;
            taken += static_cast<long>(got);
        }
        return taken;
    };
    for (long taken = takeAvailable(); taken >= 0; taken = takeAvailable()) {
        if (taken == 0 && ::WaitForSingleObject(process, 10) == WAIT_OBJECT_0) {
            takeAvailable();  // what it wrote last, without waiting for writers it left behind
            break;
        }
    }
    ::WaitForSingleObject(process, INFINITE);
    return output;
}

inline ProgramResult runProgram(const std::string& program, const std::vector<std::string>& args) {
    ProgramResult result;
    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!::CreatePipe(&readEnd, &writeEnd, &inherited, 0)) {
        return result;
    }
    ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    std::vector<std::string> all{program};
    all.insert(all.end(), args.begin(), args.end());
    std::wstring line = platform::toWide(platform::windowsCommandLine(all));
    PROCESS_INFORMATION info{};
    bool started = ::CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                    nullptr, &startup, &info);
    // Our copy of the write end must go, or the read below never sees the end of the output.
    ::CloseHandle(writeEnd);
    if (started) {
        result.output = readUntilExit(readEnd, info.hProcess);
        DWORD code = 0;
        ::GetExitCodeProcess(info.hProcess, &code);
        result.exitCode = static_cast<int>(code);
        ::CloseHandle(info.hThread);
        ::CloseHandle(info.hProcess);
    }
    ::CloseHandle(readEnd);
    return result;
}

#else

inline ProgramResult runProgram(const std::string& program, const std::vector<std::string>& args) {
    ProgramResult result;
    int fds[2];
    if (::pipe(fds) != 0) {
        return result;
    }
    std::vector<std::string> all{program};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : all) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    pid_t child = ::fork();
    if (child == 0) {
        ::dup2(fds[1], 1);
        ::dup2(fds[1], 2);
        ::close(fds[0]);
        ::close(fds[1]);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(fds[1]);
    char buffer[4096];
    ssize_t got = 0;
    while ((got = ::read(fds[0], buffer, sizeof buffer)) > 0) {
        result.output.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fds[0]);
    int status = 0;
    if (child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status)) {
        result.exitCode = WEXITSTATUS(status);
    }
    return result;
}

#endif

}  // namespace bp::test
