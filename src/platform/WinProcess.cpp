#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "platform/CommandLine.h"
#include "platform/Process.h"
#include "platform/WinText.h"

namespace bp::platform {

namespace {

bool isProgramFile(const std::string& path) {
    DWORD attributes = ::GetFileAttributesW(toWide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool hasExtension(const std::string& program) {
    std::size_t dot = program.rfind('.');
    return dot != std::string::npos && program.find_first_of("/\\", dot) == std::string::npos;
}

// The path itself, else with one of the extensions Windows runs without being told.
std::optional<std::string> executableAt(const std::string& path) {
    if (isProgramFile(path)) {
        return path;
    }
    if (!hasExtension(path)) {
        for (const char* extension : {".exe", ".com", ".bat", ".cmd"}) {
            if (isProgramFile(path + extension)) {
                return path + extension;
            }
        }
    }
    return std::nullopt;
}

std::wstring commandLine(const std::string& program, const std::vector<std::string>& args) {
    std::vector<std::string> all{program};
    all.insert(all.end(), args.begin(), args.end());
    return toWide(windowsCommandLine(all));
}

HANDLE nullDevice(DWORD access) {
    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    return ::CreateFileW(L"NUL", access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                         OPEN_EXISTING, 0, nullptr);
}

// Started suspended inside a job, so a time limit ends whatever the program started too.
struct Child {
    PROCESS_INFORMATION info{};
    HANDLE job = nullptr;
    ~Child() {
        for (HANDLE handle : {info.hThread, info.hProcess, job}) {
            if (handle != nullptr) {
                ::CloseHandle(handle);
            }
        }
    }
};

bool startInJob(const std::string& program, const std::vector<std::string>& args, Child& child) {
    HANDLE input = nullDevice(GENERIC_READ);
    HANDLE output = nullDevice(GENERIC_WRITE);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input;
    startup.hStdOutput = output;
    startup.hStdError = output;
    std::wstring line = commandLine(program, args);
    bool started = ::CreateProcessW(toWide(program).c_str(), line.data(), nullptr, nullptr, TRUE,
                                    CREATE_SUSPENDED | CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                                    &child.info);
    for (HANDLE handle : {input, output}) {
        if (handle != INVALID_HANDLE_VALUE) {
            ::CloseHandle(handle);
        }
    }
    if (!started) {
        return false;
    }
    child.job = ::CreateJobObjectW(nullptr, nullptr);
    if (child.job != nullptr && !::AssignProcessToJobObject(child.job, child.info.hProcess)) {
        ::CloseHandle(std::exchange(child.job, nullptr));
    }
    ::ResumeThread(child.info.hThread);
    return true;
}

}  // namespace

std::optional<std::string> findOnPath(const std::string& program) {
    if (program.find_first_of("/\\:") != std::string::npos) {
        return executableAt(program);
    }
    const wchar_t* path = ::_wgetenv(L"PATH");
    std::string folders = path != nullptr ? toUtf8(path) : std::string();
    std::string_view rest = folders;
    while (!rest.empty()) {
        std::size_t semicolon = rest.find(';');
        std::string folder(rest.substr(0, semicolon));
        if (!folder.empty()) {
            if (std::optional<std::string> found = executableAt(folder + "\\" + program)) {
                return found;
            }
        }
        rest.remove_prefix(semicolon == std::string_view::npos ? rest.size() : semicolon + 1);
    }
    return std::nullopt;
}

bool startDetached(const std::string& program, const std::vector<std::string>& args,
                   const std::string& workingFolder) {
    std::optional<std::string> executable = executableAt(program);
    if (!executable) {
        return false;
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::wstring line = commandLine(*executable, args);
    std::wstring folder = toWide(workingFolder);
    if (!::CreateProcessW(toWide(*executable).c_str(), line.data(), nullptr, nullptr, FALSE,
                          DETACHED_PROCESS | CREATE_NEW_PROCESS_GROUP, nullptr,
                          folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
        return false;
    }
    ::CloseHandle(info.hThread);
    ::CloseHandle(info.hProcess);
    return true;
}

RunOutcome runAndWait(const std::vector<std::string>& arguments, std::chrono::milliseconds limit) {
    if (arguments.empty()) {
        return RunOutcome::NotStarted;
    }
    std::optional<std::string> program = findOnPath(arguments[0]);
    Child child;
    if (!program || !startInJob(*program, {arguments.begin() + 1, arguments.end()}, child)) {
        return RunOutcome::NotStarted;
    }
    auto wait = std::min<std::chrono::milliseconds::rep>(limit.count(), INFINITE - 1);
    if (::WaitForSingleObject(child.info.hProcess, static_cast<DWORD>(wait)) == WAIT_TIMEOUT) {
        if (child.job == nullptr || !::TerminateJobObject(child.job, 1)) {
            ::TerminateProcess(child.info.hProcess, 1);
        }
        ::WaitForSingleObject(child.info.hProcess, INFINITE);
        return RunOutcome::TimedOut;
    }
    DWORD code = 1;
    ::GetExitCodeProcess(child.info.hProcess, &code);
    return code == 0 ? RunOutcome::Succeeded : RunOutcome::Failed;
}

}  // namespace bp::platform
