#pragma once
// A push button. Its Click runs when the user presses it, when Enter or Esc picks it as the
// form's default or cancel button, and when code sets its Value to True.

#include <string>

#include "forms/Control.h"

namespace bp::forms {

class CommandButton : public Control {
public:
    explicit CommandButton(const ControlInit& init) : Control(init, ControlKind::CommandButton) {}

    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption);

    // A user's press: refused (false) while the button is disabled or hidden.
    bool click();
    // Code's `cmd.Value = True`: raises Click whatever the button's state.
    void setValue(bool value);

    std::function<void()> onClick;

private:
    std::string caption_;
};

}  // namespace bp::forms
