#include "act/automation/FieldDefsObject.h"

#include <array>

#include "act/automation/DropDownListObject.h"
#include "act/automation/VariantConvert.h"

namespace bp::automation {

namespace {

enum Member : std::size_t { kType, kCount, kID, kLabel, kFieldID, kPopupInfo };
constexpr const char* kMembers[] = {"Type", "Count", "ID", "Label", "FieldID", "PopupInfo"};

}  // namespace

FieldDefsObject::FieldDefsObject(ComPtr<IDispatch> object, const std::string& countName,
                                 std::shared_ptr<AdapterContext> context)
    : host_(std::move(object), "FieldDefs", countName + ".", kMembers, std::move(context)) {}

int FieldDefsObject::Type(int fieldNumber) {
    return host_.number(kType, std::array{fromInt(fieldNumber)});
}

int FieldDefsObject::Count() {
    return host_.number(kCount);
}

int FieldDefsObject::ID(int index) {
    return host_.number(kID, std::array{fromInt(index)});
}

std::string FieldDefsObject::Label(int fieldNumber) {
    return host_.text(kLabel, std::array{fromInt(fieldNumber)});
}

int FieldDefsObject::FieldID(const std::string& label) {
    return host_.number(kFieldID, std::array{fromText(label)});
}

std::shared_ptr<act::DropDownList> FieldDefsObject::PopupInfo(int fieldNumber, int kind) {
    return std::make_shared<DropDownListObject>(
        host_.object(kPopupInfo, std::array{fromInt(fieldNumber), fromInt(kind)}), host_.context());
}

}  // namespace bp::automation
