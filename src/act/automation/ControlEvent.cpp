#include "act/automation/ControlEvent.h"

#include <array>

#include "act/automation/VariantConvert.h"
#include "platform/Error.h"

namespace bp::automation {

namespace {

// The control raises its events from window messages of this thread; no waiting here.
void letPendingMessagesThrough() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // The program's own loop must still see that it is asked to end.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

}  // namespace

ControlEvent::ControlEvent(ComPtr<IDispatch> control, std::shared_ptr<AdapterContext> context,
                           HostWatch::Clock clock)
    : context_(std::move(context)),
      control_(std::move(control)),
      register_(context_->counter.member("ActEvent.Register")),
      unregister_(context_->counter.member("ActEvent.Unregister")),
      isHostRunning_(context_->counter.member("ActEvent.IsHostRunning")),
      watch_([this] { return IsHostRunning(); }, std::move(clock)) {}

ControlEvent::~ControlEvent() {
    connection_.reset();
}

void ControlEvent::connect() {
    if (connection_ || byPolling_) {
        return;
    }
    try {
        connection_ = std::make_unique<EventConnection>(control_.object());
    } catch (const Error&) {
        byPolling_ = true;
    }
}

int ControlEvent::Register(int flags) {
    // Connected before registering, so a closing right after it is not missed.
    connect();
    int result = 0;
    try {
        context_->counter.count(register_);
        result = toInt(control_.getById(kRegister, "Register", std::array{fromInt(flags)}).get());
    } catch (...) {
        connection_.reset();
        throw;
    }
    registered_ = result >= 1 || result == -1;
    if (!registered_) {
        connection_.reset();
    } else if (connection_) {
        delivered_ = connection_->closeRequests();
    } else {
        watch_.start();
    }
    return result;
}

void ControlEvent::Unregister() {
    registered_ = false;
    connection_.reset();
    watch_.stop();
    context_->counter.count(unregister_);
    control_.callById(kUnregister, "Unregister");
}

bool ControlEvent::IsHostRunning() {
    context_->counter.count(isHostRunning_);
    return toBool(control_.getById(kIsHostRunning, "IsHostRunning").get());
}

void ControlEvent::poll() {
    letPendingMessagesThrough();
    if (registered_) {
        deliverEvents();
    }
}

void ControlEvent::deliverEvents() {
    bool closing = false;
    if (connection_) {
        const unsigned long seen = connection_->closeRequests();
        closing = seen > delivered_;
        delivered_ = seen;
    } else {
        // Called from the program's timer: a host that cannot answer just now is no news.
        try {
            closing = watch_.hostHasGone();
        } catch (const Error&) {
            closing = false;
        }
    }
    if (closing && OnActUserWantsToClose) {
        OnActUserWantsToClose();
    }
}

}  // namespace bp::automation
