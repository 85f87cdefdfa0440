#include "act/standin/AuxCmdsObject.h"

#include <array>

#include "act/automation/VariantConvert.h"
#include "act/standin/HostObject.h"

namespace bp::standin {

namespace {

using automation::fromInt;

class AuxCmdsObject : public HostObject<AuxCmdsObject, act::AuxCmds> {
public:
    using HostObject::HostObject;

    static std::span<const Member<AuxCmdsObject>> members() {
        static const std::array<Member<AuxCmdsObject>, 8> kMembers{{
            {L"AddAuxCommand", 1, 8,
             [](AuxCmdsObject& self, const Arguments& a) {
                 return fromInt(self.target().AddAuxCommand(a.text(0), a.text(1), a.text(2),
                                                            a.text(3), a.text(4), a.text(5),
                                                            a.text(6), a.integer(7)));
             }},
            {L"AuxCommandExists", 2, 1,
             [](AuxCmdsObject& self, const Arguments& a) {
                 return fromInt(self.target().AuxCommandExists(a.text(0)));
             }},
            {L"AuxCommandExistsInToolbar", 3, 2,
             [](AuxCmdsObject& self, const Arguments& a) {
                 return fromInt(self.target().AuxCommandExistsInToolbar(a.integer(0), a.text(1)));
             }},
            {L"AuxCommandExistsInToolsMenu", 4, 2,
             [](AuxCmdsObject& self, const Arguments& a) {
                 return fromInt(self.target().AuxCommandExistsInToolsMenu(a.integer(0), a.text(1)));
             }},
            {L"AddAuxCommandToToolbar", 5, 2,
             [](AuxCmdsObject& self, const Arguments& a) {
                 return fromInt(self.target().AddAuxCommandToToolbar(a.integer(0), a.text(1)));
             }},
            {L"AddAuxCommandToToolsMenu", 6, 2,
             [](AuxCmdsObject& self, const Arguments& a) {
                 return fromInt(self.target().AddAuxCommandToToolsMenu(a.integer(0), a.text(1)));
             }},
            {L"RemoveAuxCommandFromToolbar", 7, 2,
             [](AuxCmdsObject& self, const Arguments& a) {
                 return fromInt(self.target().RemoveAuxCommandFromToolbar(a.integer(0), a.text(1)));
             }},
            {L"RemoveAuxCommandFromToolsMenu", 8, 2,
             [](AuxCmdsObject& self, const Arguments& a) {
                 return fromInt(
                     self.target().RemoveAuxCommandFromToolsMenu(a.integer(0), a.text(1)));
             }},
        }};
        return kMembers;
    }
};

}  // namespace

DispatchObject* newAuxCmdsObject(HostRef host, std::shared_ptr<act::AuxCmds> target) {
    return wrap<AuxCmdsObject>(std::move(host), std::move(target));
}

}  // namespace bp::standin
