#pragma once
// A date picker as a date edit with a calendar pop-up, in the user's short date format. The
// picker shows the date; the model's time of day is kept when the user picks another date.

#include <QDateEdit>

#include "forms/DatePicker.h"
#include "gui/ControlBinding.h"

namespace bp::gui {

class DateBinding : public ControlBinding {
    Q_OBJECT
public:
    DateBinding(forms::DatePicker& picker, QWidget* parent);

protected:
    void sync(forms::Property property) override;
    void syncContent() override;

private:
    void pushValue();
    void userPicked(QDate date);

    forms::DatePicker& model_;
    QDateEdit* edit_;
};

}  // namespace bp::gui
