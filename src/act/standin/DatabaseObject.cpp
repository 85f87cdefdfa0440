#include "act/standin/DatabaseObject.h"

#include <array>

#include "act/automation/VariantConvert.h"
#include "act/standin/HostObject.h"
#include "act/standin/ListTableObject.h"
#include "act/standin/RecordTableObject.h"
#include "act/standin/UsersObject.h"

namespace bp::standin {

namespace {

class DatabaseObject : public HostObject<DatabaseObject, act::Database> {
public:
    using HostObject::HostObject;

    static std::span<const Member<DatabaseObject>> members() {
        static const std::array<Member<DatabaseObject>, 10> kMembers{{
            {L"OpenEx", 1, 1,
             [](DatabaseObject& self, const Arguments& args) {
                 self.target().OpenEx(args.text(0));
                 return noValue();
             }},
            {L"ListTable", 2, 0,
             [](DatabaseObject& self, const Arguments&) {
                 return objectValue(newListTableObject(self.host(), self.target().GetListTable()));
             }},
            {L"Contact", 3, 0,
             [](DatabaseObject& self, const Arguments&) {
                 return objectValue(newRecordTableObject(self.host(), self.target().Contact()));
             }},
            {L"Users", 4, 0,
             [](DatabaseObject& self, const Arguments&) {
                 return objectValue(newUsersObject(self.host(), self.target().GetUsers()));
             }},
            {L"Sales", 5, 0,
             [](DatabaseObject& self, const Arguments&) {
                 return objectValue(newRecordTableObject(self.host(), self.target().Sales()));
             }},
            {L"Group", 6, 0,
             [](DatabaseObject& self, const Arguments&) {
                 return objectValue(newRecordTableObject(self.host(), self.target().Group()));
             }},
            {L"PhoneFormatting", 7, 1,
             [](DatabaseObject& self, const Arguments& args) {
                 self.target().PhoneFormatting(args.integer(0));
                 return noValue();
             }},
            {L"CurrentUser", 8, 0,
             [](DatabaseObject& self, const Arguments&) {
                 return automation::fromText(self.target().CurrentUser());
             }},
            {L"GetDatabasePath", 9, 0,
             [](DatabaseObject& self, const Arguments&) {
                 return automation::fromText(self.target().GetDatabasePath());
             }},
            {L"Close", 10, 0,
             [](DatabaseObject& self, const Arguments&) {
                 self.target().Close();
                 return noValue();
             }},
        }};
        return kMembers;
    }
};

}  // namespace

DispatchObject* newDatabaseObject(HostRef host, std::shared_ptr<act::Database> target) {
    return wrap<DatabaseObject>(std::move(host), std::move(target));
}

}  // namespace bp::standin
