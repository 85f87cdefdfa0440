#pragma once
// A text box as a single-line edit control whose typing goes through the model: typed
// characters, Backspace, Delete, cut and paste are taken from the edit control and handed to
// the model's keys (its KeyPress handler and its styles decide), and the model's text and
// selection are pushed back. Text that reaches the edit control some other way (an input
// method, another program's WM_SETTEXT) is typed over the whole text through the same keys.

#include "forms/TextBox.h"
#include "win/WinBinding.h"

namespace bp::win {

class TextBoxBinding : public WinBinding {
public:
    TextBoxBinding(forms::TextBox& box, const ChildPlace& place);
    ~TextBoxBinding() override;

    SIZE preferredSize(const DialogMetrics& metrics) const override;
    bool fillsWidth() const override { return true; }
    void placed() override;

    // The edit control's messages, before the control sees them; true when handled here.
    bool keyMessage(UINT message, WPARAM wParam);

protected:
    void sync(forms::Property property) override;
    void syncContent() override;
    void notified(int code) override;

private:
    void pushText();
    void pushSelection();
    void pushStyle();
    void copySelectionToModel();
    void typeCharacters(const std::wstring& text);
    void paste();
    void cut();
    void takeForeignText();

    forms::TextBox& model_;
};

}  // namespace bp::win
