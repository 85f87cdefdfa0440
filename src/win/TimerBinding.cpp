#include "win/TimerBinding.h"

#include <memory>

#include "forms/Form.h"

namespace bp::win {

TimerBinding::TimerBinding(forms::Timer& timer, const ChildPlace& place)
    : WinBinding(timer, nullptr),
      model_(timer),
      window_(place.parent),
      id_(static_cast<UINT_PTR>(place.id)) {
    // An unloaded form's handlers must not run, so loading starts the timer and unloading
    // stops it.
    formSubscription_ = timer.form().subscribe([this](forms::Form&, forms::FormProperty p) {
        if (p == forms::FormProperty::Loaded) {
            syncContent();
        }
    });
}

TimerBinding::~TimerBinding() {
    model_.form().unsubscribe(formSubscription_);
    stop();
}

SIZE TimerBinding::preferredSize(const DialogMetrics& metrics) const {
    (void)metrics;
    return SIZE{0, 0};
}

bool TimerBinding::windowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    (void)lParam;
    if (message != WM_TIMER || wParam != id_) {
        return false;
    }
    result = 0;
    if (interval_ == 0) {
        return true;  // a tick queued before the timer stopped
    }
    if (*ticking_) {
        // A handler showing a message box runs a message loop that would tick again and
        // again, stacking one box on the other; the next tick comes once it has returned.
        return true;
    }
    // Held here, since a handler that unloads the form may take this binding with it.
    struct Ticking {
        std::shared_ptr<bool> flag;
        ~Ticking() { *flag = false; }
    } ticking{ticking_};
    *ticking_ = true;
    model_.tick();
    return true;
}

void TimerBinding::sync(forms::Property property) {
    if (property == forms::Property::Interval || property == forms::Property::Enabled) {
        syncContent();
    }
}

void TimerBinding::syncContent() {
    if (!model_.running() || !model_.form().loaded()) {
        stop();
    } else if (interval_ != model_.interval()) {
        // Setting the timer of an id again replaces it, counting afresh.
        if (SetTimer(window_, id_, static_cast<UINT>(model_.interval()), nullptr) != 0) {
            interval_ = model_.interval();
        }
    }
}

void TimerBinding::stop() {
    if (interval_ != 0) {
        KillTimer(window_, id_);
        interval_ = 0;
    }
}

}  // namespace bp::win
