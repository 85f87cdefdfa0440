#pragma once
// A check box: Value 0 (cleared), 1 (ticked) or 2 (greyed). Click runs only when the value
// changes, whether the user or code changed it.

#include <string>

#include "forms/Control.h"

namespace bp::forms {

class CheckBox : public Control {
public:
    static constexpr int kUnchecked = 0;
    static constexpr int kChecked = 1;
    static constexpr int kGrayed = 2;

    static constexpr int valueOf(bool ticked) { return ticked ? kChecked : kUnchecked; }

    explicit CheckBox(const ControlInit& init) : Control(init, ControlKind::CheckBox) {}

    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption);

    int value() const { return value_; }
    bool checked() const { return value_ == kChecked; }
    // Throws std::invalid_argument for a value other than 0, 1 or 2.
    void setValue(int value, Announcement announce = Announcement::DoEmit);

    // A user's click toggles between ticked and cleared; false when the box is unusable.
    bool click();

    std::function<void()> onClick;

private:
    std::string caption_;
    int value_ = kUnchecked;
};

}  // namespace bp::forms
