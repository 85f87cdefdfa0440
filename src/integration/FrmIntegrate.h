#pragma once
// "Integrate with ACT!": places the program's launch command on the host's toolbars and in its
// Tools menus, for six views. Each box acts on the host the moment it changes; Close only
// decides what to say: a failure, or the offer to re-start the host so it shows the changes.

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "act/Integration.h"
#include "act/Session.h"
#include "forms/Controls.h"

namespace bp::integration {

// What AddAuxCommand is given, built for the platform the program runs on.
struct CommandDefinition {
    std::string programPath;
    std::string workingFolder;
    std::string iconFile;
    std::string largeIconFile;
};
CommandDefinition commandDefinition(const std::string& programFolder,
                                    const std::string& programName);

class FrmIntegrate : public forms::Form {
public:
    static constexpr int kBoxes = 12;
    static constexpr int kViews = 6;

    explicit FrmIntegrate(act::Session& session);

    // Runs the main window's closing sequence after the user agreed to re-start the host.
    std::function<void()> closeMainWindow;

    forms::CheckBox& chkScreen(int index) { return *chkScreen_.at(static_cast<size_t>(index)); }
    forms::Label& lblScreen(int index) { return *lblScreen_.at(static_cast<size_t>(index)); }
    forms::CommandButton& cmdOK() { return *cmdOK_; }
    forms::CommandButton& cmdCancel() { return *cmdCancel_; }
    bool bChanged() const { return bChanged_; }
    long lAuxResult() const { return lAuxResult_; }

    void chkScreen_Click(int Index);
    void lblScreen_Click(int Index);
    void cmdOK_Click();
    void cmdCancel_Click();

protected:
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;

private:
    void createControls();
    void fillBoxes();
    void CheckCommand();
    void Message();
    void MessAddFailed();
    int placeOrRemove(int Index, bool place);
    void guard(const char* routine, const std::function<void()>& body);

    act::Session& session_;
    std::array<forms::Frame*, 2> Frame1_{};
    std::array<forms::CheckBox*, kBoxes> chkScreen_{};
    std::array<forms::Label*, kBoxes> lblScreen_{};
    forms::CommandButton* cmdOK_ = nullptr;
    forms::CommandButton* cmdCancel_ = nullptr;
    std::shared_ptr<act::AuxCmds> objAuxCmds_;
    bool bChanged_ = false;
    bool filling_ = false;
    long lAuxResult_ = 0;
    int iAnswer_ = 0;
};

}  // namespace bp::integration
