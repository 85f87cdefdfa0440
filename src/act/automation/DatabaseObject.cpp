#include "act/automation/DatabaseObject.h"

#include <array>

#include "act/automation/ListTableObject.h"
#include "act/automation/RecordTableObject.h"
#include "act/automation/UsersObject.h"
#include "act/automation/VariantConvert.h"

namespace bp::automation {

namespace {

enum Member : std::size_t {
    kOpenEx,
    kListTable,
    kContact,
    kUsers,
    kSales,
    kGroup,
    kPhoneFormatting,
    kCurrentUser,
    kGetDatabasePath,
    kClose
};
constexpr const char* kMembers[] = {
    "OpenEx", "ListTable",       "Contact",     "Users",           "Sales",
    "Group",  "PhoneFormatting", "CurrentUser", "GetDatabasePath", "Close"};

}  // namespace

DatabaseObject::DatabaseObject(ComPtr<IDispatch> object, std::shared_ptr<AdapterContext> context)
    : host_(std::move(object), "Database", "Database.", kMembers, std::move(context)) {}

void DatabaseObject::OpenEx(const std::string& path) {
    host_.call(kOpenEx, std::array{fromText(path)});
}

std::shared_ptr<act::ListTable> DatabaseObject::GetListTable() {
    return std::make_shared<ListTableObject>(host_.object(kListTable), host_.context());
}

std::shared_ptr<act::RecordTable> DatabaseObject::table(std::size_t member, const char* countName) {
    return std::make_shared<RecordTableObject>(host_.object(member), countName, host_.context());
}

std::shared_ptr<act::RecordTable> DatabaseObject::Contact() {
    return table(kContact, "Contact");
}

std::shared_ptr<act::Users> DatabaseObject::GetUsers() {
    return std::make_shared<UsersObject>(host_.object(kUsers), host_.context());
}

std::shared_ptr<act::RecordTable> DatabaseObject::Sales() {
    return table(kSales, "Sales");
}

std::shared_ptr<act::RecordTable> DatabaseObject::Group() {
    return table(kGroup, "Group");
}

void DatabaseObject::PhoneFormatting(int mode) {
    host_.call(kPhoneFormatting, std::array{fromInt(mode)});
}

std::string DatabaseObject::CurrentUser() {
    return host_.text(kCurrentUser);
}

std::string DatabaseObject::GetDatabasePath() {
    return host_.text(kGetDatabasePath);
}

void DatabaseObject::Close() {
    host_.call(kClose);
}

}  // namespace bp::automation
