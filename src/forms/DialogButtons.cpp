#include "forms/DialogButtons.h"

#include <utility>

namespace bp::forms {

CommandButton& addDialogButton(Form& form, const std::string& name, const ButtonPlace& place,
                               ButtonRole role, std::function<void()> onClick) {
    CommandButton& button = form.add<CommandButton>(name);
    button.setCaption(place.caption);
    button.setLayout(place.row, place.column);
    button.onClick = std::move(onClick);
    if (role != ButtonRole::Cancel) {
        form.setDefaultButton(&button);
    }
    if (role != ButtonRole::Default) {
        form.setCancelButton(&button);
    }
    return button;
}

}  // namespace bp::forms
