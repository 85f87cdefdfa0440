#include "act/automation/DropDownListObject.h"

#include <array>

#include "act/automation/VariantConvert.h"

namespace bp::automation {

namespace {

enum Member : std::size_t { kPopupCount, kValue };
constexpr const char* kMembers[] = {"PopupCount", "Value"};

}  // namespace

DropDownListObject::DropDownListObject(ComPtr<IDispatch> object,
                                       std::shared_ptr<AdapterContext> context)
    : host_(std::move(object), "DropDownList", "DropDown.", kMembers, std::move(context)) {}

int DropDownListObject::PopupCount() {
    return host_.number(kPopupCount);
}

std::string DropDownListObject::Value(int index) {
    return host_.text(kValue, std::array{fromInt(index)});
}

}  // namespace bp::automation
