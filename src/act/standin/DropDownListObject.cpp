#include "act/standin/DropDownListObject.h"

#include <array>

#include "act/automation/VariantConvert.h"
#include "act/standin/HostObject.h"

namespace bp::standin {

namespace {

class DropDownListObject : public HostObject<DropDownListObject, act::DropDownList> {
public:
    using HostObject::HostObject;

    static std::span<const Member<DropDownListObject>> members() {
        static const std::array<Member<DropDownListObject>, 2> kMembers{{
            {L"PopupCount", 1, 0,
             [](DropDownListObject& self, const Arguments&) {
                 return automation::fromInt(self.target().PopupCount());
             }},
            {L"Value", 2, 1,
             [](DropDownListObject& self, const Arguments& args) {
                 return automation::fromText(self.target().Value(args.integer(0)));
             }},
        }};
        return kMembers;
    }
};

}  // namespace

DispatchObject* newDropDownListObject(HostRef host, std::shared_ptr<act::DropDownList> target) {
    return wrap<DropDownListObject>(std::move(host), std::move(target));
}

}  // namespace bp::standin
