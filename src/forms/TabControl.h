#pragma once
// A tab control: a row of tabs, each a page that holds controls. Tab is the current page;
// changing it raises Click with the page that was current before. A hidden or disabled tab
// cannot be picked by the user, and hiding the current tab moves to the first visible one.

#include <string>
#include <vector>

#include "forms/Control.h"

namespace bp::forms {

struct TabPage {
    std::string caption;
    bool visible = true;
    bool enabled = true;
};

class TabControl : public Control {
public:
    explicit TabControl(const ControlInit& init) : Control(init, ControlKind::TabControl) {}

    int tabs() const { return static_cast<int>(pages_.size()); }
    int addTab(std::string caption);
    const std::string& tabCaption(int tab) const;
    void setTabCaption(int tab, std::string caption);
    bool tabVisible(int tab) const;
    void setTabVisible(int tab, bool visible);
    bool tabEnabled(int tab) const;
    void setTabEnabled(int tab, bool enabled);

    // -1 only while the control has no tabs.
    int tab() const { return tab_; }
    // Raises Click(PreviousTab) when the page changes. Out of range: std::out_of_range.
    void setTab(int tab, Announcement announce = Announcement::DoEmit);
    // A user's click on a tab; false when that tab cannot be picked.
    bool clickTab(int tab);

    std::function<void(int PreviousTab)> onClick;

private:
    void checkTab(int tab) const;
    int firstVisibleTab() const;

    std::vector<TabPage> pages_;
    int tab_ = -1;
};

}  // namespace bp::forms
