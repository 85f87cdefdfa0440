#pragma once
// A list box as a list widget: single, simple (toggling) or extended multiple selection.
//
// Forms fill lists one AddItem at a time, and each addition is a change notification; the
// entries are therefore copied into the widget once per burst (the next pass of the event
// loop, or earlier when a selection must be shown or the user acts), not once per entry.

#include <QListWidget>

#include "forms/ListBox.h"
#include "gui/ControlBinding.h"

namespace bp::gui {

class ListBoxBinding : public ControlBinding {
    Q_OBJECT
public:
    ListBoxBinding(forms::ListBox& list, QWidget* parent);

    void flush() override;

protected:
    void sync(forms::Property property) override;
    void syncContent() override;

private:
    void scheduleItems();
    void pushItems();
    void pushSelection();
    bool showsModelSelection() const;
    void pushStyle();
    void userSelectionChanged();
    void applyMultiSelection();

    forms::ListBox& model_;
    QListWidget* list_;
    bool itemsPending_ = false;
    bool copyingUserSelection_ = false;
};

}  // namespace bp::gui
