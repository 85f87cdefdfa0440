#include "act/automation/ListTableObject.h"

#include <array>

#include "act/automation/VariantConvert.h"

namespace bp::automation {

namespace {

enum Member : std::size_t { kSetScope, kRecordCount, kData, kMoveNext };
constexpr const char* kMembers[] = {"SetScope", "RecordCount", "Data", "MoveNext"};

}  // namespace

ListTableObject::ListTableObject(ComPtr<IDispatch> object, std::shared_ptr<AdapterContext> context)
    : host_(std::move(object), "ListTable", "ListTable.", kMembers, std::move(context)) {}

void ListTableObject::SetScope(int kind) {
    host_.call(kSetScope, std::array{fromInt(kind)});
}

int ListTableObject::RecordCount() {
    return host_.number(kRecordCount);
}

std::string ListTableObject::Data(int fieldNumber) {
    return host_.text(kData, std::array{fromInt(fieldNumber)});
}

void ListTableObject::MoveNext() {
    host_.call(kMoveNext);
}

}  // namespace bp::automation
