#pragma once
// A check box as a three-state button the model alone ticks: a click asks the model, which
// decides the value, and the value is pushed back.

#include "forms/CheckBox.h"
#include "win/WinBinding.h"

namespace bp::win {

class CheckBoxBinding : public WinBinding {
public:
    CheckBoxBinding(forms::CheckBox& box, const ChildPlace& place);

    SIZE preferredSize(const DialogMetrics& metrics) const override;

protected:
    void sync(forms::Property property) override;
    void syncContent() override;
    void notified(int code) override;

private:
    void pushValue();

    forms::CheckBox& model_;
};

}  // namespace bp::win
