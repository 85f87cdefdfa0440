#pragma once
// An option button. The option buttons directly inside one container (the form, a frame, or one
// page of a tab control) form a group: setting one to True clears the others quietly, and Click
// runs every time an option is set to True, even when it already was.

#include <string>

#include "forms/Control.h"

namespace bp::forms {

class OptionButton : public Control {
public:
    explicit OptionButton(const ControlInit& init) : Control(init, ControlKind::OptionButton) {}

    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption);

    bool value() const { return value_; }
    // False clears this option alone and raises nothing.
    void setValue(bool value, Announcement announce = Announcement::DoEmit);

    // A user's click selects the option; false when it is unusable.
    bool click();

    std::function<void()> onClick;

private:
    void clearSiblings();

    std::string caption_;
    bool value_ = false;
};

}  // namespace bp::forms
