#include "output/ProgressDialog.h"

#include <cmath>

namespace bp::output {

ProgressDialog::ProgressDialog(forms::UiService& ui, core::ProgressTiming timing)
    : ui_(ui), timing_(timing), form_(ui) {}

void ProgressDialog::show(const std::string& phase, double fraction) {
    if (!form_.cancelled()) {
        form_.lblPhase().setCaption(phase);
    }
    form_.prgDone().setValue(fraction < 0 ? forms::ProgressBar::kBusy
                                          : static_cast<int>(std::floor(fraction * 100)));
    if (!form_.visible()) {
        form_.show();
    }
    ui_.processEvents();
}

void ProgressDialog::finished() {
    form_.hide();
    form_.unload();
}

}  // namespace bp::output
