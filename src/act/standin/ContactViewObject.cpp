#include "act/standin/ContactViewObject.h"

#include <array>

#include "act/automation/VariantConvert.h"
#include "act/standin/HostObject.h"

namespace bp::standin {

namespace {

class ContactViewObject : public HostObject<ContactViewObject, act::ContactView> {
public:
    using HostObject::HostObject;

    static std::span<const Member<ContactViewObject>> members() {
        static const std::array<Member<ContactViewObject>, 3> kMembers{{
            {L"CreateLookup", 1, 1,
             [](ContactViewObject& self, const Arguments& args) {
                 self.target().CreateLookup(args.text(0));
                 return noValue();
             }},
            {L"SetActiveTab", 2, 1,
             [](ContactViewObject& self, const Arguments& args) {
                 self.target().SetActiveTab(args.text(0));
                 return noValue();
             }},
            {L"GetCurrentId", 3, 0,
             [](ContactViewObject& self, const Arguments&) {
                 return automation::fromText(self.target().GetCurrentId());
             }},
        }};
        return kMembers;
    }
};

}  // namespace

DispatchObject* newContactViewObject(HostRef host, std::shared_ptr<act::ContactView> target) {
    return wrap<ContactViewObject>(std::move(host), std::move(target));
}

}  // namespace bp::standin
