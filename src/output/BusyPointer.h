#pragma once
// Keeps the busy pointer for the life of a piece of work, whichever way the work ends.

#include "forms/UiService.h"

namespace bp::output {

class BusyPointer {
public:
    explicit BusyPointer(forms::UiService& ui) : ui_(ui) { ui_.setBusy(true); }
    ~BusyPointer() { release(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
    void release() {
        if (busy_) {
            ui_.setBusy(false);
        }
        busy_ = false;
    }

private:
    forms::UiService& ui_;
    bool busy_ = true;
};

}  // namespace bp::output
