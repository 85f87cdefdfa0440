#include "gui/ComboBinding.h"

#include <QLineEdit>
#include <QSignalBlocker>

#include "gui/QtText.h"

namespace bp::gui {

ComboBinding::ComboBinding(forms::ComboBox& combo, QWidget* parent)
    : ItemsBinding(combo, new QComboBox(parent)),
      model_(combo),
      combo_(static_cast<QComboBox*>(widget())) {
    combo_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    combo_->setMinimumContentsLength(8);
    // Typed text is the model's own; the widget must not add it as an entry.
    combo_->setInsertPolicy(QComboBox::NoInsert);
    connect(combo_, &QComboBox::activated, this, &ComboBinding::userChose);
}

void ComboBinding::replaceItems(const QStringList& texts) {
    const QSignalBlocker blocker(combo_);
    combo_->clear();
    combo_->addItems(texts);
}

void ComboBinding::pushCurrent() {
    const QSignalBlocker blocker(combo_);
    if (combo_->currentIndex() != model_.listIndex()) {
        combo_->setCurrentIndex(model_.listIndex());
    }
    // Setting the same text again would throw the caret to the end while the user types.
    const QString text = toQt(model_.text());
    if (combo_->isEditable() && combo_->currentText() != text) {
        const QSignalBlocker editBlocker(combo_->lineEdit());
        combo_->setEditText(text);
    }
}

void ComboBinding::pushStyle() {
    const bool editable = model_.style() == forms::ComboStyle::DropDownCombo;
    if (combo_->isEditable() != editable) {
        const QSignalBlocker blocker(combo_);
        combo_->setEditable(editable);
        if (editable) {
            connect(combo_->lineEdit(), &QLineEdit::textEdited, this, &ComboBinding::userTyped);
        }
    }
    pushCurrent();
}

void ComboBinding::userChose(int index) {
    if (itemsPending()) {
        pushItems();
        return;
    }
    if (index >= 0 && index < model_.listCount()) {
        model_.choose(index);
    }
    flush();
    pushCurrent();
}

void ComboBinding::userTyped(const QString& text) {
    // FIXME: typed keys reach the model as a changed text, not key by key; no form filters
    // the keys of a combo box yet.
    model_.setText(fromQt(text));
}

}  // namespace bp::gui
