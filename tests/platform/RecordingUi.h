#pragma once
// A UI service that records the messages it is shown and answers OK; enough for the
// platform's error handler (the full scripted UI belongs to the forms layer).

#include <vector>

#include "forms/UiService.h"

namespace bp::platform::test {

class RecordingUi : public forms::UiService {
public:
    std::vector<forms::MessageRequest> messages;

    forms::MsgResult message(const forms::MessageRequest& request) override {
        messages.push_back(request);
        return forms::MsgResult::OK;
    }
    void showModal(forms::Form&) override {}
    std::optional<std::string> saveFile(const forms::SaveFileRequest&) override {
        return std::nullopt;
    }
    std::optional<forms::FontChoice> chooseFont(const forms::FontChoice&) override {
        return std::nullopt;
    }
    std::optional<std::uint32_t> chooseColor(std::uint32_t) override { return std::nullopt; }
    std::optional<std::string> browseFolder(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    void beep() override {}
    void setBusy(bool) override {}
};

}  // namespace bp::platform::test
