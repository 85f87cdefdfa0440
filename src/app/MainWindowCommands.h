#pragma once
// Connects the main window's run button and menus to the layers that do the work: the run
// (output), the host integration dialog (integration) and the report library (reports). The
// main window owns it, so the connections live exactly as long as the window.

#include <memory>
#include <optional>
#include <string>

#include "act/Session.h"
#include "output/FrmPreview.h"
#include "output/RunWindow.h"

namespace bp::integration {
class FrmIntegrate;
}

namespace bp::app {

class FrmMain;
class MainWindowCount;
class MainWindowReports;

class MainWindowCommands : public output::RunWindow {
public:
    MainWindowCommands(FrmMain& frmMain, act::Session& session);
    ~MainWindowCommands() override;

    criteria::Criteria currentCriteria() override;
    std::optional<std::string> selectedReport() override;
    void showTab(int tab) override;
    void focusCondition(int index) override;
    forms::ListView& resultsList() override;
    void closeAfterRun() override;

    // Fills `form` with what a run of the window's choices would make, without showing it
    // (the pictures show it this way); false after a message said why not.
    bool fillPreview(output::FrmPreview& form);

    MainWindowCount& count() { return *count_; }

    // The host integration window while it is open (for tests), else nullptr.
    integration::FrmIntegrate* integrationWindow() const { return frmIntegrate_.get(); }

private:
    void cmdOK_Click();
    void recountAfterReportCommands();
    void mnuIntegrate_Click();
    void unloadIntegrate();

    FrmMain& frmMain_;
    act::Session& session_;
    std::unique_ptr<integration::FrmIntegrate> frmIntegrate_;
    std::unique_ptr<MainWindowReports> reports_;
    std::unique_ptr<MainWindowCount> count_;
};

// Sets every hook of the main window and hands it the object that serves them.
void connectCommands(FrmMain& frmMain, act::Session& session);

}  // namespace bp::app
