#include "act/sim/SimAuxCmds.h"

namespace bp::sim {

namespace {

bool isView(int view) {
    return view >= 1 && view <= 6;
}

}  // namespace

SimAuxCmds::SimAuxCmds(std::shared_ptr<SimState> state) : state_(std::move(state)) {}

std::optional<int> SimAuxCmds::enter(const std::string& member) {
    std::string name = "AuxCmds." + member;
    state_->log().call(state_->log().member(name));
    return state_->log().forcedResult(name);
}

int SimAuxCmds::AddAuxCommand(const std::string& name, const std::string& programPath,
                              const std::string& workingFolder, const std::string& displayText,
                              const std::string& tooltip, const std::string& iconFile,
                              const std::string& largeIconFile, int flags) {
    if (auto forced = enter("AddAuxCommand")) {
        return *forced;
    }
    if (name.empty()) {
        return kRefused;
    }
    state_->store().putAuxCommand(
        {name, programPath, workingFolder, displayText, tooltip, iconFile, largeIconFile, flags});
    return kOk;
}

int SimAuxCmds::AuxCommandExists(const std::string& name) {
    if (auto forced = enter("AuxCommandExists")) {
        return *forced;
    }
    return state_->store().auxCommand(name) ? 1 : 0;
}

int SimAuxCmds::exists(const std::string& member, Place where, int view, const std::string& name) {
    if (auto forced = enter(member)) {
        return *forced;
    }
    return isView(view) && state_->store().isPlaced({view, where, name}) ? 1 : 0;
}

int SimAuxCmds::place(const std::string& member, Place where, int view, const std::string& name,
                      bool placed) {
    if (auto forced = enter(member)) {
        return *forced;
    }
    if (!isView(view)) {
        return kNoSuchView;
    }
    if (placed && !state_->store().auxCommand(name)) {
        return kNoSuchCommand;
    }
    state_->store().setPlaced({view, where, name}, placed);
    return kOk;
}

int SimAuxCmds::AuxCommandExistsInToolbar(int view, const std::string& name) {
    return exists("AuxCommandExistsInToolbar", Place::Toolbar, view, name);
}

int SimAuxCmds::AuxCommandExistsInToolsMenu(int view, const std::string& name) {
    return exists("AuxCommandExistsInToolsMenu", Place::ToolsMenu, view, name);
}

int SimAuxCmds::AddAuxCommandToToolbar(int view, const std::string& name) {
    return place("AddAuxCommandToToolbar", Place::Toolbar, view, name, true);
}

int SimAuxCmds::AddAuxCommandToToolsMenu(int view, const std::string& name) {
    return place("AddAuxCommandToToolsMenu", Place::ToolsMenu, view, name, true);
}

int SimAuxCmds::RemoveAuxCommandFromToolbar(int view, const std::string& name) {
    return place("RemoveAuxCommandFromToolbar", Place::Toolbar, view, name, false);
}

int SimAuxCmds::RemoveAuxCommandFromToolsMenu(int view, const std::string& name) {
    return place("RemoveAuxCommandFromToolsMenu", Place::ToolsMenu, view, name, false);
}

}  // namespace bp::sim
