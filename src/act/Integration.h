#pragma once
// The host's auxiliary-command object ("ACTOLE.AUXCMDS") and its event control.

#include <functional>
#include <string>

namespace bp::act {

// Results: 0 success, anything else failure; the Exists members answer 1 or 0.
class AuxCmds {
public:
    virtual ~AuxCmds() = default;
    virtual int AddAuxCommand(const std::string& name, const std::string& programPath,
                              const std::string& workingFolder, const std::string& displayText,
                              const std::string& tooltip, const std::string& iconFile,
                              const std::string& largeIconFile, int flags) = 0;
    virtual int AuxCommandExists(const std::string& name) = 0;
    virtual int AuxCommandExistsInToolbar(int view, const std::string& name) = 0;
    virtual int AuxCommandExistsInToolsMenu(int view, const std::string& name) = 0;
    virtual int AddAuxCommandToToolbar(int view, const std::string& name) = 0;
    virtual int AddAuxCommandToToolsMenu(int view, const std::string& name) = 0;
    virtual int RemoveAuxCommandFromToolbar(int view, const std::string& name) = 0;
    virtual int RemoveAuxCommandFromToolsMenu(int view, const std::string& name) = 0;
};

// The event control. Events are delivered only from poll(), which the program calls from its
// user-interface thread (a timer of the main window), so handlers never run on another thread.
class ActEvent {
public:
    virtual ~ActEvent() = default;
    virtual int Register(int flags) = 0;  // 1 or more, or -1, is success
    virtual void Unregister() = 0;
    virtual bool IsHostRunning() = 0;
    virtual void poll() = 0;
    std::function<void()> OnActUserWantsToClose;
};

}  // namespace bp::act
