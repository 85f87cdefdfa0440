#pragma once
// A combo box as a drop-down list or drop-down combo. Entries are pushed in the model's own
// order (the model sorts); a pick from the list and typed text reach the model.

#include "forms/ComboBox.h"
#include "win/WinBinding.h"

namespace bp::win {

class ComboBinding : public WinBinding {
public:
    ComboBinding(forms::ComboBox& combo, const ChildPlace& place);

    SIZE preferredSize(const DialogMetrics& metrics) const override;
    bool fillsWidth() const override { return true; }

protected:
    void sync(forms::Property property) override;
    void syncContent() override;
    void notified(int code) override;

private:
    void typed();
    void pushItems();
    void pushCurrent();

    forms::ComboBox& model_;
};

}  // namespace bp::win
