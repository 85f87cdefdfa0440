#pragma once
// A combo box. In the drop-down-list style its Text is always the current entry's text (empty
// with no current entry); in the drop-down-combo style the user may also type a text of their
// own, and Change runs when that text changes.

#include <string>

#include "forms/ListControl.h"

namespace bp::forms {

enum class ComboStyle { DropDownCombo, DropDownList };

class ComboBox : public ListControl {
public:
    explicit ComboBox(const ControlInit& init) : ListControl(init, ControlKind::ComboBox) {}

    ComboStyle style() const { return style_; }
    void setStyle(ComboStyle style);

    std::string text() const;
    // Drop-down list: makes the entry with this text current (raising Click), and throws
    // std::invalid_argument when there is none. Drop-down combo: sets the edit text, raising
    // Change when it differs, and ListIndex follows a matching entry.
    void setText(std::string text, Announcement announce = Announcement::DoEmit);

    // A user's pick from the drop-down: the same as assigning ListIndex. False when unusable.
    bool choose(int position);
    bool choose(const std::string& text);

    std::function<void()> onChange;

protected:
    void applyListIndex(int position) override;

private:
    ComboStyle style_ = ComboStyle::DropDownCombo;
    std::string editText_;
};

}  // namespace bp::forms
