#pragma once
// The window shown while the program attaches to the host.

#include "forms/Form.h"
#include "forms/Label.h"

namespace bp::app {

class FrmSplash : public forms::Form {
public:
    explicit FrmSplash(forms::UiService& ui);

    forms::Label& lblTitle() { return *lblTitle_; }

private:
    forms::Label* lblTitle_ = nullptr;
    forms::Label* lblStatus_ = nullptr;
};

}  // namespace bp::app
