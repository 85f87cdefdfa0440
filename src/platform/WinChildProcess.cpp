#include <windows.h>

#include <algorithm>

#include "platform/ChildProcess.h"
#include "platform/CommandLine.h"
#include "platform/WinText.h"

namespace bp::platform {

struct ChildProcess::Handles {
    HANDLE process = nullptr;
    HANDLE input = nullptr;   // the write end of its standard input
    HANDLE output = nullptr;  // the read end of its standard output
    std::optional<int> status;
};

namespace {

void closeHandle(HANDLE& handle) {
    if (handle != nullptr && handle != INVALID_HANDLE_VALUE) {
        ::CloseHandle(handle);
    }
    handle = nullptr;
}

// A pipe whose end `inherited` (0 the read end, 1 the write end) the program gets.
bool makePipe(HANDLE ends[2], int inherited) {
    SECURITY_ATTRIBUTES attributes{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    if (!::CreatePipe(&ends[0], &ends[1], &attributes, 0)) {
        return false;
    }
    ::SetHandleInformation(ends[1 - inherited], HANDLE_FLAG_INHERIT, 0);
    return true;
}

}  // namespace

ChildProcess::ChildProcess() : handles_(std::make_unique<Handles>()) {}

ChildProcess::~ChildProcess() {
    closeInput();
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (handles_->process != nullptr && !exitStatus() &&
           std::chrono::steady_clock::now() < deadline) {
        read(std::chrono::milliseconds(20));  // a program blocked on a full pipe could not end
    }
    if (handles_->process != nullptr && !exitStatus()) {
        kill();
    }
    closeHandle(handles_->output);
    closeHandle(handles_->process);
}

bool ChildProcess::start(const std::string& program, const std::vector<std::string>& args,
                         const std::string& workingFolder) {
    HANDLE in[2] = {nullptr, nullptr};
    HANDLE out[2] = {nullptr, nullptr};
    if (!makePipe(in, 0) || !makePipe(out, 1)) {
        for (HANDLE* handle : {&in[0], &in[1], &out[0], &out[1]}) {
            closeHandle(*handle);
        }
        return false;
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in[0];
    startup.hStdOutput = out[1];
    startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    std::vector<std::string> all{program};
    all.insert(all.end(), args.begin(), args.end());
    std::wstring line = toWide(windowsCommandLine(all));
    std::wstring folder = toWide(workingFolder);
    PROCESS_INFORMATION info{};
    bool started = ::CreateProcessW(toWide(program).c_str(), line.data(), nullptr, nullptr, TRUE,
                                    CREATE_NO_WINDOW, nullptr,
                                    folder.empty() ? nullptr : folder.c_str(), &startup, &info);
    // The program's ends are its own now: with ours closed, its end of output is seen here.
    closeHandle(in[0]);
    closeHandle(out[1]);
    if (!started) {
        closeHandle(in[1]);
        closeHandle(out[0]);
        return false;
    }
    ::CloseHandle(info.hThread);
    handles_->process = info.hProcess;
    handles_->input = in[1];
    handles_->output = out[0];
    handles_->status.reset();
    return true;
}

std::string ChildProcess::read(std::chrono::milliseconds wait) {
    std::string text;
    auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        DWORD available = 0;
        if (handles_->output != nullptr &&
            !::PeekNamedPipe(handles_->output, nullptr, 0, nullptr, &available, nullptr)) {
            closeHandle(handles_->output);  // every writer is gone
        }
        while (available > 0) {
            char buffer[4096];
            DWORD got = 0;
            DWORD wanted = std::min<DWORD>(available, sizeof buffer);
            if (!::ReadFile(handles_->output, buffer, wanted, &got, nullptr) || got == 0) {
                closeHandle(handles_->output);
                break;
            }
            text.append(buffer, got);
            available -= got;
        }
        auto now = std::chrono::steady_clock::now();
        if (!text.empty() || now >= deadline) {
            return text;
        }
        // A program that ended wrote everything it will: one more look, then no more waiting.
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now);
        DWORD slice = static_cast<DWORD>(std::min<long long>(left.count(), 10));
        if (handles_->process == nullptr ||
            ::WaitForSingleObject(handles_->process, slice) == WAIT_OBJECT_0) {
            deadline = now;
        }
    }
}

void ChildProcess::closeInput() {
    closeHandle(handles_->input);
}

std::optional<int> ChildProcess::exitStatus() {
    if (!handles_->status && handles_->process != nullptr &&
        ::WaitForSingleObject(handles_->process, 0) == WAIT_OBJECT_0) {
        DWORD code = 1;
        ::GetExitCodeProcess(handles_->process, &code);
        handles_->status = static_cast<int>(code);
    }
    return handles_->status;
}

void ChildProcess::kill() {
    if (handles_->process == nullptr || exitStatus()) {
        return;
    }
    ::TerminateProcess(handles_->process, 1);
    ::WaitForSingleObject(handles_->process, INFINITE);
    exitStatus();
}

}  // namespace bp::platform
