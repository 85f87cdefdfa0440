#include "act/automation/ContactViewObject.h"

#include <array>

#include "act/automation/VariantConvert.h"

namespace bp::automation {

namespace {

enum Member : std::size_t { kCreateLookup, kSetActiveTab, kGetCurrentId };
constexpr const char* kMembers[] = {"CreateLookup", "SetActiveTab", "GetCurrentId"};

}  // namespace

ContactViewObject::ContactViewObject(ComPtr<IDispatch> object,
                                     std::shared_ptr<AdapterContext> context)
    : host_(std::move(object), "ContactView", "ContactView.", kMembers, std::move(context)) {}

void ContactViewObject::CreateLookup(const std::string& packedIds) {
    host_.call(kCreateLookup, std::array{fromText(packedIds)});
}

void ContactViewObject::SetActiveTab(const std::string& tabName) {
    host_.call(kSetActiveTab, std::array{fromText(tabName)});
}

std::string ContactViewObject::GetCurrentId() {
    return host_.text(kGetCurrentId);
}

}  // namespace bp::automation
