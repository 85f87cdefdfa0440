#include "act/sim/SimApp.h"

#include "act/sim/LookupFile.h"
#include "act/sim/SimViews.h"
#include "platform/Error.h"

namespace bp::sim {

SimApp::SimApp(std::shared_ptr<SimState> state) : state_(std::move(state)) {
    CallLog& log = state_->log();
    openFile_ = log.member("App.OpenFile");
    isDbOpen_ = log.member("App.IsDBOpen");
    views_ = log.member("App.Views");
    saveLookup_ = log.member("App.SaveCurrentLookup");
    command_ = log.member("App.Command");
}

void SimApp::OpenFile(const std::string& path) {
    state_->log().call(openFile_);
    // "" keeps whatever the host has open; the host's own database path reopens it.
    if (path.empty()) {
        return;
    }
    HostStore& store = state_->store();
    if (path != store.meta("databasePath", store.path()) && path != store.path()) {
        raise(kErrFileNotFound, "The host cannot open " + path + ".");
    }
    state_->reopenHost();
}

bool SimApp::IsDBOpen() {
    state_->log().call(isDbOpen_);
    state_->refresh();
    return state_->isOpen();
}

std::shared_ptr<act::Views> SimApp::GetViews() {
    state_->log().call(views_);
    return std::make_shared<SimViews>(state_);
}

void SimApp::SaveCurrentLookup(const std::string& path) {
    state_->log().call(saveLookup_);
    state_->refresh();
    state_->requireOpen();
    const RecordSet& contacts = state_->records(TableKind::Contact);
    std::vector<std::string> ids;
    if (auto lookup = state_->store().currentLookup()) {
        for (const auto& id : *lookup) {
            if (contacts.find(id) != RecordSet::kNone) {
                ids.push_back(id);
            }
        }
    } else {
        ids.reserve(contacts.size());
        for (std::uint32_t i = 0; i < contacts.size(); ++i) {
            ids.emplace_back(contacts.field(i, 1));
        }
    }
    LookupFile::write(path, ids);
}

void SimApp::Command(int commandNumber) {
    state_->log().call(command_);
    state_->store().recordCommand(commandNumber);
    if (commandNumber == kCloseCommand) {
        state_->closeHost();
    }
}

}  // namespace bp::sim
