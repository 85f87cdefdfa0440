#include "act/automation/RecordTableObject.h"

#include <array>

#include "act/automation/FieldDefsObject.h"
#include "act/automation/VariantConvert.h"

namespace bp::automation {

namespace {

enum Member : std::size_t { kGoTo, kData, kMoveFirst, kMoveNext, kIsEOF, kFields, kLoadLookup };
constexpr const char* kMembers[] = {"GoTo",  "Data",   "MoveFirst",      "MoveNext",
                                    "isEOF", "Fields", "LoadLookupQuery"};

}  // namespace

RecordTableObject::RecordTableObject(ComPtr<IDispatch> object, const std::string& tableName,
                                     std::shared_ptr<AdapterContext> context)
    : host_(std::move(object), "RecordTable", tableName + ".", kMembers, std::move(context)),
      tableName_(tableName) {}

bool RecordTableObject::GoTo(const std::string& uniqueId) {
    return host_.flag(kGoTo, std::array{fromText(uniqueId)});
}

std::string RecordTableObject::Data(int fieldNumber) {
    return host_.text(kData, std::array{fromInt(fieldNumber)});
}

void RecordTableObject::MoveFirst() {
    host_.call(kMoveFirst);
}

void RecordTableObject::MoveNext() {
    host_.call(kMoveNext);
}

bool RecordTableObject::isEOF() {
    return host_.flag(kIsEOF);
}

std::shared_ptr<act::FieldDefs> RecordTableObject::Fields() {
    return std::make_shared<FieldDefsObject>(host_.object(kFields), tableName_ + "Fields",
                                             host_.context());
}

void RecordTableObject::LoadLookupQuery(const std::string& path) {
    host_.call(kLoadLookup, std::array{fromText(path)});
}

}  // namespace bp::automation
