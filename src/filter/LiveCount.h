#pragma once
// Counts the criteria off the user-interface thread: start() hands the newest criteria to a
// worker thread and returns at once; a count still running for older criteria notices at its
// next look at its progress and is dropped, so only the newest criteria are ever answered.
// The window asks take() now and then (a timer) and shows the answer when there is one.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "criteria/Criteria.h"
#include "filter/HostSnapshot.h"
#include "filter/SelectionCount.h"

namespace bp::filter {

class LiveCount {
public:
    LiveCount();
    // Drops a count in progress and waits for the worker to stop.
    ~LiveCount();
    LiveCount(const LiveCount&) = delete;
    LiveCount& operator=(const LiveCount&) = delete;

    void start(std::shared_ptr<const HostSnapshot> snapshot, std::string programFolder,
               criteria::Criteria criteria);
    // The newest criteria's count once it is ready, handed out once.
    std::optional<SelectionCount> take();
    // The newest criteria are still being counted.
    bool counting() const;
    // Waits for the newest criteria's count and hands it out (tests, benchmarks); nothing when
    // no count was started or it was handed out already.
    std::optional<SelectionCount> wait();

private:
    struct Job {
        std::uint64_t generation = 0;
        std::shared_ptr<const HostSnapshot> snapshot;
        std::string programFolder;
        criteria::Criteria criteria;
    };
    void work();
    static SelectionCount countOff(Job& job, const std::function<bool()>& dropped);

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable ready_;
    std::optional<Job> job_;
    std::uint64_t generation_ = 0;
    std::atomic<std::uint64_t> wanted_{0};
    std::atomic<bool> stopping_{false};
    std::optional<SelectionCount> result_;
    std::uint64_t resultGeneration_ = 0;
    bool handedOut_ = false;  // the newest count's result was taken
    std::thread worker_;
};

}  // namespace bp::filter
