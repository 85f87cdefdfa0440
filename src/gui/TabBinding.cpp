#include "gui/TabBinding.h"

#include <QGridLayout>
#include <QSignalBlocker>

#include "gui/QtText.h"

namespace bp::gui {

TabBinding::TabBinding(forms::TabControl& tabs, QWidget* parent)
    : ControlBinding(tabs, new QTabWidget(parent)),
      model_(tabs),
      tabWidget_(static_cast<QTabWidget*>(widget())) {
    // Every tab stays in sight: the window is made wide enough for all captions rather than
    // hiding some behind scroll arrows.
    tabWidget_->setUsesScrollButtons(false);
    connect(tabWidget_, &QTabWidget::currentChanged, this, &TabBinding::userChangedTab);
}

QWidget* TabBinding::contentWidget(int page) {
    ensurePages(page + 1);
    return tabWidget_->widget(page);
}

void TabBinding::ensurePages(int count) {
    const QSignalBlocker blocker(tabWidget_);
    while (tabWidget_->count() < count) {
        auto* page = new QWidget;
        auto* grid = new QGridLayout(page);
        grid->setObjectName(QStringLiteral("grid"));
        tabWidget_->addTab(page, QString());
    }
}

void TabBinding::sync(forms::Property property) {
    if (property == forms::Property::Items) {
        pushPages();
    } else if (property == forms::Property::ListIndex) {
        pushCurrent();
    }
}

void TabBinding::syncContent() {
    pushPages();
}

void TabBinding::pushPages() {
    ensurePages(model_.tabs());
    const QSignalBlocker blocker(tabWidget_);
    for (int i = 0; i < model_.tabs(); ++i) {
        tabWidget_->setTabText(i, toQt(model_.tabCaption(i)));
        tabWidget_->setTabVisible(i, model_.tabVisible(i));
        tabWidget_->setTabEnabled(i, model_.tabEnabled(i));
    }
    pushCurrent();
}

void TabBinding::pushCurrent() {
    const QSignalBlocker blocker(tabWidget_);
    if (model_.tab() >= 0 && model_.tab() < tabWidget_->count()) {
        tabWidget_->setCurrentIndex(model_.tab());
    }
}

void TabBinding::showPageQuietly(int page) {
    const QSignalBlocker blocker(tabWidget_);
    tabWidget_->setCurrentIndex(page);
}

void TabBinding::userChangedTab(int index) {
    if (index >= 0 && index < model_.tabs() && index != model_.tab()) {
        model_.clickTab(index);
    }
    pushCurrent();
}

}  // namespace bp::gui
