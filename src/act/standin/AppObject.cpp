#include "act/standin/AppObject.h"

#include <array>

#include "act/automation/VariantConvert.h"
#include "act/standin/HostObject.h"
#include "act/standin/ViewsObject.h"

namespace bp::standin {

namespace {

using automation::Variant;

class AppObject : public HostObject<AppObject, act::ActApp> {
public:
    using HostObject::HostObject;

    static std::span<const Member<AppObject>> members() {
        static const std::array<Member<AppObject>, 5> kMembers{{
            {L"OpenFile", 1, 1,
             [](AppObject& self, const Arguments& args) {
                 self.target().OpenFile(args.text(0));
                 return noValue();
             }},
            {L"IsDBOpen", 2, 0,
             [](AppObject& self, const Arguments&) {
                 return automation::fromBool(self.target().IsDBOpen());
             }},
            {L"Views", 3, 0,
             [](AppObject& self, const Arguments&) {
                 return objectValue(newViewsObject(self.host(), self.target().GetViews()));
             }},
            {L"SaveCurrentLookup", 4, 1,
             [](AppObject& self, const Arguments& args) {
                 self.target().SaveCurrentLookup(args.text(0));
                 return noValue();
             }},
            {L"Command", 5, 1,
             [](AppObject& self, const Arguments& args) {
                 self.target().Command(args.integer(0));
                 return noValue();
             }},
        }};
        return kMembers;
    }
};

}  // namespace

DispatchObject* newAppObject(HostRef host, std::shared_ptr<act::ActApp> target) {
    return wrap<AppObject>(std::move(host), std::move(target));
}

}  // namespace bp::standin
