#include "act/standin/ServerModule.h"

#include <atomic>
#include <mutex>

namespace bp::standin {

namespace {

std::atomic<long> objects{0};
std::atomic<long> locks{0};

struct SharedHost {
    std::mutex mutex;
    std::weak_ptr<sim::SimHost> host;
};

SharedHost& sharedHost() {
    static SharedHost shared;
    return shared;
}

}  // namespace

void ServerModule::objectCreated() {
    ++objects;
}

void ServerModule::objectDestroyed() {
    --objects;
}

void ServerModule::lock() {
    ++locks;
}

void ServerModule::unlock() {
    --locks;
}

bool ServerModule::canUnload() {
    return objects == 0 && locks == 0;
}

std::shared_ptr<sim::SimHost> ServerModule::host() {
    SharedHost& shared = sharedHost();
    const std::lock_guard guard(shared.mutex);
    std::shared_ptr<sim::SimHost> running = shared.host.lock();
    if (!running) {
        running = std::make_shared<sim::SimHost>(sim::SimHost::defaultPath());
        shared.host = running;
    }
    return running;
}

std::recursive_mutex& ServerModule::hostCalls() {
    static std::recursive_mutex calls;
    return calls;
}

}  // namespace bp::standin
