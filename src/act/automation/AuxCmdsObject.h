#pragma once
// The host's auxiliary-command object ("ACTOLE.AUXCMDS") reached by automation.

#include "act/Integration.h"
#include "act/automation/HostObject.h"

namespace bp::automation {

class AuxCmdsObject : public act::AuxCmds {
public:
    AuxCmdsObject(ComPtr<IDispatch> object, std::shared_ptr<AdapterContext> context);

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
    int inView(std::size_t member, int view, const std::string& name);

    HostObject host_;
};

}  // namespace bp::automation
