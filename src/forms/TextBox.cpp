#include "forms/TextBox.h"

#include <algorithm>

#include "forms/Form.h"
#include "forms/UiService.h"
#include "forms/Utf8.h"

namespace bp::forms {

void TextBox::setText(std::string text, Announcement announce) {
    if (text_ == text) {
        return;
    }
    text_ = std::move(text);
    selStart_ = length();
    selLength_ = 0;
    changed(Property::Text);
    changed(Property::Selection);
    if (announce == Announcement::DoEmit) {
        fire(onChange);
    }
}

void TextBox::setMaxLength(int maxLength) {
    maxLength = std::max(0, maxLength);
    if (maxLength_ != maxLength) {
        maxLength_ = maxLength;
        changed(Property::Style);
    }
}

void TextBox::setNumeric(bool numeric) {
    if (numeric_ != numeric) {
        numeric_ = numeric;
        changed(Property::Style);
    }
}

void TextBox::setTextCase(TextCase textCase) {
    if (textCase_ != textCase) {
        textCase_ = textCase;
        changed(Property::Style);
    }
}

void TextBox::setLocked(bool locked) {
    if (locked_ != locked) {
        locked_ = locked;
        changed(Property::Style);
    }
}

int TextBox::length() const {
    return utf8::length(text_);
}

std::string TextBox::selText() const {
    const std::size_t from = utf8::offset(text_, selStart_);
    const std::size_t to = utf8::offset(text_, selStart_ + selLength_);
    return text_.substr(from, to - from);
}

void TextBox::setSelStart(int start) {
    selStart_ = std::clamp(start, 0, length());
    selLength_ = 0;
    changed(Property::Selection);
}

void TextBox::setSelLength(int selLength) {
    selLength_ = std::clamp(selLength, 0, length() - selStart_);
    changed(Property::Selection);
}

void TextBox::setSelText(const std::string& text) {
    replaceSelection(text);
}

void TextBox::replaceSelection(const std::string& with) {
    const std::size_t from = utf8::offset(text_, selStart_);
    const std::size_t to = utf8::offset(text_, selStart_ + selLength_);
    std::string next = text_.substr(0, from) + with + text_.substr(to);
    const int caret = selStart_ + utf8::length(with);
    const bool differs = next != text_;
    text_ = std::move(next);
    selStart_ = caret;
    selLength_ = 0;
    if (differs) {
        changed(Property::Text);
    }
    changed(Property::Selection);
    if (differs) {
        fire(onChange);
    }
}

bool TextBox::refuse() {
    form().ui().beep();
    return false;
}

bool TextBox::pressKey(int keyAscii) {
    if (!usable()) {
        return false;
    }
    fire(onKeyPress, keyAscii);
    if (keyAscii == 0) {
        return false;  // the form's key filter refused it and decides itself whether to beep
    }
    if (locked_) {
        return refuse();
    }
    if (keyAscii == kBackspace) {
        if (selLength_ == 0 && selStart_ > 0) {
            --selStart_;
            selLength_ = 1;
        }
        replaceSelection({});
        return true;
    }
    if (keyAscii < 32 || keyAscii == 127) {
        return true;  // Enter, Tab, Esc and other control keys edit nothing
    }
    return insertTyped(keyAscii);
}

bool TextBox::insertTyped(int keyAscii) {
    if (numeric_ && (keyAscii < '0' || keyAscii > '9')) {
        return refuse();
    }
    if (maxLength_ > 0 && length() - selLength_ + 1 > maxLength_) {
        return refuse();
    }
    if (textCase_ == TextCase::Upper && keyAscii >= 'a' && keyAscii <= 'z') {
        keyAscii += 'A' - 'a';
    } else if (textCase_ == TextCase::Lower && keyAscii >= 'A' && keyAscii <= 'Z') {
        keyAscii += 'a' - 'A';
    }
    replaceSelection(utf8::encode(keyAscii));
    return true;
}

bool TextBox::typeText(const std::string& text) {
    bool all = true;
    for (int codePoint : utf8::decode(text)) {
        all = pressKey(codePoint) && all;
    }
    return all;
}

bool TextBox::pressDelete() {
    if (!usable()) {
        return false;
    }
    if (locked_) {
        return refuse();
    }
    if (selLength_ == 0 && selStart_ < length()) {
        selLength_ = 1;
    }
    replaceSelection({});
    return true;
}

}  // namespace bp::forms
