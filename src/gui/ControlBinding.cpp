#include "gui/ControlBinding.h"

#include <QAbstractScrollArea>
#include <QFocusEvent>
#include <QMouseEvent>

namespace bp::gui {
namespace {

// The form model's Shift argument: 1 Shift, 2 Ctrl, 4 Alt.
int shiftState(Qt::KeyboardModifiers modifiers) {
    int shift = 0;
    shift |= modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0;
    shift |= modifiers.testFlag(Qt::ControlModifier) ? 2 : 0;
    shift |= modifiers.testFlag(Qt::AltModifier) ? 4 : 0;
    return shift;
}

forms::MouseButton modelButton(Qt::MouseButton button) {
    switch (button) {
        case Qt::RightButton:
            return forms::MouseButton::Right;
        case Qt::MiddleButton:
            return forms::MouseButton::Middle;
        default:
            return forms::MouseButton::Left;
    }
}

}  // namespace

ControlBinding::ControlBinding(forms::Control& control, QWidget* widget)
    : control_(control), widget_(widget) {
    subscription_ = control_.subscribe(
        [this](forms::Control&, forms::Property property) { onModelChange(property); });
    if (widget != nullptr) {
        widget->setObjectName(toObjectName(control));
        watch(widget);
    }
}

ControlBinding::~ControlBinding() {
    control_.unsubscribe(subscription_);
}

QString ControlBinding::toObjectName(const forms::Control& control) {
    QString name = QString::fromStdString(control.name());
    if (control.index() >= 0) {
        name += QString::number(control.index());
    }
    return name;
}

void ControlBinding::watch(QWidget* widget) {
    widget->installEventFilter(this);
    if (auto* scrolled = qobject_cast<QAbstractScrollArea*>(widget)) {
        scrolled->viewport()->installEventFilter(this);
    }
}

void ControlBinding::syncAll() {
    syncContent();
    onModelChange(forms::Property::Enabled);
    onModelChange(forms::Property::Visible);
}

void ControlBinding::onModelChange(forms::Property property) {
    if (widget_ != nullptr) {
        switch (property) {
            case forms::Property::Enabled:
                widget_->setEnabled(control_.enabled());
                break;
            case forms::Property::Visible:
                widget_->setHidden(!control_.visible());
                break;
            case forms::Property::Focus:
                if (control_.hasFocus() && !widget_->hasFocus()) {
                    widget_->setFocus(Qt::OtherFocusReason);
                }
                break;
            default:
                break;
        }
    }
    sync(property);
}

bool ControlBinding::eventFilter(QObject* watched, QEvent* event) {
    (void)watched;
    switch (event->type()) {
        case QEvent::FocusIn:
            // Nothing happens when the model already has the focus there, so a push of the
            // focus into the widget does not come back as a second GotFocus.
            control_.setFocus();
            break;
        case QEvent::MouseButtonPress: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            const QPoint at = mouse->position().toPoint();
            control_.mouseDown(modelButton(mouse->button()), shiftState(mouse->modifiers()), at.x(),
                               at.y());
            break;
        }
        case QEvent::MouseButtonDblClick:
            control_.doubleClick();
            break;
        default:
            break;
    }
    return false;
}

}  // namespace bp::gui
