#pragma once
// A combo box: a drop-down list, or a drop-down combo whose text the user may also type.
// Entries are copied into the widget once per burst of additions (ItemsBinding).

#include <QComboBox>

#include "forms/ComboBox.h"
#include "gui/ItemsBinding.h"

namespace bp::gui {

class ComboBinding : public ItemsBinding {
    Q_OBJECT
public:
    ComboBinding(forms::ComboBox& combo, QWidget* parent);

protected:
    void replaceItems(const QStringList& texts) override;
    bool showsChoice(forms::Property property) const override {
        return property == forms::Property::ListIndex || property == forms::Property::Text;
    }
    void pushChoice() override { pushCurrent(); }
    void pushStyle() override;

private:
    void pushCurrent();
    void userChose(int index);
    void userTyped(const QString& text);

    forms::ComboBox& model_;
    QComboBox* combo_;
};

}  // namespace bp::gui
