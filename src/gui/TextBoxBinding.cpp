#include "gui/TextBoxBinding.h"

#include <QFontMetrics>
#include <algorithm>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QSignalBlocker>

#include "forms/Form.h"
#include "forms/UiService.h"
#include "gui/QtText.h"

namespace bp::gui {
namespace {

constexpr int kMostCharactersShown = 48;

}  // namespace

TextBoxBinding::TextBoxBinding(forms::TextBox& box, QWidget* parent)
    : ControlBinding(box, new QLineEdit(parent)),
      model_(box),
      edit_(static_cast<QLineEdit*>(widget())) {
    // Every edit goes through the keys; dropped text and the line edit's own menu would
    // bypass the form's key rules.
    edit_->setAcceptDrops(false);
    edit_->setDragEnabled(false);
    edit_->setContextMenuPolicy(Qt::NoContextMenu);
    // Anything that still changed the text behind the keys' back is put right again.
    connect(edit_, &QLineEdit::textEdited, this, [this] {
        model_.form().ui().beep();
        pushText();
    });
}

void TextBoxBinding::sync(forms::Property property) {
    switch (property) {
        case forms::Property::Text:
            pushText();
            break;
        case forms::Property::Selection:
            pushSelection();
            break;
        case forms::Property::Style:
            pushStyle();
            break;
        default:
            break;
    }
}

void TextBoxBinding::syncContent() {
    pushStyle();
    pushText();
}

void TextBoxBinding::pushText() {
    const QSignalBlocker blocker(edit_);
    const QString text = toQt(model_.text());
    if (edit_->text() != text) {
        edit_->setText(text);
        // A value the program fills in (a path, a name) is shown whole when it opens, up to a
        // width that keeps the window on screen; what the user types later may scroll.
        const QFontMetrics metrics(edit_->font());
        const int wanted = std::min(metrics.horizontalAdvance(text),
                                    metrics.averageCharWidth() * kMostCharactersShown) +
                           metrics.averageCharWidth() * 2;
        edit_->setMinimumWidth(std::max(edit_->minimumWidth(), wanted));
    }
    pushSelection();
}

void TextBoxBinding::pushSelection() {
    const QSignalBlocker blocker(edit_);
    const QString text = edit_->text();
    const int start = utf16Position(text, model_.selStart());
    if (model_.selLength() > 0) {
        edit_->setSelection(start,
                            utf16Position(text, model_.selStart() + model_.selLength()) - start);
    } else {
        edit_->setCursorPosition(start);
    }
}

void TextBoxBinding::pushStyle() {
    edit_->setReadOnly(model_.locked());
    edit_->setInputMethodHints(model_.numeric() ? Qt::ImhDigitsOnly : Qt::ImhNone);
}

void TextBoxBinding::copySelectionToModel() {
    const QString text = edit_->text();
    if (edit_->hasSelectedText()) {
        const int start = characterPosition(text, edit_->selectionStart());
        const int end = characterPosition(
            text, edit_->selectionStart() + static_cast<int>(edit_->selectedText().size()));
        model_.setSelStart(start);
        model_.setSelLength(end - start);
    } else {
        model_.setSelStart(characterPosition(text, edit_->cursorPosition()));
    }
}

bool TextBoxBinding::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_ && event->type() == QEvent::KeyPress) {
        return keyPress(static_cast<QKeyEvent*>(event));
    }
    return ControlBinding::eventFilter(watched, event);
}

bool TextBoxBinding::keyPress(QKeyEvent* key) {
    if (key->matches(QKeySequence::Paste)) {
        copySelectionToModel();
        typeCharacters(QApplication::clipboard()->text());
        return true;
    }
    if (key->matches(QKeySequence::Cut)) {
        copySelectionToModel();
        QApplication::clipboard()->setText(toQt(model_.selText()));
        model_.pressDelete();
        return true;
    }
    if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo)) {
        return true;  // FIXME: undo would restore text the form's rules never saw; not offered.
    }
    switch (key->key()) {
        case Qt::Key_Backspace:
            copySelectionToModel();
            model_.pressKey(forms::TextBox::kBackspace);
            return true;
        case Qt::Key_Delete:
            copySelectionToModel();
            model_.pressDelete();
            return true;
        default:
            break;
    }
    const QString text = key->text();
    const bool command = key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
    if (command || text.isEmpty() || text.front() < QLatin1Char(' ') ||
        text.front() == QChar(0x7F)) {
        return false;  // caret movement, selection, copy, Enter, Tab, Esc: the line edit's own
    }
    copySelectionToModel();
    typeCharacters(text);
    return true;
}

void TextBoxBinding::typeCharacters(const QString& text) {
    for (const char32_t codePoint : text.toUcs4()) {
        if (codePoint >= 32) {
            model_.pressKey(static_cast<int>(codePoint));
        }
    }
}

}  // namespace bp::gui
