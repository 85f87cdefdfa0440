#pragma once
// A list box, single or multiple selection as the model says. A user's change of selection
// reaches the model entry by entry; the model's entries, current entry and selection are
// pushed back. Mouse presses raise the list's MouseDown.

#include "forms/ListBox.h"
#include "win/WinBinding.h"

namespace bp::win {

class ListBoxBinding : public WinBinding {
public:
    ListBoxBinding(forms::ListBox& list, const ChildPlace& place);
    ~ListBoxBinding() override;

    SIZE preferredSize(const DialogMetrics& metrics) const override;
    bool fillsWidth() const override { return true; }
    bool fillsHeight() const override { return true; }

protected:
    void sync(forms::Property property) override;
    void syncContent() override;
    void notified(int code) override;

private:
    void pushItems();
    void pushSelection();
    void userChangedSelection();

    forms::ListBox& model_;
};

}  // namespace bp::win
