#include "gui/ProgressBarBinding.h"

namespace bp::gui {

ProgressBarBinding::ProgressBarBinding(forms::ProgressBar& bar, QWidget* parent)
    : ControlBinding(bar, new QProgressBar(parent)),
      model_(bar),
      bar_(static_cast<QProgressBar*>(widget())) {
    bar_->setTextVisible(true);
}

void ProgressBarBinding::sync(forms::Property property) {
    if (property == forms::Property::Value) {
        syncContent();
    }
}

void ProgressBarBinding::syncContent() {
    if (model_.value() == forms::ProgressBar::kBusy) {
        bar_->setRange(0, 0);
        return;
    }
    bar_->setRange(0, 100);
    bar_->setValue(model_.value());
}

}  // namespace bp::gui
