#pragma once
// A single-line text box. Text assigned by code is kept as given; typed keys go through the
// KeyPress handler (which may refuse a key by setting it to 0) and then through the box's own
// styles: Locked, digits only, upper or lower case, MaxLength. A key the box itself refuses
// sounds the UI's beep and leaves the text as it was.
//
// Text is UTF-8; SelStart, SelLength and MaxLength count characters, not bytes.

#include <string>

#include "forms/Control.h"

namespace bp::forms {

enum class TextCase { Mixed, Upper, Lower };

class TextBox : public Control {
public:
    static constexpr int kBackspace = 8;

    explicit TextBox(const ControlInit& init) : Control(init, ControlKind::TextBox) {}

    const std::string& text() const { return text_; }
    // Raises Change when the text differs; the caret goes to the end, nothing is selected.
    void setText(std::string text, Announcement announce = Announcement::DoEmit);

    int maxLength() const { return maxLength_; }  // 0: no limit
    void setMaxLength(int maxLength);
    bool numeric() const { return numeric_; }
    void setNumeric(bool numeric);
    TextCase textCase() const { return textCase_; }
    void setTextCase(TextCase textCase);
    bool locked() const { return locked_; }
    void setLocked(bool locked);

    int length() const;
    int selStart() const { return selStart_; }
    int selLength() const { return selLength_; }
    std::string selText() const;
    // SelStart moves the caret and drops the selection; both clamp to the text.
    void setSelStart(int start);
    void setSelLength(int length);
    // Replaces the selection (or inserts at the caret) and raises Change.
    void setSelText(const std::string& text);

    // A typed key (a character code, or 8 for Backspace). False when refused.
    bool pressKey(int keyAscii) override;
    // Types every character of `text` in turn; false when any key was refused.
    bool typeText(const std::string& text);
    // The Delete key: it raises no KeyPress, so key filters do not see it.
    bool pressDelete();

    std::function<void()> onChange;

private:
    bool refuse();
    void replaceSelection(const std::string& with);
    bool insertTyped(int keyAscii);

    std::string text_;
    int maxLength_ = 0;
    bool numeric_ = false;
    TextCase textCase_ = TextCase::Mixed;
    bool locked_ = false;
    int selStart_ = 0;
    int selLength_ = 0;
};

}  // namespace bp::forms
