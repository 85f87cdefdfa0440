#pragma once
// The UI service on Qt: message boxes, modal forms, the file-save, font, colour and folder
// dialogs, popup menus, the beep and the busy pointer.
//
// A modal form is rendered when it is shown and its window dropped when it hides or unloads,
// so dialogs need no code of their own here. A form shown without waiting (the main window)
// is attached once with attach() and stays rendered until detach().

#include <QObject>
#include <functional>
#include <map>
#include <memory>

#include "forms/UiService.h"
#include "gui/FormRenderer.h"

class QWidget;

namespace bp::output {
class ProgressDialog;
}  // namespace bp::output

namespace bp::gui {

class QtUi : public QObject, public forms::UiService {
    Q_OBJECT
public:
    QtUi();
    ~QtUi() override;

    // Renders a form that is shown without waiting; its Visible shows and hides the window.
    FormRenderer& attach(forms::Form& form);
    void detach(forms::Form& form);
    FormRenderer* rendererOf(const forms::Form& form) const;

    forms::MsgResult message(const forms::MessageRequest& request) override;
    void showModal(forms::Form& form) override;
    std::optional<std::string> saveFile(const forms::SaveFileRequest& request) override;
    std::optional<forms::FontChoice> chooseFont(const forms::FontChoice& initial) override;
    std::optional<std::uint32_t> chooseColor(std::uint32_t initial) override;
    std::optional<std::string> browseFolder(const std::string& title,
                                            const std::string& startFolder) override;
    void beep() override;
    void setBusy(bool busy) override;
    forms::MenuEntry* popupMenu(forms::Form& form, forms::MenuEntry& menu, int x, int y) override;
    // The progress window of long runs, rendered once and kept; modal to the whole program
    // while shown, so nothing else starts while a run lets events through.
    core::ProgressSink* progressSink() override;
    void processEvents() override;

    // Answers the file-save dialog in place of the user, for tests and unattended runs: the
    // answer gets the request and returns the chosen path, or nothing for Cancel. Without one
    // the dialog is shown.
    using SaveFileAnswer =
        std::function<std::optional<std::string>(const forms::SaveFileRequest& request)>;
    void setSaveFileAnswer(SaveFileAnswer answer) { saveFileAnswer_ = std::move(answer); }

    // How often the program beeped: a refused key is otherwise silent on a test machine.
    int beeps() const { return beeps_; }
    bool busy() const { return busy_; }

private:
    QWidget* dialogParent() const;

    // Before the renderers, so the progress window's form outlives its renderer.
    std::unique_ptr<output::ProgressDialog> progress_;
    std::map<const forms::Form*, std::unique_ptr<FormRenderer>> attached_;
    std::map<const forms::Form*, FormRenderer*> modal_;
    SaveFileAnswer saveFileAnswer_;
    int beeps_ = 0;
    bool busy_ = false;
};

}  // namespace bp::gui
