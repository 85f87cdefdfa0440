#pragma once
// The top-level window of a rendered form: a dialog whose body holds the form's grid, with the
// form's menu bar above it. Enter and Esc go to the form's default and cancel buttons, and
// closing the window from its title bar unloads the form, whose Form_Unload may refuse.

#include <QDialog>

#include "forms/Form.h"

class QGridLayout;
class QMenuBar;

namespace bp::gui {

class FormWindow : public QDialog {
    Q_OBJECT
public:
    explicit FormWindow(forms::Form& form, QWidget* parent = nullptr);

    forms::Form& form() const { return form_; }
    QWidget* body() const { return body_; }
    QMenuBar* menuBar();

public Q_SLOTS:
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    forms::Form& form_;
    QWidget* body_;
    QMenuBar* menuBar_ = nullptr;
};

}  // namespace bp::gui
