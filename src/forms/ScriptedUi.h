#pragma once
// The UI service for tests and for runs without a person: it records everything a user would
// have seen and answers from queues a test fills beforehand.
//
// - Message boxes are answered from the answer queue, else with the default button.
// - A modal form runs the script registered for its name; a form the script leaves open is
//   hidden afterwards (and the record says so), so a test never hangs.
// - File-save, font, colour and folder dialogs are answered from their queues, else cancelled.
// - Popup menus are answered with the entry named in the popup queue, else dismissed.

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "forms/ScriptedProgress.h"
#include "forms/UiService.h"

namespace bp::forms {

struct MessageRecord {
    MessageRequest request;
    MsgResult answer = MsgResult::OK;
};

struct ModalRecord {
    std::string formName;
    bool scripted = false;  // a script was registered for the form
    bool leftOpen = false;  // the script (or its absence) left the form shown; it was hidden
};

struct FolderRequest {
    std::string title;
    std::string startFolder;
};

struct PopupEntryState {
    std::string name;
    int index = -1;
    std::string caption;
    bool enabled = true;
    bool visible = true;
};

struct PopupRecord {
    std::string formName;
    std::string menuName;
    int x = 0;
    int y = 0;
    std::vector<PopupEntryState> entries;  // the menu's entries as the user saw them
    std::string chosen;                    // empty when dismissed
};

// The buttons of a message box in their order on screen, and the default button's answer.
std::vector<MsgResult> buttonsOf(MsgButtons buttons);
MsgResult defaultAnswer(const MessageRequest& request);
const char* toString(MsgResult result);
const char* toString(MsgIcon icon);

class ScriptedUi : public UiService {
public:
    using FormScript = std::function<void(Form&)>;

    // Message boxes. An answer that is not a button of the box it meets throws
    // std::logic_error: the test's script is out of step with the program.
    void queueAnswer(MsgResult answer) { answers_.push_back(answer); }
    const std::vector<MessageRecord>& messages() const { return messages_; }
    std::size_t pendingAnswers() const { return answers_.size(); }

    // Runs `script` whenever a form of that name is shown modally (replacing an earlier one).
    void onModal(const std::string& formName, FormScript script);
    const std::vector<ModalRecord>& modals() const { return modals_; }

    void queueSaveFile(std::optional<std::string> path) { saveAnswers_.push_back(std::move(path)); }
    const std::vector<SaveFileRequest>& saveRequests() const { return saveRequests_; }
    void queueFont(std::optional<FontChoice> font) { fontAnswers_.push_back(std::move(font)); }
    const std::vector<FontChoice>& fontRequests() const { return fontRequests_; }
    void queueColor(std::optional<std::uint32_t> color) { colorAnswers_.push_back(color); }
    const std::vector<std::uint32_t>& colorRequests() const { return colorRequests_; }
    void queueFolder(std::optional<std::string> folder) {
        folderAnswers_.push_back(std::move(folder));
    }
    const std::vector<FolderRequest>& folderRequests() const { return folderRequests_; }

    // Popup menus: the name of the entry to choose, or empty to dismiss.
    void queuePopupChoice(std::string entryName) { popupAnswers_.push_back(std::move(entryName)); }
    const std::vector<PopupRecord>& popups() const { return popups_; }

    // Long work shows itself here at every look; a test may have it cancel in a phase.
    ScriptedProgress& progress() { return progress_; }
    core::ProgressSink* progressSink() override { return &progress_; }

    // Runs whenever long work lets the person act, as a click during the work would.
    void onEvents(std::function<void()> script) { eventsScript_ = std::move(script); }
    void processEvents() override {
        if (eventsScript_) {
            eventsScript_();
        }
    }

    int beeps() const { return beeps_; }
    bool busy() const { return busy_; }
    const std::vector<bool>& busyChanges() const { return busyChanges_; }

    // Forgets what was recorded; queued answers and scripts stay.
    void clearRecords();

    MsgResult message(const MessageRequest& request) override;
    void showModal(Form& form) override;
    std::optional<std::string> saveFile(const SaveFileRequest& request) override;
    std::optional<FontChoice> chooseFont(const FontChoice& initial) override;
    std::optional<std::uint32_t> chooseColor(std::uint32_t initial) override;
    std::optional<std::string> browseFolder(const std::string& title,
                                            const std::string& startFolder) override;
    void beep() override { ++beeps_; }
    void setBusy(bool busy) override;
    MenuEntry* popupMenu(Form& form, MenuEntry& menu, int x, int y) override;

private:
    template <class T>
    static std::optional<T> take(std::deque<std::optional<T>>& queue) {
        if (queue.empty()) {
            return std::nullopt;
        }
        auto answer = std::move(queue.front());
        queue.pop_front();
        return answer;
    }

    std::deque<MsgResult> answers_;
    std::vector<MessageRecord> messages_;
    std::map<std::string, FormScript> scripts_;
    std::vector<ModalRecord> modals_;
    std::deque<std::optional<std::string>> saveAnswers_;
    std::vector<SaveFileRequest> saveRequests_;
    std::deque<std::optional<FontChoice>> fontAnswers_;
    std::vector<FontChoice> fontRequests_;
    std::deque<std::optional<std::uint32_t>> colorAnswers_;
    std::vector<std::uint32_t> colorRequests_;
    std::deque<std::optional<std::string>> folderAnswers_;
    std::vector<FolderRequest> folderRequests_;
    std::deque<std::string> popupAnswers_;
    std::vector<PopupRecord> popups_;
    ScriptedProgress progress_;
    std::function<void()> eventsScript_;
    int beeps_ = 0;
    bool busy_ = false;
    std::vector<bool> busyChanges_;
};

}  // namespace bp::forms
