#pragma once
// A tab control. Each page is a window of its own laid over the tab's display area, holding
// the controls the model puts on that page (and the frames and controls nested in them), so
// a page shows and hides as one. Only the model's current page is shown.
//
// Hidden tabs have no item on the tab row: the items are the visible tabs in model order, and
// the binding maps between item and model tab. A user's pick goes through the model, which
// refuses disabled tabs; a refused pick snaps back to the model's tab.
//
// FIXME: a disabled tab's caption looks like any other (the system draws no greyed tab
// without owner drawing); only the refusal tells the user.
// FIXME: the pages paint the dialog colour, which differs slightly from a themed tab body on
// Windows with visual styles.

#include <vector>

#include "forms/TabControl.h"
#include "win/WinBinding.h"

namespace bp::win {

class TabBinding : public WinBinding {
public:
    TabBinding(forms::TabControl& tabs, const ChildPlace& place);

    SIZE preferredSize(const DialogMetrics& metrics) const override;
    bool isContainer() const override { return true; }
    RECT padding(const DialogMetrics& metrics) const override;
    int pageCount() const override { return static_cast<int>(pages_.size()); }
    HWND pageWindow(int page) override;
    POINT pageOrigin(const DialogMetrics& metrics) const override;
    void placed() override;
    void syncUsable() override;

    // Ctrl+Tab and Ctrl+Shift+Tab: the user picks the next (previous) tab that can be picked,
    // wrapping round. False when there is none to move to.
    bool step(bool forward);
    // Whether `window` is the tab control or sits on one of its pages.
    bool holds(HWND window) const;
    // The model tab shown at tab item `item`, or -1.
    int tabAt(int item) const;

protected:
    void sync(forms::Property property) override;
    void syncContent() override;
    LRESULT noticed(const NMHDR& header) override;

private:
    void ensurePages(int count);
    void pushTabs();
    void pushCurrent();
    void askRoomForTabs();
    void showPages();
    void userPicked();
    // The display area's offsets from the tab control's edges: left, top, right, bottom.
    RECT displayInset() const;

    forms::TabControl& model_;
    std::vector<HWND> pages_;
    std::vector<int> items_;  // tab item -> model tab
    bool laidOut_ = false;
};

}  // namespace bp::win
