#include "gui/CheckBoxBinding.h"

#include <QSignalBlocker>

#include "gui/QtText.h"

namespace bp::gui {

CheckBoxBinding::CheckBoxBinding(forms::CheckBox& box, QWidget* parent)
    : ControlBinding(box, new QCheckBox(parent)),
      model_(box),
      box_(static_cast<QCheckBox*>(widget())) {
    connect(box_, &QCheckBox::clicked, this, [this] {
        model_.click();
        pushValue();
    });
}

void CheckBoxBinding::sync(forms::Property property) {
    if (property == forms::Property::Caption) {
        box_->setText(toQt(model_.caption()));
    } else if (property == forms::Property::Value) {
        pushValue();
    }
}

void CheckBoxBinding::syncContent() {
    box_->setText(toQt(model_.caption()));
    pushValue();
}

void CheckBoxBinding::pushValue() {
    const QSignalBlocker blocker(box_);
    const int value = model_.value();
    box_->setTristate(value == forms::CheckBox::kGrayed);
    box_->setCheckState(value == forms::CheckBox::kChecked  ? Qt::Checked
                        : value == forms::CheckBox::kGrayed ? Qt::PartiallyChecked
                                                            : Qt::Unchecked);
}

}  // namespace bp::gui
