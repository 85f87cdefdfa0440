#include "filter/LiveCount.h"

namespace bp::filter {

LiveCount::LiveCount() : worker_([this] { work(); }) {}

LiveCount::~LiveCount() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    worker_.join();
}

void LiveCount::start(std::shared_ptr<const HostSnapshot> snapshot, std::string programFolder,
                      criteria::Criteria criteria) {
    {
        std::lock_guard lock(mutex_);
        ++generation_;
        wanted_ = generation_;
        job_ = Job{generation_, std::move(snapshot), std::move(programFolder), std::move(criteria)};
        result_.reset();
        handedOut_ = false;
    }
    wake_.notify_all();
}

std::optional<SelectionCount> LiveCount::take() {
    std::lock_guard lock(mutex_);
    if (resultGeneration_ != generation_ || !result_) {
        return std::nullopt;
    }
    std::optional<SelectionCount> taken = std::move(result_);
    result_.reset();
    handedOut_ = true;
    return taken;
}

bool LiveCount::counting() const {
    std::lock_guard lock(mutex_);
    return generation_ != 0 && resultGeneration_ != generation_;
}

std::optional<SelectionCount> LiveCount::wait() {
    std::unique_lock lock(mutex_);
    if (generation_ == 0 || handedOut_) {
        return std::nullopt;
    }
    ready_.wait(lock, [this] { return resultGeneration_ == generation_ && result_; });
    std::optional<SelectionCount> count = std::move(result_);
    result_.reset();
    handedOut_ = true;
    return count;
}

// Nothing may leave the worker thread: a failure the filter engine did not report itself
// (memory running out) is answered as a failed count.
SelectionCount LiveCount::countOff(Job& job, const std::function<bool()>& dropped) {
    try {
        return countSelection(std::move(job.snapshot), job.programFolder, job.criteria, dropped);
    } catch (const std::exception& e) {
        SelectionCount failed;
        failed.outcome = SelectionCount::Outcome::Failed;
        failed.message = std::string("The count stopped: ") + e.what();
        return failed;
    }
}

void LiveCount::work() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || job_; });
        if (stopping_) {
            return;
        }
        Job job = std::move(*job_);
        job_.reset();
        lock.unlock();
        auto dropped = [this, generation = job.generation] {
            return stopping_ || wanted_ != generation;
        };
        SelectionCount count = countOff(job, dropped);
        lock.lock();
        if (job.generation == generation_) {
            result_ = std::move(count);
            resultGeneration_ = job.generation;
            ready_.notify_all();
        }
    }
}

}  // namespace bp::filter
