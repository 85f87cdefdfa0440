#include "act/automation/UsersObject.h"

#include <array>

#include "act/automation/VariantConvert.h"

namespace bp::automation {

namespace {

enum Member : std::size_t { kCount, kUniqueID, kName };
constexpr const char* kMembers[] = {"Count", "UniqueID", "Name"};

}  // namespace

UsersObject::UsersObject(ComPtr<IDispatch> object, std::shared_ptr<AdapterContext> context)
    : host_(std::move(object), "Users", "Users.", kMembers, std::move(context)) {}

int UsersObject::Count() {
    return host_.number(kCount);
}

std::string UsersObject::UniqueID(int position) {
    return host_.text(kUniqueID, std::array{fromInt(position)});
}

std::string UsersObject::Name(int position) {
    return host_.text(kName, std::array{fromInt(position)});
}

}  // namespace bp::automation
