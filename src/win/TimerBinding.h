#pragma once
// A timer as a system timer of the form's window, identified by the timer's command id:
// it runs while the timer is enabled with an Interval and the form is loaded, and each
// WM_TIMER raises the model's Timer event, never inside a Timer handler still running.
// The timer has no window control: nothing shows and nothing is laid out.

#include <memory>

#include "forms/Timer.h"
#include "win/WinBinding.h"

namespace bp::win {

class TimerBinding : public WinBinding {
public:
    TimerBinding(forms::Timer& timer, const ChildPlace& place);
    ~TimerBinding() override;

    SIZE preferredSize(const DialogMetrics& metrics) const override;
    bool takesFocus() const override { return false; }
    bool windowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    void sync(forms::Property property) override;
    void syncContent() override;

private:
    void stop();

    forms::Timer& model_;
    HWND window_;
    UINT_PTR id_;
    int interval_ = 0;  // of the running system timer; 0 while none runs
    int formSubscription_ = 0;
    std::shared_ptr<bool> ticking_ = std::make_shared<bool>(false);
};

}  // namespace bp::win
