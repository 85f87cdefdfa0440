#pragma once
// A label. Its "&" access key hands the focus to the control placed after it (its buddy), as
// a field caption does; a label with a back colour is a colour swatch.

#include <QLabel>

#include "forms/Label.h"
#include "gui/ControlBinding.h"

namespace bp::gui {

class LabelBinding : public ControlBinding {
    Q_OBJECT
public:
    LabelBinding(forms::Label& label, QWidget* parent);

    bool takesFocus() const override { return false; }
    void setBuddy(QWidget* buddy);

protected:
    void sync(forms::Property property) override;
    void syncContent() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void pushCaption();
    void pushColor();

    forms::Label& model_;
    QLabel* label_;
};

}  // namespace bp::gui
