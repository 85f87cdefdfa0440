#pragma once
// A text box as a line edit. Typed keys do not reach the line edit: each goes to the model's
// pressKey(), so the form's KeyPress handler and the box's own styles (digits only, case,
// MaxLength, Locked) decide, and a refused key beeps through the UI service. The line edit
// then shows the model's text and caret.

#include <QLineEdit>

#include "forms/TextBox.h"
#include "gui/ControlBinding.h"

class QKeyEvent;

namespace bp::gui {

class TextBoxBinding : public ControlBinding {
    Q_OBJECT
public:
    TextBoxBinding(forms::TextBox& box, QWidget* parent);

protected:
    void sync(forms::Property property) override;
    void syncContent() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // True when the key was handled here and must not reach the line edit.
    bool keyPress(QKeyEvent* key);
    void typeCharacters(const QString& text);
    void copySelectionToModel();
    void pushText();
    void pushSelection();
    void pushStyle();

    forms::TextBox& model_;
    QLineEdit* edit_;
};

}  // namespace bp::gui
