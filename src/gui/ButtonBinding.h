#pragma once
// A command button as a push button; "&" in the caption marks its access key.

#include <QPushButton>

#include "forms/CommandButton.h"
#include "gui/ControlBinding.h"

namespace bp::gui {

class ButtonBinding : public ControlBinding {
    Q_OBJECT
public:
    ButtonBinding(forms::CommandButton& button, QWidget* parent);

    QPushButton* button() const { return button_; }

protected:
    void sync(forms::Property property) override;
    void syncContent() override;

private:
    forms::CommandButton& model_;
    QPushButton* button_;
};

}  // namespace bp::gui
