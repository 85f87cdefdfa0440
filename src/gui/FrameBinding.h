#pragma once
// A frame as a group box holding its own grid of controls.

#include <QGroupBox>

#include "forms/Frame.h"
#include "gui/ControlBinding.h"

namespace bp::gui {

class FrameBinding : public ControlBinding {
    Q_OBJECT
public:
    FrameBinding(forms::Frame& frame, QWidget* parent);

    QWidget* contentWidget(int page) override;
    bool takesFocus() const override { return false; }

protected:
    void sync(forms::Property property) override;
    void syncContent() override;

private:
    forms::Frame& model_;
    QGroupBox* box_;
};

}  // namespace bp::gui
