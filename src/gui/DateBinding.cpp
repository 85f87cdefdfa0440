#include "gui/DateBinding.h"

#include <QLocale>
#include <QSignalBlocker>

#include "gui/QtText.h"

namespace bp::gui {
namespace {

// The locale's short format with the century shown, so a picked year is never ambiguous.
QString fourDigitYears(QString format) {
    if (!format.contains(QStringLiteral("yyyy"))) {
        format.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    }
    return format;
}

}  // namespace

DateBinding::DateBinding(forms::DatePicker& picker, QWidget* parent)
    : ControlBinding(picker, new QDateEdit(parent)),
      model_(picker),
      edit_(static_cast<QDateEdit*>(widget())) {
    edit_->setCalendarPopup(true);
    edit_->setDisplayFormat(fourDigitYears(QLocale().dateFormat(QLocale::ShortFormat)));
    edit_->setMinimumDate(QDate(1601, 1, 1));
    edit_->setMaximumDate(QDate(9999, 12, 31));
    connect(edit_, &QDateEdit::dateChanged, this, &DateBinding::userPicked);
}

void DateBinding::sync(forms::Property property) {
    if (property == forms::Property::Value) {
        pushValue();
    }
}

void DateBinding::syncContent() {
    pushValue();
}

void DateBinding::pushValue() {
    const QSignalBlocker blocker(edit_);
    edit_->setDate(toQt(model_.value()).date());
}

void DateBinding::userPicked(QDate date) {
    DateTime value = model_.value();
    value.year = date.year();
    value.month = date.month();
    value.day = date.day();
    model_.pick(value);
    pushValue();
}

}  // namespace bp::gui
