#pragma once
// Keeps one widget in step with one control of the form model, in both directions:
// - model -> widget: the control's quiet change notifications; values are pushed with the
//   widget's signals blocked, so a push never reaches the model again;
// - widget -> model: the user's actions call the control's evented setters (click(), pick(),
//   pressKey(), ...), so the form's handlers run exactly as they would for a user of the
//   model. Afterwards the widget is pushed the model's state again, since a handler may have
//   refused or changed what the user did.
//
// Every binding also forwards the events all controls share: focus, right-button presses
// (popup menus) and double clicks.

#include <QObject>
#include <QPointer>
#include <QWidget>

#include "forms/Control.h"

namespace bp::gui {

class ControlBinding : public QObject {
    Q_OBJECT
public:
    // `widget` may be null for controls without one of their own (menu entries, timers).
    ControlBinding(forms::Control& control, QWidget* widget);
    ~ControlBinding() override;

    // "txtAmount", or "chkSales3" for a member of a control array: the widget's object name.
    static QString toObjectName(const forms::Control& control);

    forms::Control& control() const { return control_; }
    QWidget* widget() const { return widget_; }
    // The widget that holds the controls of this container (page `page` of a tab control).
    virtual QWidget* contentWidget(int page) {
        (void)page;
        return nullptr;
    }
    // Whether a label placed before this control can hand it the focus.
    virtual bool takesFocus() const { return widget_ != nullptr; }

    // Pushes every property of the control into the widget.
    void syncAll();
    // Brings deferred pushes (large lists) up to date at once.
    virtual void flush() {}

protected:
    // Kind-specific properties; the base handles Enabled, Visible and Focus.
    virtual void sync(forms::Property property) { (void)property; }
    virtual void syncContent() {}
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Filters the widget's events too (and its viewport's, for scrolled views).
    void watch(QWidget* widget);

private:
    void onModelChange(forms::Property property);

    forms::Control& control_;
    QPointer<QWidget> widget_;
    int subscription_ = 0;
};

}  // namespace bp::gui
