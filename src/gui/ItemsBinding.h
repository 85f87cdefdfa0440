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

    void sync(forms::Property property) override;
    void syncContent() override;
    bool itemsPending() const { return itemsPending_; }
    // Copies every entry now, then shows the model's current entry or selection.
    void pushItems();

    // Replaces the widget's entries with signals blocked.
    virtual void replaceItems(const QStringList& texts) = 0;
    // Whether a change of the property is one the widget must show as its current entry or
    // selection (once its entries are copied).
    virtual bool showsChoice(forms::Property property) const = 0;
    virtual void pushChoice() = 0;
    virtual void pushStyle() = 0;

private:
    void scheduleItems();

    forms::ListControl& list_;
    bool itemsPending_ = false;
};

}  // namespace bp::gui
