#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

#include "platform/ChildProcess.h"

namespace bp::platform {

struct ChildProcess::Handles {
    pid_t pid = -1;
    int input = -1;   // the write end of its standard input
    int output = -1;  // the read end of its standard output
    std::optional<int> status;
};

namespace {

void closeFd(int& fd) {
    if (fd >= 0) {
        ::close(fd);
    }
    fd = -1;
}

// Only async-signal-safe calls after the fork: everything was prepared before. A failed
// exec is told through `report`, which closes by itself when the exec succeeds.
[[noreturn]] void runChild(const char* program, char* const* argv, const char* folder, int in,
                           int out, int report) {
    ::dup2(in, STDIN_FILENO);
    ::dup2(out, STDOUT_FILENO);
    if (*folder != '\0' && ::chdir(folder) != 0) {
        int error = errno;
        [[maybe_unused]] ssize_t n = ::write(report, &error, sizeof error);
        ::_exit(127);
    }
    ::execv(program, argv);
    int error = errno;
    [[maybe_unused]] ssize_t n = ::write(report, &error, sizeof error);
    ::_exit(127);
}

int statusOf(int raw) {
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

}  // namespace

ChildProcess::ChildProcess() : handles_(std::make_unique<Handles>()) {}

ChildProcess::~ChildProcess() {
    closeInput();
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (handles_->pid > 0 && !exitStatus() && std::chrono::steady_clock::now() < deadline) {
        read(std::chrono::milliseconds(20));  // a program blocked on a full pipe could not end
    }
    if (handles_->pid > 0 && !exitStatus()) {
        kill();
    }
    closeFd(handles_->output);
}

bool ChildProcess::start(const std::string& program, const std::vector<std::string>& args,
                         const std::string& workingFolder) {
    std::vector<std::string> all{program};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : all) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    int in[2], out[2], report[2];
    if (::pipe2(in, O_CLOEXEC) != 0) {
        return false;
    }
    if (::pipe2(out, O_CLOEXEC) != 0) {
        ::close(in[0]), ::close(in[1]);
        return false;
    }
    if (::pipe2(report, O_CLOEXEC) != 0) {
        ::close(in[0]), ::close(in[1]), ::close(out[0]), ::close(out[1]);
        return false;
    }
    pid_t pid = ::fork();
    if (pid == 0) {
        runChild(argv[0], argv.data(), workingFolder.c_str(), in[0], out[1], report[1]);
    }
    ::close(in[0]), ::close(out[1]), ::close(report[1]);
    int execError = 0;
    ssize_t told = pid > 0 ? ::read(report[0], &execError, sizeof execError) : 0;
    ::close(report[0]);
    if (pid < 0 || told > 0) {
        ::close(in[1]), ::close(out[0]);
        if (pid > 0) {
            int raw = 0;
            while (::waitpid(pid, &raw, 0) < 0 && errno == EINTR) {
            }
        }
        return false;
    }
    ::fcntl(out[0], F_SETFL, ::fcntl(out[0], F_GETFL) | O_NONBLOCK);
    handles_->pid = pid;
    handles_->input = in[1];
    handles_->output = out[0];
    handles_->status.reset();
    return true;
}

std::string ChildProcess::read(std::chrono::milliseconds wait) {
    std::string text;
    if (handles_->output < 0) {
        std::this_thread::sleep_for(wait);  // nothing more can come: only the end is awaited
        return text;
    }
    pollfd watched{handles_->output, POLLIN, 0};
    if (::poll(&watched, 1, static_cast<int>(wait.count())) <= 0) {
        return text;
    }
    char buffer[4096];
    for (;;) {
        ssize_t got = ::read(handles_->output, buffer, sizeof buffer);
        if (got > 0) {
            text.append(buffer, static_cast<std::size_t>(got));
            continue;
        }
        if (got == 0 || (errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK)) {
            closeFd(handles_->output);  // every writer is gone
        }
        if (got == 0 || errno != EINTR) {
            return text;
        }
    }
}

void ChildProcess::closeInput() {
    closeFd(handles_->input);
}

std::optional<int> ChildProcess::exitStatus() {
    if (!handles_->status && handles_->pid > 0) {
        int raw = 0;
        pid_t done = ::waitpid(handles_->pid, &raw, WNOHANG);
        if (done == handles_->pid) {
            handles_->status = statusOf(raw);
        } else if (done < 0 && errno == ECHILD) {
            handles_->status = -1;
        }
    }
    return handles_->status;
}

void ChildProcess::kill() {
    if (handles_->pid <= 0 || exitStatus()) {
        return;
    }
    ::kill(handles_->pid, SIGKILL);
    int raw = 0;
    while (::waitpid(handles_->pid, &raw, 0) < 0 && errno == EINTR) {
    }
    handles_->status = statusOf(raw);
}

}  // namespace bp::platform
