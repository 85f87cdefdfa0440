#pragma once
// The UI service of a batch run: nobody is there to answer, so every message goes to standard
// error as "title: text" and is answered with its default button; the file-save dialog is
// answered with the file named on the command line (cancelled when none was named); every
// other dialog and every modal window is cancelled. On a terminal, long work draws a
// progress bar there (TerminalProgressBar); elsewhere nothing is added to the output. Either
// way Ctrl+C stops the work while an InterruptWatch lives.

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "forms/UiService.h"
#include "platform/InterruptSink.h"
#include "platform/TerminalProgressBar.h"

namespace bp::output {

class BatchUi : public forms::UiService {
public:
    BatchUi(std::ostream& err, std::optional<std::string> saveAs)
        : err_(err), saveAs_(std::move(saveAs)) {}
    // `err` is a terminal: long work shows its progress there with `timing`.
    void showProgress(core::ProgressTiming timing) {
        bar_.emplace(err_, timing);
        sink_ = platform::InterruptSink(&*bar_);
    }

    forms::MsgResult message(const forms::MessageRequest& request) override;
    void showModal(forms::Form& form) override;
    std::optional<std::string> saveFile(const forms::SaveFileRequest& request) override;
    std::optional<forms::FontChoice> chooseFont(const forms::FontChoice&) override {
        return std::nullopt;
    }
    std::optional<std::uint32_t> chooseColor(std::uint32_t) override { return std::nullopt; }
    std::optional<std::string> browseFolder(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    void beep() override {}
    void setBusy(bool) override {}
    void quietStop(const std::string& reason) override;
    core::ProgressSink* progressSink() override { return &sink_; }

    // Messages shown so far (a run that showed one stopped with a message).
    int messageCount() const { return messageCount_; }

private:
    std::ostream& err_;
    std::optional<std::string> saveAs_;
    int messageCount_ = 0;
    std::optional<platform::TerminalProgressBar> bar_;
    platform::InterruptSink sink_;
};

}  // namespace bp::output
