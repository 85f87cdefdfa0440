#pragma once
// A label as a static text control; a click on it reaches the model, and its back colour
// (a colour swatch) is painted by the window through background().

#include "forms/Label.h"
#include "win/WinBinding.h"

namespace bp::win {

class LabelBinding : public WinBinding {
public:
    LabelBinding(forms::Label& label, const ChildPlace& place);
    ~LabelBinding() override;

    SIZE preferredSize(const DialogMetrics& metrics) const override;
    bool takesFocus() const override { return false; }
    // The brush for the label's own back colour, or nullptr for the window's background.
    HBRUSH background(HDC dc) const;
    // A label the user clicks to act shows in the system's link colour, under a hand.
    bool link() const { return model_.link(); }
    void linkText(HDC dc) const;

protected:
    void sync(forms::Property property) override;
    void syncContent() override;
    void notified(int code) override;

private:
    void pushColor();

    forms::Label& model_;
    HBRUSH brush_ = nullptr;
};

}  // namespace bp::win
