#include "gui/FormWindow.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QMenuBar>
#include <QVBoxLayout>

#include "gui/QtText.h"

namespace bp::gui {

FormWindow::FormWindow(forms::Form& form, QWidget* parent)
    : QDialog(parent), form_(form), body_(new QWidget(this)) {
    setObjectName(toQt(form.name()));
    // Forms have no help button; a title-bar "?" would do nothing.
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* root = new QVBoxLayout(this);
    root->addWidget(body_);
    auto* grid = new QGridLayout(body_);
    grid->setObjectName(QStringLiteral("grid"));
    grid->setContentsMargins(0, 0, 0, 0);
}

QMenuBar* FormWindow::menuBar() {
    if (menuBar_ == nullptr) {
        menuBar_ = new QMenuBar(this);
        layout()->setMenuBar(menuBar_);
    }
    return menuBar_;
}

void FormWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            form_.pressEnter();
            event->accept();
            return;
        case Qt::Key_Escape:
            form_.pressEscape();
            event->accept();
            return;
        default:
            QDialog::keyPressEvent(event);
    }
}

void FormWindow::reject() {
    // Only the form hides or unloads itself; Esc without a cancel button does nothing.
    form_.pressEscape();
}

void FormWindow::closeEvent(QCloseEvent* event) {
    if (form_.loaded() && !form_.unload()) {
        event->ignore();
        return;
    }
    event->accept();
}

}  // namespace bp::gui
