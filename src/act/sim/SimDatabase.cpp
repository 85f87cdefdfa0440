#include "act/sim/SimDatabase.h"

#include "act/sim/HostErrors.h"
#include "act/sim/SimListTable.h"
#include "act/sim/SimRecordTable.h"
#include "act/sim/SimUsers.h"
#include "platform/Error.h"

namespace bp::sim {

SimDatabase::SimDatabase(std::shared_ptr<SimState> state) : state_(std::move(state)) {
    CallLog& log = state_->log();
    openEx_ = log.member("Database.OpenEx");
    listTable_ = log.member("Database.ListTable");
    contact_ = log.member("Database.Contact");
    users_ = log.member("Database.Users");
    sales_ = log.member("Database.Sales");
    group_ = log.member("Database.Group");
    phone_ = log.member("Database.PhoneFormatting");
    user_ = log.member("Database.CurrentUser");
    path_ = log.member("Database.GetDatabasePath");
    close_ = log.member("Database.Close");
}

void SimDatabase::requireAttached() {
    if (!attached_) {
        raise(kErrHostNoDatabase, "The database object is not open.");
    }
    state_->requireOpen();
}

void SimDatabase::OpenEx(const std::string& path) {
    state_->log().call(openEx_);
    state_->refresh();
    state_->requireOpen();
    if (!path.empty() && path != GetDatabasePath() && path != state_->store().path()) {
        raise(kErrFileNotFound, "The host has " + GetDatabasePath() + " open, not " + path + ".");
    }
    attached_ = true;
}

std::shared_ptr<act::RecordTable> SimDatabase::table(TableKind kind) {
    requireAttached();
    auto& slot = tables_[static_cast<int>(kind)];
    if (!slot) {
        slot = std::make_shared<SimRecordTable>(state_, kind);
    }
    return slot;
}

std::shared_ptr<act::ListTable> SimDatabase::GetListTable() {
    state_->log().call(listTable_);
    requireAttached();
    return std::make_shared<SimListTable>(state_);
}

std::shared_ptr<act::RecordTable> SimDatabase::Contact() {
    state_->log().call(contact_);
    return table(TableKind::Contact);
}

std::shared_ptr<act::Users> SimDatabase::GetUsers() {
    state_->log().call(users_);
    requireAttached();
    return std::make_shared<SimUsers>(state_);
}

std::shared_ptr<act::RecordTable> SimDatabase::Sales() {
    state_->log().call(sales_);
    return table(TableKind::Sales);
}

std::shared_ptr<act::RecordTable> SimDatabase::Group() {
    state_->log().call(group_);
    return table(TableKind::Group);
}

void SimDatabase::PhoneFormatting(int mode) {
    state_->log().call(phone_);
    requireAttached();
    phoneFormatting_ = mode;
}

std::string SimDatabase::CurrentUser() {
    state_->log().call(user_);
    requireAttached();
    return state_->store().meta("currentUser", "");
}

std::string SimDatabase::GetDatabasePath() {
    state_->log().call(path_);
    return state_->store().meta("databasePath", state_->store().path());
}

void SimDatabase::Close() {
    state_->log().call(close_);
    attached_ = false;
    for (auto& slot : tables_) {
        slot.reset();
    }
}

}  // namespace bp::sim
