#pragma once
// An option button as a radio button the model alone sets; the model clears the others of
// its group, and each of them pushes its own cleared value.

#include "forms/OptionButton.h"
#include "win/WinBinding.h"

namespace bp::win {

class OptionBinding : public WinBinding {
public:
    // `startsGroup`: the first option button of its container in creation order.
    OptionBinding(forms::OptionButton& option, const ChildPlace& place, bool startsGroup);

    SIZE preferredSize(const DialogMetrics& metrics) const override;

protected:
    void sync(forms::Property property) override;
    void syncContent() override;
    void notified(int code) override;

private:
    void pushValue();

    forms::OptionButton& model_;
};

}  // namespace bp::win
