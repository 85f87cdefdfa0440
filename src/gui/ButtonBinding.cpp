#include "gui/ButtonBinding.h"

#include "gui/QtText.h"

namespace bp::gui {

ButtonBinding::ButtonBinding(forms::CommandButton& button, QWidget* parent)
    : ControlBinding(button, new QPushButton(parent)),
      model_(button),
      button_(static_cast<QPushButton*>(widget())) {
    // Enter goes to the form's default button, never to whichever button happens to have the
    // focus; the form window decides.
    button_->setAutoDefault(false);
    // A button is as wide as its caption needs, never the width of a wide column or frame.
    button_->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    connect(button_, &QPushButton::clicked, this, [this] { model_.click(); });
}

void ButtonBinding::sync(forms::Property property) {
    if (property == forms::Property::Caption) {
        syncContent();
    }
}

void ButtonBinding::syncContent() {
    button_->setText(toQt(model_.caption()));
}

}  // namespace bp::gui
