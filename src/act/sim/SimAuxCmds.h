#pragma once
// The host's auxiliary commands and their placements in the toolbars and Tools menus of
// views 1 to 6, kept in the host database so the host tool can list them.

#include <memory>
#include <optional>
#include <string>

#include "act/Integration.h"
#include "act/sim/SimState.h"

namespace bp::sim {

class SimAuxCmds : public act::AuxCmds {
public:
    static constexpr int kOk = 0;
    static constexpr int kRefused = 1;  // no name given
    static constexpr int kNoSuchView = 2;
    static constexpr int kNoSuchCommand = 3;

    explicit SimAuxCmds(std::shared_ptr<SimState> state);

    int AddAuxCommand(const std::string& name, const std::string& programPath,
                      const std::string& workingFolder, const std::string& displayText,
                      const std::string& tooltip, const std::string& iconFile,
                      const std::string& largeIconFile, int flags) override;
    int AuxCommandExists(const std::string& name) override;
    int AuxCommandExistsInToolbar(int view, const std::string& name) override;
    int AuxCommandExistsInToolsMenu(int view, const std::string& name) override;
    int AddAuxCommandToToolbar(int view, const std::string& name) override;
    int AddAuxCommandToToolsMenu(int view, const std::string& name) override;
    int RemoveAuxCommandFromToolbar(int view, const std::string& name) override;
    int RemoveAuxCommandFromToolsMenu(int view, const std::string& name) override;

private:
    // Counts the call; a forced result from the fault settings replaces the member's work.
    std::optional<int> enter(const std::string& member);
    int exists(const std::string& member, Place place, int view, const std::string& name);
    int place(const std::string& member, Place place, int view, const std::string& name,
              bool placed);

    std::shared_ptr<SimState> state_;
};

}  // namespace bp::sim
