#pragma once
// A frame as a group box; the controls inside it are siblings laid out within its bounds.

#include "forms/Frame.h"
#include "win/WinBinding.h"

namespace bp::win {

class FrameBinding : public WinBinding {
public:
    FrameBinding(forms::Frame& frame, const ChildPlace& place);

    SIZE preferredSize(const DialogMetrics& metrics) const override;
    bool isContainer() const override { return true; }
    RECT padding(const DialogMetrics& metrics) const override;
    bool takesFocus() const override { return false; }

protected:
    void sync(forms::Property property) override;
    void syncContent() override;

private:
    forms::Frame& model_;
};

}  // namespace bp::win
