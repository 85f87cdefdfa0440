#pragma once
// A menu entry as an action: in the window's menu bar when it has no parent, else in its
// parent's menu. An entry with children opens a menu of them; "-" is a separator. Popup menus
// (entries the form keeps hidden from the bar) are built afresh when popped up, see QtUi.

#include <QAction>
#include <QMenu>
#include <memory>

#include "forms/MenuEntry.h"
#include "gui/ControlBinding.h"

namespace bp::gui {

class MenuBinding : public ControlBinding {
    Q_OBJECT
public:
    explicit MenuBinding(forms::MenuEntry& entry);
    ~MenuBinding() override;

    bool takesFocus() const override { return false; }
    QAction* action() const { return action_; }
    // The menu of this entry's children; null while it has none.
    QMenu* menu() const { return menu_.get(); }
    // The menu for a first child added at run time: the entry's action is replaced, where
    // it stands, by the action that opens the new menu.
    QMenu& ensureMenu();

protected:
    void sync(forms::Property property) override;
    void syncContent() override;

private:
    void makeMenu();

    forms::MenuEntry& model_;
    std::unique_ptr<QMenu> menu_;
    QAction* action_ = nullptr;
};

}  // namespace bp::gui
