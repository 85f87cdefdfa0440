#pragma once
// A captioned group box. Controls inside it are disabled or hidden with it, and option buttons
// inside it form one group.

#include <string>

#include "forms/Control.h"

namespace bp::forms {

class Frame : public Control {
public:
    explicit Frame(const ControlInit& init) : Control(init, ControlKind::Frame) {}

    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption) {
        if (caption_ != caption) {
            caption_ = std::move(caption);
            changed(Property::Caption);
        }
    }

private:
    std::string caption_;
};

}  // namespace bp::forms
