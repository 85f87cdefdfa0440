#include "act/automation/AuxCmdsObject.h"

#include <array>

#include "act/automation/VariantConvert.h"

namespace bp::automation {

namespace {

enum Member : std::size_t {
    kAddAuxCommand,
    kAuxCommandExists,
    kExistsInToolbar,
    kExistsInToolsMenu,
    kAddToToolbar,
    kAddToToolsMenu,
    kRemoveFromToolbar,
    kRemoveFromToolsMenu
};
constexpr const char* kMembers[] = {"AddAuxCommand",
                                    "AuxCommandExists",
                                    "AuxCommandExistsInToolbar",
                                    "AuxCommandExistsInToolsMenu",
                                    "AddAuxCommandToToolbar",
                                    "AddAuxCommandToToolsMenu",
                                    "RemoveAuxCommandFromToolbar",
                                    "RemoveAuxCommandFromToolsMenu"};

}  // namespace

AuxCmdsObject::AuxCmdsObject(ComPtr<IDispatch> object, std::shared_ptr<AdapterContext> context)
    : host_(std::move(object), "AuxCmds", "AuxCmds.", kMembers, std::move(context)) {}

int AuxCmdsObject::AddAuxCommand(const std::string& name, const std::string& programPath,
                                 const std::string& workingFolder, const std::string& displayText,
                                 const std::string& tooltip, const std::string& iconFile,
                                 const std::string& largeIconFile, int flags) {
    return host_.number(kAddAuxCommand,
                        std::array{fromText(name), fromText(programPath), fromText(workingFolder),
                                   fromText(displayText), fromText(tooltip), fromText(iconFile),
                                   fromText(largeIconFile), fromInt(flags)});
}

int AuxCmdsObject::AuxCommandExists(const std::string& name) {
    return host_.number(kAuxCommandExists, std::array{fromText(name)});
}

int AuxCmdsObject::inView(std::size_t member, int view, const std::string& name) {
    return host_.number(member, std::array{fromInt(view), fromText(name)});
}

int AuxCmdsObject::AuxCommandExistsInToolbar(int view, const std::string& name) {
    return inView(kExistsInToolbar, view, name);
}

int AuxCmdsObject::AuxCommandExistsInToolsMenu(int view, const std::string& name) {
    return inView(kExistsInToolsMenu, view, name);
}

int AuxCmdsObject::AddAuxCommandToToolbar(int view, const std::string& name) {
    return inView(kAddToToolbar, view, name);
}

int AuxCmdsObject::AddAuxCommandToToolsMenu(int view, const std::string& name) {
    return inView(kAddToToolsMenu, view, name);
}

int AuxCmdsObject::RemoveAuxCommandFromToolbar(int view, const std::string& name) {
    return inView(kRemoveFromToolbar, view, name);
}

int AuxCmdsObject::RemoveAuxCommandFromToolsMenu(int view, const std::string& name) {
    return inView(kRemoveFromToolsMenu, view, name);
}

}  // namespace bp::automation
