#include "gui/OptionBinding.h"

#include <QSignalBlocker>

#include "gui/QtText.h"

namespace bp::gui {

OptionBinding::OptionBinding(forms::OptionButton& option, QWidget* parent)
    : ControlBinding(option, new QRadioButton(parent)),
      model_(option),
      radio_(static_cast<QRadioButton*>(widget())) {
    radio_->setAutoExclusive(false);
    connect(radio_, &QRadioButton::clicked, this, [this] {
        model_.click();
        pushValue();  // a click on the chosen option must not clear it
    });
}

void OptionBinding::sync(forms::Property property) {
    if (property == forms::Property::Caption) {
        radio_->setText(toQt(model_.caption()));
    } else if (property == forms::Property::Value) {
        pushValue();
    }
}

void OptionBinding::syncContent() {
    radio_->setText(toQt(model_.caption()));
    pushValue();
}

void OptionBinding::pushValue() {
    const QSignalBlocker blocker(radio_);
    radio_->setChecked(model_.value());
}

}  // namespace bp::gui
