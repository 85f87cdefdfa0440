#include "forms/ScriptedUi.h"

#include <algorithm>
#include <stdexcept>

#include "forms/Form.h"
#include "forms/MenuEntry.h"

namespace bp::forms {

std::vector<MsgResult> buttonsOf(MsgButtons buttons) {
    using R = MsgResult;
    switch (buttons) {
        case MsgButtons::OK:
            return {R::OK};
        case MsgButtons::OKCancel:
            return {R::OK, R::Cancel};
        case MsgButtons::AbortRetryIgnore:
            return {R::Abort, R::Retry, R::Ignore};
        case MsgButtons::YesNoCancel:
            return {R::Yes, R::No, R::Cancel};
        case MsgButtons::YesNo:
            return {R::Yes, R::No};
        case MsgButtons::RetryCancel:
            return {R::Retry, R::Cancel};
    }
    return {R::OK};
}

MsgResult defaultAnswer(const MessageRequest& request) {
    const auto buttons = buttonsOf(request.buttons);
    // A default position past the last button falls back to the first, as message boxes do.
    const auto position = static_cast<std::size_t>(std::max(0, request.defaultButton));
    return position < buttons.size() ? buttons[position] : buttons.front();
}

const char* toString(MsgResult result) {
    switch (result) {
        case MsgResult::OK:
            return "OK";
        case MsgResult::Cancel:
            return "Cancel";
        case MsgResult::Abort:
            return "Abort";
        case MsgResult::Retry:
            return "Retry";
        case MsgResult::Ignore:
            return "Ignore";
        case MsgResult::Yes:
            return "Yes";
        case MsgResult::No:
            return "No";
    }
    return "?";
}

const char* toString(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::None:
            return "none";
        case MsgIcon::Critical:
            return "critical";
        case MsgIcon::Question:
            return "question";
        case MsgIcon::Exclamation:
            return "exclamation";
        case MsgIcon::Information:
            return "information";
    }
    return "?";
}

MsgResult ScriptedUi::message(const MessageRequest& request) {
    MsgResult answer = defaultAnswer(request);
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
        const auto buttons = buttonsOf(request.buttons);
        if (std::find(buttons.begin(), buttons.end(), answer) == buttons.end()) {
            messages_.push_back({request, answer});
            throw std::logic_error(std::string("Scripted answer ") + toString(answer) +
                                   " is not a button of the message \"" + request.text + "\"");
        }
    }
    messages_.push_back({request, answer});
    return answer;
}

void ScriptedUi::onModal(const std::string& formName, FormScript script) {
    scripts_[formName] = std::move(script);
}

void ScriptedUi::showModal(Form& form) {
    const std::size_t record = modals_.size();
    modals_.push_back({form.name()});
    auto it = scripts_.find(form.name());
    if (it != scripts_.end()) {
        modals_[record].scripted = true;
        FormScript script = it->second;  // a script may register others while it runs
        script(form);
    }
    if (form.visible()) {
        modals_[record].leftOpen = true;
        form.hide();
    }
}

std::optional<std::string> ScriptedUi::saveFile(const SaveFileRequest& request) {
    saveRequests_.push_back(request);
    return take(saveAnswers_);
}

std::optional<FontChoice> ScriptedUi::chooseFont(const FontChoice& initial) {
    fontRequests_.push_back(initial);
    return take(fontAnswers_);
}

std::optional<std::uint32_t> ScriptedUi::chooseColor(std::uint32_t initial) {
    colorRequests_.push_back(initial);
    return take(colorAnswers_);
}

std::optional<std::string> ScriptedUi::browseFolder(const std::string& title,
                                                    const std::string& startFolder) {
    folderRequests_.push_back({title, startFolder});
    return take(folderAnswers_);
}

void ScriptedUi::setBusy(bool busy) {
    busy_ = busy;
    busyChanges_.push_back(busy);
}

MenuEntry* ScriptedUi::popupMenu(Form& form, MenuEntry& menu, int x, int y) {
    PopupRecord record{form.name(), menu.name(), x, y};
    for (MenuEntry* entry : menu.children()) {
        record.entries.push_back(
            {entry->name(), entry->index(), entry->caption(), entry->enabled(), entry->visible()});
    }
    MenuEntry* chosen = nullptr;
    if (!popupAnswers_.empty()) {
        record.chosen = popupAnswers_.front();
        popupAnswers_.pop_front();
        for (MenuEntry* entry : menu.children()) {
            if (entry->name() == record.chosen) {
                chosen = entry;
                break;
            }
        }
        if (chosen == nullptr && !record.chosen.empty()) {
            popups_.push_back(std::move(record));
            throw std::logic_error("Scripted popup choice '" + popups_.back().chosen +
                                   "' is not an entry of " + menu.name());
        }
    }
    popups_.push_back(std::move(record));
    return chosen;
}

void ScriptedUi::clearRecords() {
    messages_.clear();
    modals_.clear();
    saveRequests_.clear();
    fontRequests_.clear();
    colorRequests_.clear();
    folderRequests_.clear();
    popups_.clear();
    beeps_ = 0;
    busyChanges_.clear();
}

}  // namespace bp::forms
