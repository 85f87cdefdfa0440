#pragma once
// The host's open database ("ACTOLE.DATABASE") reached by automation.

#include "act/Application.h"
#include "act/automation/HostObject.h"

namespace bp::automation {

class DatabaseObject : public act::Database {
public:
    DatabaseObject(ComPtr<IDispatch> object, std::shared_ptr<AdapterContext> context);

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
    std::shared_ptr<act::RecordTable> table(std::size_t member, const char* countName);

    HostObject host_;
};

}  // namespace bp::automation
