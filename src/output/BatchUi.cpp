#include "output/BatchUi.h"

#include "forms/Form.h"
#include "forms/ScriptedUi.h"

namespace bp::output {

forms::MsgResult BatchUi::message(const forms::MessageRequest& request) {
    ++messageCount_;
    std::string text = request.text;
    // Message texts break lines the Windows way; a terminal wants one line break.
    std::string oneLine;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            oneLine += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            oneLine += text[i];
        }
    }
    if (bar_) {
        bar_->wipe();
    }
    err_ << request.title << ": " << oneLine << std::endl;
    return forms::defaultAnswer(request);
}

void BatchUi::showModal(forms::Form& form) {
    // No window can be answered without a person: it closes as if cancelled.
    if (form.loaded()) {
        form.unload();
    }
}

std::optional<std::string> BatchUi::saveFile(const forms::SaveFileRequest&) {
    if (!saveAs_) {
        quietStop("no output file was named (--out FILE); nothing was exported");
    }
    return saveAs_;
}

void BatchUi::quietStop(const std::string& reason) {
    if (bar_) {
        bar_->wipe();
    }
    err_ << "brindlepath: " << reason << "\n";
}

}  // namespace bp::output
