#include "forms/ComboBox.h"

#include <stdexcept>

namespace bp::forms {

void ComboBox::setStyle(ComboStyle style) {
    if (style_ == style) {
        return;
    }
    style_ = style;
    changed(Property::Style);
    changed(Property::Text);
}

std::string ComboBox::text() const {
    if (style_ == ComboStyle::DropDownCombo) {
        return editText_;
    }
    return listIndex_ >= 0 ? entries_[static_cast<std::size_t>(listIndex_)].text : std::string{};
}

void ComboBox::setText(std::string text, Announcement announce) {
    const int match = findItem(text);
    if (style_ == ComboStyle::DropDownList) {
        if (match < 0) {
            throw std::invalid_argument("'" + text + "' is not an entry of " + name());
        }
        setListIndex(match, announce);
        return;
    }
    if (editText_ == text) {
        return;
    }
    editText_ = std::move(text);
    listIndex_ = match;
    changed(Property::Text);
    changed(Property::ListIndex);
    if (announce == Announcement::DoEmit) {
        fire(onChange);
    }
}

void ComboBox::applyListIndex(int position) {
    listIndex_ = position;
    if (style_ == ComboStyle::DropDownCombo && position >= 0) {
        editText_ = entries_[static_cast<std::size_t>(position)].text;
    }
    changed(Property::Text);
}

bool ComboBox::choose(int position) {
    if (!usable()) {
        return false;
    }
    setListIndex(position);
    return true;
}

bool ComboBox::choose(const std::string& text) {
    const int position = findItem(text);
    if (position < 0) {
        throw std::invalid_argument("'" + text + "' is not an entry of " + name());
    }
    return choose(position);
}

}  // namespace bp::forms
