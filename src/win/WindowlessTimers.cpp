#include "win/WindowlessTimers.h"

#include <exception>
#include <map>

#include "platform/WinText.h"

namespace bp::win {
namespace {

// A thread timer's callback gets only its number.
std::map<UINT_PTR, forms::Timer*>& running() {
    static std::map<UINT_PTR, forms::Timer*> timers;
    return timers;
}

}  // namespace

WindowlessTimers::WindowlessTimers(forms::Form& form) {
    for (forms::Control* control : form.controls()) {
        auto* timer = dynamic_cast<forms::Timer*>(control);
        if (timer == nullptr) {
            continue;
        }
        auto clock = std::make_unique<Clock>();
        clock->timer = timer;
        Clock* at = clock.get();
        clock->subscription = timer->subscribe([at](forms::Control&, forms::Property p) {
            if (p == forms::Property::Enabled || p == forms::Property::Interval) {
                sync(*at);
            }
        });
        sync(*clock);
        clocks_.push_back(std::move(clock));
    }
}

WindowlessTimers::~WindowlessTimers() {
    for (const auto& clock : clocks_) {
        clock->timer->unsubscribe(clock->subscription);
        stop(*clock);
    }
}

void WindowlessTimers::sync(Clock& clock) {
    if (!clock.timer->running()) {
        stop(clock);
        return;
    }
    if (clock.id != 0 && clock.interval == clock.timer->interval()) {
        return;
    }
    stop(clock);
    clock.interval = clock.timer->interval();
    clock.id = SetTimer(nullptr, 0, static_cast<UINT>(clock.interval), &tick);
    if (clock.id != 0) {
        running()[clock.id] = clock.timer;
    }
}

void WindowlessTimers::stop(Clock& clock) {
    if (clock.id != 0) {
        KillTimer(nullptr, clock.id);
        running().erase(clock.id);
        clock.id = 0;
    }
}

bool WindowlessTimers::isTick(const MSG& message) {
    // The number alone tells: thread timers' numbers are unique on the thread, and the
    // callback the message carries is not always the address given (Wine hands a handle).
    return message.message == WM_TIMER && message.hwnd == nullptr &&
           running().contains(message.wParam);
}

void CALLBACK WindowlessTimers::tick(HWND, UINT, UINT_PTR id, DWORD) {
    auto it = running().find(id);
    if (it == running().end()) {
        return;
    }
    try {
        it->second->tick();
    } catch (const std::exception& error) {
        // Nothing may unwind through the system's frames; the user learns what went wrong.
        MessageBoxW(nullptr, platform::toWide(error.what()).c_str(), L"brindlepath",
                    MB_OK | MB_ICONERROR);
    }
}

}  // namespace bp::win
