#pragma once
// A date picker as the system's date-and-time picker with its drop-down calendar, showing the
// date in the user's short date format. A user's pick reaches the model as a new date at the
// model's time of day; the control then shows the model's value again, so a pick the form
// refuses or corrects snaps back.

#include "forms/DatePicker.h"
#include "win/WinBinding.h"

namespace bp::win {

class DateBinding : public WinBinding {
public:
    DateBinding(forms::DatePicker& picker, const ChildPlace& place);

    SIZE preferredSize(const DialogMetrics& metrics) const override;
    bool windowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    void sync(forms::Property property) override;
    void syncContent() override;

private:
    void pushValue();
    void userPicked(const SYSTEMTIME& picked);

    forms::DatePicker& model_;
};

}  // namespace bp::win
