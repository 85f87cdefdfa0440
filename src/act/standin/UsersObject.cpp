#include "act/standin/UsersObject.h"

#include <array>

#include "act/automation/VariantConvert.h"
#include "act/standin/HostObject.h"

namespace bp::standin {

namespace {

class UsersObject : public HostObject<UsersObject, act::Users> {
public:
    using HostObject::HostObject;

    static std::span<const Member<UsersObject>> members() {
        static const std::array<Member<UsersObject>, 3> kMembers{{
            {L"Count", 1, 0,
             [](UsersObject& self, const Arguments&) {
                 return automation::fromInt(self.target().Count());
             }},
            {L"UniqueID", 2, 1,
             [](UsersObject& self, const Arguments& args) {
                 return automation::fromText(self.target().UniqueID(args.integer(0)));
             }},
            {L"Name", 3, 1,
             [](UsersObject& self, const Arguments& args) {
                 return automation::fromText(self.target().Name(args.integer(0)));
             }},
        }};
        return kMembers;
    }
};

}  // namespace

DispatchObject* newUsersObject(HostRef host, std::shared_ptr<act::Users> target) {
    return wrap<UsersObject>(std::move(host), std::move(target));
}

}  // namespace bp::standin
