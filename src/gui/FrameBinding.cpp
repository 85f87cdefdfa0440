#include "gui/FrameBinding.h"

#include <QGridLayout>

#include "gui/QtText.h"

namespace bp::gui {

FrameBinding::FrameBinding(forms::Frame& frame, QWidget* parent)
    : ControlBinding(frame, new QGroupBox(parent)),
      model_(frame),
      box_(static_cast<QGroupBox*>(widget())) {
    auto* grid = new QGridLayout(box_);
    grid->setObjectName(QStringLiteral("grid"));
}

QWidget* FrameBinding::contentWidget(int page) {
    (void)page;
    return box_;
}

void FrameBinding::sync(forms::Property property) {
    if (property == forms::Property::Caption) {
        syncContent();
    }
}

void FrameBinding::syncContent() {
    box_->setTitle(toQt(model_.caption()));
}

}  // namespace bp::gui
