#include "platform/InterruptWatch.h"

#include <atomic>

namespace bp::platform {
namespace {

// Written from a signal handler (or a console's handler thread on Windows): only a lock-free
// atomic may be touched there.
std::atomic<bool> interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free);

}  // namespace

InterruptWatch::InterruptWatch() {
    clear();
    install();
}

InterruptWatch::~InterruptWatch() {
    restore();
    clear();
}

bool InterruptWatch::requested() noexcept {
    return interrupted.load(std::memory_order_relaxed);
}

void InterruptWatch::note() noexcept {
    interrupted.store(true, std::memory_order_relaxed);
}

void InterruptWatch::clear() noexcept {
    interrupted.store(false, std::memory_order_relaxed);
}

}  // namespace bp::platform
