#pragma once
// The command buttons that close a dialog. Enter presses the default button and Escape the
// cancel button from any control of the form; a lone button of a message box answers both.

#include <functional>
#include <string>

#include "forms/CommandButton.h"
#include "forms/Form.h"

namespace bp::forms {

enum class ButtonRole { Default, Cancel, DefaultAndCancel };

// Where a dialog button sits: its caption and its cell of the form's grid.
struct ButtonPlace {
    std::string caption;
    int row = 0;
    int column = 0;
};

// Adds the command button `name` to `form` at `place`, clicking into `onClick`, and makes it
// the form's default and/or cancel button as `role` says.
CommandButton& addDialogButton(Form& form, const std::string& name, const ButtonPlace& place,
                               ButtonRole role, std::function<void()> onClick);

}  // namespace bp::forms
