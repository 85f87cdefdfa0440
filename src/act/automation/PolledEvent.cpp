#include "act/automation/PolledEvent.h"

#include "act/automation/ComFailure.h"

namespace bp::automation {

namespace {

// The failures that mean the host's process is gone, rather than that it refused the call.
bool hostIsGone(int number) {
    const auto code = static_cast<HRESULT>(number);
    return code == RPC_E_DISCONNECTED || code == CO_E_OBJNOTCONNECTED ||
           code == HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE);
}

}  // namespace

PolledEvent::PolledEvent(std::shared_ptr<AdapterContext> context, HostWatch::Clock clock)
    : context_(std::move(context)), watch_([this] { return IsHostRunning(); }, std::move(clock)) {}

int PolledEvent::Register(int /*flags*/) {
    watch_.start();
    return -1;
}

void PolledEvent::Unregister() {
    watch_.stop();
}

bool PolledEvent::IsHostRunning() {
    // Made once: making it again after the host ended could start the host anew.
    if (!appTried_) {
        appTried_ = true;
        try {
            app_ = std::make_unique<AppObject>(context_->factory("ACTOLE.APPOBJECT"), context_);
        } catch (const Error&) {
            app_.reset();
        }
    }
    if (!app_) {
        return false;
    }
    try {
        app_->IsDBOpen();
    } catch (const Error& error) {
        // Any other failure still came from a running host.
        return !hostIsGone(error.number());
    }
    return true;
}

void PolledEvent::poll() {
    if (watch_.hostHasGone() && OnActUserWantsToClose) {
        OnActUserWantsToClose();
    }
}

}  // namespace bp::automation
