#include "act/automation/AppObject.h"

#include <array>

#include "act/automation/VariantConvert.h"
#include "act/automation/ViewsObject.h"

namespace bp::automation {

namespace {

enum Member : std::size_t { kOpenFile, kIsDBOpen, kViews, kSaveCurrentLookup, kCommand };
constexpr const char* kMembers[] = {"OpenFile", "IsDBOpen", "Views", "SaveCurrentLookup",
                                    "Command"};

}  // namespace

AppObject::AppObject(ComPtr<IDispatch> object, std::shared_ptr<AdapterContext> context)
    : host_(std::move(object), "App", "App.", kMembers, std::move(context)) {}

void AppObject::OpenFile(const std::string& path) {
    host_.call(kOpenFile, std::array{fromText(path)});
}

bool AppObject::IsDBOpen() {
    return host_.flag(kIsDBOpen);
}

std::shared_ptr<act::Views> AppObject::GetViews() {
    return std::make_shared<ViewsObject>(host_.object(kViews), host_.context());
}

void AppObject::SaveCurrentLookup(const std::string& path) {
    host_.call(kSaveCurrentLookup, std::array{fromText(path)});
}

void AppObject::Command(int commandNumber) {
    host_.call(kCommand, std::array{fromInt(commandNumber)});
}

}  // namespace bp::automation
