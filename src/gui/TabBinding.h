#pragma once
// A tab control as a tab widget; each page is a widget with its own grid for the controls the
// model places on it. A hidden or disabled tab is hidden or disabled on the tab bar too.

#include <QTabWidget>
#include <vector>

#include "forms/TabControl.h"
#include "gui/ControlBinding.h"

namespace bp::gui {

class TabBinding : public ControlBinding {
    Q_OBJECT
public:
    TabBinding(forms::TabControl& tabs, QWidget* parent);

    QWidget* contentWidget(int page) override;
    QTabWidget* tabWidget() const { return tabWidget_; }
    // Shows page `page` on screen only, leaving the model's Tab alone (screenshots).
    void showPageQuietly(int page);

protected:
    void sync(forms::Property property) override;
    void syncContent() override;

private:
    void ensurePages(int count);
    void pushPages();
    void pushCurrent();
    void userChangedTab(int index);

    forms::TabControl& model_;
    QTabWidget* tabWidget_;
};

}  // namespace bp::gui
