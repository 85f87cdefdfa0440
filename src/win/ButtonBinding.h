#pragma once
// A command button as a push button; the form's default button gets the default frame.

#include "forms/CommandButton.h"
#include "win/WinBinding.h"

namespace bp::win {

class ButtonBinding : public WinBinding {
public:
    ButtonBinding(forms::CommandButton& button, const ChildPlace& place, bool isDefault);

    SIZE preferredSize(const DialogMetrics& metrics) const override;

protected:
    void sync(forms::Property property) override;
    void syncContent() override;
    void notified(int code) override;

private:
    forms::CommandButton& model_;
};

}  // namespace bp::win
