#pragma once
// An entry of a menu bar, a submenu or a popup menu. Entries inside another entry are its
// children, in creation order; an entry captioned "-" is a separator.

#include <string>
#include <vector>

#include "forms/Control.h"

namespace bp::forms {

class MenuEntry : public Control {
public:
    explicit MenuEntry(const ControlInit& init);

    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption);
    bool separator() const { return caption_ == "-"; }
    bool checkedMark() const { return checked_; }
    void setChecked(bool checked);

    MenuEntry* parentMenu() const;
    const std::vector<MenuEntry*>& children() const { return children_; }

    // A user's choice of this entry: refused (false) while it or a parent is hidden or
    // disabled, and for separators.
    bool click();
    // Whether a user could choose this entry now.
    bool reachable() const;

    std::function<void()> onClick;

private:
    std::string caption_;
    bool checked_ = false;
    std::vector<MenuEntry*> children_;
};

}  // namespace bp::forms
