#pragma once
// A check box; a greyed value (2) shows as partly checked.

#include <QCheckBox>

#include "forms/CheckBox.h"
#include "gui/ControlBinding.h"

namespace bp::gui {

class CheckBoxBinding : public ControlBinding {
    Q_OBJECT
public:
    CheckBoxBinding(forms::CheckBox& box, QWidget* parent);

protected:
    void sync(forms::Property property) override;
    void syncContent() override;

private:
    void pushValue();

    forms::CheckBox& model_;
    QCheckBox* box_;
};

}  // namespace bp::gui
