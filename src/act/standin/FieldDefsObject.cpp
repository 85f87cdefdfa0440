#include "act/standin/FieldDefsObject.h"

#include <array>

#include "act/automation/VariantConvert.h"
#include "act/standin/DropDownListObject.h"
#include "act/standin/HostObject.h"

namespace bp::standin {

namespace {

class FieldDefsObject : public HostObject<FieldDefsObject, act::FieldDefs> {
public:
    using HostObject::HostObject;

    static std::span<const Member<FieldDefsObject>> members() {
        static const std::array<Member<FieldDefsObject>, 6> kMembers{{
            {L"Type", 1, 1,
             [](FieldDefsObject& self, const Arguments& args) {
                 return automation::fromInt(self.target().Type(args.integer(0)));
             }},
            {L"Count", 2, 0,
             [](FieldDefsObject& self, const Arguments&) {
                 return automation::fromInt(self.target().Count());
             }},
            {L"ID", 3, 1,
             [](FieldDefsObject& self, const Arguments& args) {
                 return automation::fromInt(self.target().ID(args.integer(0)));
             }},
            {L"Label", 4, 1,
             [](FieldDefsObject& self, const Arguments& args) {
                 return automation::fromText(self.target().Label(args.integer(0)));
             }},
            {L"FieldID", 5, 1,
             [](FieldDefsObject& self, const Arguments& args) {
                 return automation::fromInt(self.target().FieldID(args.text(0)));
             }},
            {L"PopupInfo", 6, 2,
             [](FieldDefsObject& self, const Arguments& args) {
                 return objectValue(newDropDownListObject(
                     self.host(), self.target().PopupInfo(args.integer(0), args.integer(1))));
             }},
        }};
        return kMembers;
    }
};

}  // namespace

DispatchObject* newFieldDefsObject(HostRef host, std::shared_ptr<act::FieldDefs> target) {
    return wrap<FieldDefsObject>(std::move(host), std::move(target));
}

}  // namespace bp::standin
