#include "act/standin/ListTableObject.h"

#include <array>

#include "act/automation/VariantConvert.h"
#include "act/standin/HostObject.h"

namespace bp::standin {

namespace {

class ListTableObject : public HostObject<ListTableObject, act::ListTable> {
public:
    using HostObject::HostObject;

    static std::span<const Member<ListTableObject>> members() {
        static const std::array<Member<ListTableObject>, 4> kMembers{{
            {L"SetScope", 1, 1,
             [](ListTableObject& self, const Arguments& args) {
                 self.target().SetScope(args.integer(0));
                 return noValue();
             }},
            {L"RecordCount", 2, 0,
             [](ListTableObject& self, const Arguments&) {
                 return automation::fromInt(self.target().RecordCount());
             }},
            {L"Data", 3, 1,
             [](ListTableObject& self, const Arguments& args) {
                 return automation::fromText(self.target().Data(args.integer(0)));
             }},
            {L"MoveNext", 4, 0,
             [](ListTableObject& self, const Arguments&) {
                 self.target().MoveNext();
                 return noValue();
             }},
        }};
        return kMembers;
    }
};

}  // namespace

DispatchObject* newListTableObject(HostRef host, std::shared_ptr<act::ListTable> target) {
    return wrap<ListTableObject>(std::move(host), std::move(target));
}

}  // namespace bp::standin
