#pragma once
// A combo box: a drop-down list, or a drop-down combo whose text the user may also type.
// Entries are copied into the widget once per burst of additions, as for list boxes.

#include <QComboBox>

#include "forms/ComboBox.h"
#include "gui/ControlBinding.h"

namespace bp::gui {

class ComboBinding : public ControlBinding {
    Q_OBJECT
public:
    ComboBinding(forms::ComboBox& combo, QWidget* parent);

    void flush() override;

protected:
    void sync(forms::Property property) override;
    void syncContent() override;

private:
    void scheduleItems();
    void pushItems();
    void pushCurrent();
    void pushStyle();
    void userChose(int index);
    void userTyped(const QString& text);

    forms::ComboBox& model_;
    QComboBox* combo_;
    bool itemsPending_ = false;
};

}  // namespace bp::gui
