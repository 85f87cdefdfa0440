#pragma once
// A list box as a list widget: single, simple (toggling) or extended multiple selection.
// Entries are copied into the widget once per burst of additions (ItemsBinding).

#include <QListWidget>

#include "forms/ListBox.h"
#include "gui/ItemsBinding.h"

namespace bp::gui {

class ListBoxBinding : public ItemsBinding {
    Q_OBJECT
public:
    ListBoxBinding(forms::ListBox& list, QWidget* parent);

protected:
    void replaceItems(const QStringList& texts) override;
    bool showsChoice(forms::Property property) const override {
        return (property == forms::Property::ListIndex || property == forms::Property::Selection) &&
               !copyingUserSelection_;
    }
    void pushChoice() override { pushSelection(); }
    void pushStyle() override;

private:
    void pushSelection();
    bool showsModelSelection() const;
    void userSelectionChanged();
    void applyMultiSelection();

    forms::ListBox& model_;
    QListWidget* list_;
    bool copyingUserSelection_ = false;
};

}  // namespace bp::gui
