#pragma once
// What the list box and combo box bindings share: their entries are copied into the widget
// once per burst of additions. Forms fill lists one AddItem at a time, and each addition is a
// change notification; the copy waits for the next pass of the event loop, or comes earlier
// when the current entry must be shown or the user acts.

#include <QStringList>

#include "forms/ListControl.h"
#include "gui/ControlBinding.h"

namespace bp::gui {

class ItemsBinding : public ControlBinding {
    Q_OBJECT
public:
    void flush() override;

protected:
    ItemsBinding(forms::ListControl& list, QWidget* widget);

    bool itemsPending() const { return itemsPending_; }
    void scheduleItems();
    // Copies every entry now, then shows the model's current entry or selection.
    void pushItems();
    // Replaces the widget's entries with signals blocked.
    virtual void replaceItems(const QStringList& texts) = 0;
    virtual void pushChoice() = 0;

private:
    forms::ListControl& list_;
    bool itemsPending_ = false;
};

}  // namespace bp::gui
