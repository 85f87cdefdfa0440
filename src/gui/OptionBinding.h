#pragma once
// An option button. The model groups option buttons by container and clears the others of a
// group itself, so the radio buttons are not exclusive on their own: the model may leave a
// group with nothing chosen, which Qt's exclusive groups cannot show.

#include <QRadioButton>

#include "forms/OptionButton.h"
#include "gui/ControlBinding.h"

namespace bp::gui {

class OptionBinding : public ControlBinding {
    Q_OBJECT
public:
    OptionBinding(forms::OptionButton& option, QWidget* parent);

protected:
    void sync(forms::Property property) override;
    void syncContent() override;

private:
    void pushValue();

    forms::OptionButton& model_;
    QRadioButton* radio_;
};

}  // namespace bp::gui
