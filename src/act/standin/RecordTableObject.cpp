#include "act/standin/RecordTableObject.h"

#include <array>

#include "act/automation/VariantConvert.h"
#include "act/standin/FieldDefsObject.h"
#include "act/standin/HostObject.h"

namespace bp::standin {

namespace {

class RecordTableObject : public HostObject<RecordTableObject, act::RecordTable> {
public:
    using HostObject::HostObject;

    static std::span<const Member<RecordTableObject>> members() {
        static const std::array<Member<RecordTableObject>, 7> kMembers{{
            {L"GoTo", 1, 1,
             [](RecordTableObject& self, const Arguments& args) {
                 return automation::fromBool(self.target().GoTo(args.text(0)));
             }},
            {L"Data", 2, 1,
             [](RecordTableObject& self, const Arguments& args) {
                 return automation::fromText(self.target().Data(args.integer(0)));
             }},
            {L"MoveFirst", 3, 0,
             [](RecordTableObject& self, const Arguments&) {
                 self.target().MoveFirst();
                 return noValue();
             }},
            {L"MoveNext", 4, 0,
             [](RecordTableObject& self, const Arguments&) {
                 self.target().MoveNext();
                 return noValue();
             }},
            {L"isEOF", 5, 0,
             [](RecordTableObject& self, const Arguments&) {
                 return automation::fromBool(self.target().isEOF());
             }},
            {L"Fields", 6, 0,
             [](RecordTableObject& self, const Arguments&) {
                 return objectValue(newFieldDefsObject(self.host(), self.target().Fields()));
             }},
            {L"LoadLookupQuery", 7, 1,
             [](RecordTableObject& self, const Arguments& args) {
                 self.target().LoadLookupQuery(args.text(0));
                 return noValue();
             }},
        }};
        return kMembers;
    }
};

}  // namespace

DispatchObject* newRecordTableObject(HostRef host, std::shared_ptr<act::RecordTable> target) {
    return wrap<RecordTableObject>(std::move(host), std::move(target));
}

}  // namespace bp::standin
