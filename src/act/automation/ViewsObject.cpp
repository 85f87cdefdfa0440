#include "act/automation/ViewsObject.h"

#include <array>

#include "act/automation/ContactViewObject.h"
#include "act/automation/VariantConvert.h"

namespace bp::automation {

namespace {

enum Member : std::size_t { kCreate };
constexpr const char* kMembers[] = {"Create"};

}  // namespace

ViewsObject::ViewsObject(ComPtr<IDispatch> object, std::shared_ptr<AdapterContext> context)
    : host_(std::move(object), "Views", "Views.", kMembers, std::move(context)) {}

std::shared_ptr<act::ContactView> ViewsObject::Create(int kind, const std::string& name) {
    return std::make_shared<ContactViewObject>(
        host_.object(kCreate, std::array{fromInt(kind), fromText(name)}), host_.context());
}

}  // namespace bp::automation
