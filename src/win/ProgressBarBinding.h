#pragma once
// A progress bar as the system's progress bar (common controls 6): 0..100 from the model, and
// a marquee while the amount of work is not known (an empty bar where marquees are not drawn).
// The system's bar draws no text: the percentage is the control's window text, painted over
// the bar after the control has drawn itself, as the desktop front end's bar shows it.

#include "forms/ProgressBar.h"
#include "win/WinBinding.h"

namespace bp::win {

class ProgressBarBinding : public WinBinding {
public:
    ProgressBarBinding(forms::ProgressBar& bar, const ChildPlace& place);

    SIZE preferredSize(const DialogMetrics& metrics) const override;
    bool fillsWidth() const override { return true; }
    bool takesFocus() const override { return false; }

protected:
    void sync(forms::Property property) override;
    void syncContent() override;

private:
    void setMarquee(bool on);

    static LRESULT CALLBACK paintPercentage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR id, DWORD_PTR data);

    forms::ProgressBar& model_;
};

}  // namespace bp::win
