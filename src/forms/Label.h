#pragma once
// A caption on the window; it takes no focus but can be clicked (a box's clickable label) and
// can show a colour swatch.

#include <cstdint>
#include <optional>
#include <string>

#include "forms/Control.h"

namespace bp::forms {

class Label : public Control {
public:
    explicit Label(const ControlInit& init) : Control(init, ControlKind::Label) {}

    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption);

    // 0x00BBGGRR; empty for the window's own background.
    std::optional<std::uint32_t> backColor() const { return backColor_; }
    void setBackColor(std::optional<std::uint32_t> color);

    // A label the user clicks to act, drawn as a link; set before the window is shown.
    bool link() const { return link_; }
    void setLink(bool link) { link_ = link; }

    // A user's click; nothing happens on an unusable label.
    bool click();

    std::function<void()> onClick;

private:
    std::string caption_;
    std::optional<std::uint32_t> backColor_;
    bool link_ = false;
};

}  // namespace bp::forms
