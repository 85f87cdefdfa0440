#include "forms/Label.h"

namespace bp::forms {

void Label::setCaption(std::string caption) {
    if (caption_ == caption) {
        return;
    }
    caption_ = std::move(caption);
    changed(Property::Caption);
}

void Label::setBackColor(std::optional<std::uint32_t> color) {
    if (backColor_ == color) {
        return;
    }
    backColor_ = color;
    changed(Property::Color);
}

bool Label::click() {
    if (!usable()) {
        return false;
    }
    fire(onClick);
    return true;
}

}  // namespace bp::forms
