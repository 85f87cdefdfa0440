#include "gui/QtUi.h"

#include <QApplication>
#include <QColorDialog>
#include <QCursor>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>

#include "forms/MenuEntry.h"
#include "forms/ScriptedUi.h"
#include "gui/FontColorDialog.h"
#include "gui/QtText.h"
#include "gui/TimerBinding.h"
#include "output/ProgressDialog.h"

namespace bp::gui {
namespace {

QMessageBox::StandardButton standardButton(forms::MsgResult result) {
    switch (result) {
        case forms::MsgResult::OK:
            return QMessageBox::Ok;
        case forms::MsgResult::Cancel:
            return QMessageBox::Cancel;
        case forms::MsgResult::Abort:
            return QMessageBox::Abort;
        case forms::MsgResult::Retry:
            return QMessageBox::Retry;
        case forms::MsgResult::Ignore:
            return QMessageBox::Ignore;
        case forms::MsgResult::Yes:
            return QMessageBox::Yes;
        case forms::MsgResult::No:
            return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon boxIcon(forms::MsgIcon icon) {
    switch (icon) {
        case forms::MsgIcon::Critical:
            return QMessageBox::Critical;
        case forms::MsgIcon::Question:
            return QMessageBox::Question;
        case forms::MsgIcon::Exclamation:
            return QMessageBox::Warning;
        case forms::MsgIcon::Information:
            return QMessageBox::Information;
        case forms::MsgIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

// Fills `menu` with the reachable entries under `entry`, remembering which action is which.
void fillMenu(QMenu& menu, const forms::MenuEntry& entry,
              std::map<QAction*, forms::MenuEntry*>& actions) {
    for (forms::MenuEntry* child : entry.children()) {
        if (!child->visible()) {
            continue;
        }
        if (child->separator()) {
            menu.addSeparator();
        } else if (!child->children().empty()) {
            QMenu* sub = menu.addMenu(toQt(child->caption()));
            sub->setEnabled(child->enabled());
            fillMenu(*sub, *child, actions);
        } else {
            QAction* action = menu.addAction(toQt(child->caption()));
            action->setObjectName(ControlBinding::toObjectName(*child));
            action->setEnabled(child->enabled());
            action->setCheckable(child->checkedMark());
            action->setChecked(child->checkedMark());
            actions[action] = child;
        }
    }
}

}  // namespace

QtUi::QtUi() = default;

QtUi::~QtUi() {
    if (busy_) {
        QApplication::restoreOverrideCursor();
    }
}

FormRenderer& QtUi::attach(forms::Form& form) {
    auto& slot = attached_[&form];
    if (!slot) {
        slot = std::make_unique<FormRenderer>(form);
        if (form.visible()) {
            slot->window().show();
        }
    }
    return *slot;
}

core::ProgressSink* QtUi::progressSink() {
    if (!progress_) {
        progress_ = std::make_unique<output::ProgressDialog>(*this);
        attach(progress_->form()).window().setWindowModality(Qt::ApplicationModal);
    }
    return progress_.get();
}

namespace {

// The forms' timers wait while a run lets the person act: their handlers (the host asking
// the program to close) must not run in the middle of a run. A held tick comes again at the
// timer's next interval.
class FormTimersHeld : public QObject {
public:
    FormTimersHeld() { QCoreApplication::instance()->installEventFilter(this); }
    ~FormTimersHeld() override { QCoreApplication::instance()->removeEventFilter(this); }
    FormTimersHeld(const FormTimersHeld&) = delete;
    FormTimersHeld& operator=(const FormTimersHeld&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        return event->type() == QEvent::Timer &&
               watched->property(TimerBinding::kFormTimer).toBool();
    }
};

}  // namespace

void QtUi::processEvents() {
    FormTimersHeld held;
    QCoreApplication::processEvents();
}

void QtUi::detach(forms::Form& form) {
    attached_.erase(&form);
}

FormRenderer* QtUi::rendererOf(const forms::Form& form) const {
    if (auto it = attached_.find(&form); it != attached_.end()) {
        return it->second.get();
    }
    auto it = modal_.find(&form);
    return it == modal_.end() ? nullptr : it->second;
}

QWidget* QtUi::dialogParent() const {
    if (QWidget* modal = QApplication::activeModalWidget()) {
        return modal;
    }
    if (QWidget* active = QApplication::activeWindow()) {
        return active;
    }
    for (const auto& [form, renderer] : attached_) {
        if (renderer->window().isVisible()) {
            return &renderer->window();
        }
    }
    return nullptr;
}

forms::MsgResult QtUi::message(const forms::MessageRequest& request) {
    // A message ends what the run was doing: the progress window would only stand in front.
    if (progress_) {
        progress_->form().hide();
    }
    QMessageBox box(dialogParent());
    box.setObjectName(QStringLiteral("messageBox"));
    box.setWindowTitle(toQt(request.title));
    box.setText(messageText(request.text));
    box.setTextFormat(Qt::PlainText);
    box.setIcon(boxIcon(request.icon));
    const std::vector<forms::MsgResult> answers = forms::buttonsOf(request.buttons);
    std::map<QAbstractButton*, forms::MsgResult> byButton;
    for (forms::MsgResult answer : answers) {
        byButton[box.addButton(standardButton(answer))] = answer;
    }
    box.setDefaultButton(standardButton(forms::defaultAnswer(request)));
    box.exec();
    auto it = byButton.find(box.clickedButton());
    if (it != byButton.end()) {
        return it->second;
    }
    // Closed from the title bar: what Esc would have answered.
    const bool cancellable =
        std::find(answers.begin(), answers.end(), forms::MsgResult::Cancel) != answers.end();
    return cancellable ? forms::MsgResult::Cancel : forms::defaultAnswer(request);
}

void QtUi::showModal(forms::Form& form) {
    FormRenderer renderer(form, dialogParent());
    modal_[&form] = &renderer;
    renderer.flush();
    if (form.visible() && form.loaded()) {
        renderer.window().exec();
    }
    modal_.erase(&form);
    // However the window went away, the form must not think it is still on screen.
    if (form.visible()) {
        form.hide();
    }
}

std::optional<std::string> QtUi::saveFile(const forms::SaveFileRequest& request) {
    if (saveFileAnswer_) {
        return saveFileAnswer_(request);
    }
    QFileDialog dialog(dialogParent(), toQt(request.title), toQt(request.initialFolder));
    dialog.setObjectName(QStringLiteral("saveFileDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(qtFileFilter(request.filter));
    dialog.setDefaultSuffix(toQt(request.defaultExtension));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.promptOverwrite);
    if (!request.fileName.empty()) {
        dialog.selectFile(toQt(request.fileName));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return fromQt(dialog.selectedFiles().front());
}

std::optional<forms::FontChoice> QtUi::chooseFont(const forms::FontChoice& initial) {
    FontColorDialog dialog(initial, dialogParent());
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.choice();
}

std::optional<std::uint32_t> QtUi::chooseColor(std::uint32_t initial) {
    QColorDialog dialog(colorFromBgr(initial), dialogParent());
    dialog.setObjectName(QStringLiteral("colorDialog"));
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return bgrFromColor(dialog.selectedColor());
}

std::optional<std::string> QtUi::browseFolder(const std::string& title,
                                              const std::string& startFolder) {
    QFileDialog dialog(dialogParent(), toQt(title), toQt(startFolder));
    dialog.setObjectName(QStringLiteral("folderDialog"));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return fromQt(dialog.selectedFiles().front());
}

void QtUi::beep() {
    ++beeps_;
    QApplication::beep();
}

void QtUi::setBusy(bool busy) {
    if (busy == busy_) {
        return;  // nested busy stretches keep one pointer, and one restore ends it
    }
    busy_ = busy;
    if (busy) {
        QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    } else {
        QApplication::restoreOverrideCursor();
    }
}

forms::MenuEntry* QtUi::popupMenu(forms::Form& form, forms::MenuEntry& menu, int x, int y) {
    (void)x;
    (void)y;
    FormRenderer* owner = rendererOf(form);
    QMenu popup(owner != nullptr ? &owner->window() : dialogParent());
    popup.setObjectName(ControlBinding::toObjectName(menu));
    std::map<QAction*, forms::MenuEntry*> actions;
    fillMenu(popup, menu, actions);
    if (actions.empty()) {
        return nullptr;
    }
    // Forms pop their menus up where the mouse was pressed, so the pointer is the place.
    QAction* chosen = popup.exec(QCursor::pos());
    auto it = actions.find(chosen);
    return it == actions.end() ? nullptr : it->second;
}

}  // namespace bp::gui
