#pragma once
// Kills a writer at random points of its saves, many times over. Every kind of file the
// program replaces must then hold one whole version (the old one or a new one, never a mix),
// and what a killed writer left behind must go with the next save. The writers are forked
// children, so the killing itself is POSIX-only; the helpers for leftovers serve everywhere.

#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <thread>

namespace bp::test {

// A process number that belongs to no running process: a child that has ended.
inline int endedProcessId() {
#ifdef _WIN32
    wchar_t system[MAX_PATH];
    UINT length = ::GetSystemDirectoryW(system, MAX_PATH);
    std::wstring shell = std::wstring(system, length) + L"\\cmd.exe";
    std::wstring line = L"cmd.exe /c exit 0";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(shell.c_str(), line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                          nullptr, nullptr, &startup, &info)) {
        ADD_FAILURE() << "cmd.exe did not start";
        return 0;
    }
    ::WaitForSingleObject(info.hProcess, INFINITE);
    // The process object goes with the last handle to it.
    ::CloseHandle(info.hThread);
    ::CloseHandle(info.hProcess);
    return static_cast<int>(info.dwProcessId);
#else
    pid_t child = ::fork();
    if (child == 0) {
        ::_exit(0);
    }
    ::waitpid(child, nullptr, 0);
    return static_cast<int>(child);
#endif
}

// The temporary files a writer left in `folder` (SaveFile's naming).
inline int temporariesIn(const std::filesystem::path& folder) {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().filename().string().find(".bptmp") != std::string::npos) {
            ++count;
        }
    }
    return count;
}

#ifndef _WIN32

struct KillRounds {
    int rounds = 200;
    // The temporary files one killed save can leave (a save that stages in two files, two).
    int leftovers = 1;
    // Saves one version of the file (the child calls it for first, first + 1, ... until it is
    // killed).
    std::function<void(long version)> save;
    // Runs after each kill: the version the file holds now, after asserting it is whole.
    std::function<long()> versionOnDisk;
};

// How long a few saves take here: the children live up to a few saves' time, so kills land
// both inside the first save and after whole ones, however fast the disk is.
inline std::chrono::microseconds lifeSpan(const KillRounds& rounds) {
    auto start = std::chrono::steady_clock::now();
    for (long version = 1; version <= 3; ++version) {
        rounds.save(version);
    }
    auto three = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - start);
    return std::max(std::chrono::microseconds(2000), three * 4 / 3);
}

// Returns how many kills found a version newer than the one before: proof that the writer
// got through whole saves and was not only ever killed inside its first. While fewer than
// one kill in five found a newer version, the next writers get a little longer, up to sixteen
// times the measured span: a machine busy with other work, where a fork and the first save
// take longer than the measure, still sees whole saves.
inline int killDuringSaves(const KillRounds& rounds, const std::filesystem::path& folder) {
    std::mt19937 random(20261206);
    const std::chrono::microseconds measured = lifeSpan(rounds);
    std::chrono::microseconds span = measured;
    long last = rounds.versionOnDisk();
    int advanced = 0;
    for (int round = 0; round < rounds.rounds; ++round) {
        pid_t child = ::fork();
        if (child < 0) {
            ADD_FAILURE() << "fork failed";
            return advanced;
        }
        if (child == 0) {
            try {
                for (long version = (round + 1) * 1000000L;; ++version) {
                    rounds.save(version);
                }
            } catch (...) {
            }
            ::_exit(3);
        }
        std::uniform_int_distribution<long> life(0, span.count());
        std::this_thread::sleep_for(std::chrono::microseconds(life(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        if (!WIFSIGNALED(status)) {
            ADD_FAILURE() << "the writer stopped by itself, status " << status;
            return advanced;
        }
        long now = rounds.versionOnDisk();
        if (::testing::Test::HasFailure()) {
            ADD_FAILURE() << "after kill " << round;
            return advanced;
        }
        advanced += now != last ? 1 : 0;
        if (advanced * 5 < round + 1) {
            span = std::min(span + span / 8, measured * 16);
        }
        last = now;
        // Each save removes what the writers killed before it left: only the last one's remain.
        EXPECT_LE(temporariesIn(folder), rounds.leftovers) << "after kill " << round;
    }
    return advanced;
}

#endif

}  // namespace bp::test
