#pragma once
// The database the host has open, as the program attaches to it with OpenEx("").

#include <memory>
#include <string>

#include "act/Application.h"
#include "act/sim/SimState.h"

namespace bp::sim {

class SimDatabase : public act::Database {
public:
    explicit SimDatabase(std::shared_ptr<SimState> state);

    void OpenEx(const std::string& path) override;
    std::shared_ptr<act::ListTable> GetListTable() override;
    std::shared_ptr<act::RecordTable> Contact() override;
    std::shared_ptr<act::Users> GetUsers() override;
    std::shared_ptr<act::RecordTable> Sales() override;
    std::shared_ptr<act::RecordTable> Group() override;
    void PhoneFormatting(int mode) override;
    std::string CurrentUser() override;
    std::string GetDatabasePath() override;
    void Close() override;

private:
    void requireAttached();
    std::shared_ptr<act::RecordTable> table(TableKind kind);

    std::shared_ptr<SimState> state_;
    bool attached_ = false;
    int phoneFormatting_ = 0;
    std::shared_ptr<act::RecordTable> tables_[3];
    CallLog::MemberId openEx_, listTable_, contact_, users_, sales_, group_, phone_, user_, path_,
        close_;
};

}  // namespace bp::sim
