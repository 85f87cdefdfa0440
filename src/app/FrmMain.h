#pragma once
// The main window "frmMain": the criteria panel on four tabs, the live match count under them,
// the run, preview and close buttons, the report, options and help menus, the report list's popup menu, the hidden results list, the
// shutdown timer and the host's event control.
//
// Load registers for the host's events, fills the report list and the criteria lists and
// restores every control from the settings store; unload saves them, releases the host's
// shared objects and, when the user agreed to it, re-starts the host. The host's closing
// event arrives through a polling timer, so its handler runs on the user-interface thread.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "act/Integration.h"
#include "act/Session.h"
#include "app/MainWindowSettings.h"
#include "criteria/CriteriaPanel.h"
#include "forms/Controls.h"

namespace bp::app {

class MainWindowCommands;

class FrmMain : public forms::Form {
public:
    // Handlers of later layers: the run (output), the report commands and their dialogs
    // (reports), the host integration dialog (integration). An unset hook does nothing.
    struct Commands {
        std::function<void()> cmdOK;       // the run
        std::function<void()> cmdPreview;  // what the run would produce, shown only
        std::function<void()> mnuNew, mnuEdit, mnuDelete, mnuRename, mnuDuplicate, mnuConvert,
            mnuEditTemplate, mnuTemplateFolder, mnuIntegrate, mnuContent, mnuOnlineHelp, mnuAbout;
        std::function<void()> mnuPopupEdit, mnuPopupDelete, mnuPopupRename, mnuPopupDuplicate,
            mnuPopupConvert, mnuPopupEditTemplate;
        std::function<void()> lstReports_DblClick;
        std::function<void(int Button, int Shift, int X, int Y)> lstReports_MouseDown;
        // Unloads the host integration window when the host closes.
        std::function<void()> unloadIntegrate;
    };

    // Polling interval of the host's event control.
    static constexpr int kEventPollMs = 250;
    // The re-start timer's interval and the ticks after which the program ends.
    static constexpr int kRestartTickMs = 1000;
    static constexpr int kRestartTicks = 2;
    // The host's command that closes it, given before a re-start.
    static constexpr int kHostCloseCommand = 150;

    explicit FrmMain(act::Session& session);
    ~FrmMain() override;

    act::Session& session() { return session_; }
    criteria::CriteriaPanel& panel() { return panel_; }
    criteria::CriteriaControls& criteriaControls() { return panel_.controls(); }
    MainWindowSettings& settings() { return settings_; }

    Commands commands;
    // Keeps the object that serves the hooks above for the window's life.
    void adoptCommands(std::unique_ptr<MainWindowCommands> owner);
    MainWindowCommands* commandsOwner() const { return commandsOwner_.get(); }
    // Called when the re-start timer ends the program (the window is gone by then).
    std::function<void()> End;
    bool programEnded() const { return programEnded_; }
    // True after an unload that re-starts the host: the program lives on until tmr1 ends it.
    bool restartPending() const { return tmr1_->running(); }

    // Main-window state shared with the run and the report commands.
    bool bLoading = false;
    bool bFileError = false;
    int iTicks = 0;
    std::string sSalesIDs;
    std::string sContactIDs;
    std::string dlgHelpFile;  // the Help menu's help file

    // Controls of this window beyond the criteria panel.
    forms::TabControl& mstSSTab() { return *mstSSTab_; }
    forms::CommandButton& cmdOK() { return *cmdOK_; }
    forms::CommandButton& cmdPreview() { return *cmdPreview_; }
    forms::CommandButton& cmdCancel() { return *cmdCancel_; }
    forms::ListView& lvwSales() { return *lvwSales_; }
    forms::Timer& tmr1() { return *tmr1_; }
    forms::Timer& tmrActEvent() { return *tmrActEvent_; }
    // The live match count under the tabs, the link that reads the host again, and the timer
    // that keeps the count up to date; started once the window has loaded.
    forms::Label& lblCount() { return *lblCount_; }
    forms::Label& lblRefresh() { return *lblRefresh_; }
    forms::Timer& tmrCount() { return *tmrCount_; }
    forms::MenuEntry& menu(const std::string& name) const;
    act::ActEvent* ActEvent1() { return ActEvent1_.get(); }

    void Update_ReportMenu();
    void Load_Reports();
    void Save_Settings();

    void cmdOK_Click();
    void cmdPreview_Click();
    void cmdCancel_Click();
    void tmr1_Timer();
    void tmrActEvent_Timer();
    void ActEvent1_OnActUserWantsToClose();

protected:
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;

private:
    void createControls();
    void createMenus();
    void bindMenu(const char* name, std::function<void()> Commands::*hook);
    bool registerForHostEvents();
    void restoreControls();
    void fillLists();
    void fillList(const char* routine, const std::function<void()>& fill);
    void restoreConditions();
    void restoreReportIndex();
    void releaseHostObjects();
    void restartHost(const std::string& databasePath);
    void run(const char* routine, const std::function<void()>& body);

    act::Session& session_;
    forms::TabControl* mstSSTab_ = nullptr;
    criteria::CriteriaPanel panel_;
    MainWindowSettings settings_;
    forms::CommandButton* cmdOK_ = nullptr;
    forms::CommandButton* cmdPreview_ = nullptr;
    forms::CommandButton* cmdCancel_ = nullptr;
    forms::ListView* lvwSales_ = nullptr;
    forms::Timer* tmr1_ = nullptr;
    forms::Timer* tmrActEvent_ = nullptr;
    forms::Label* lblCount_ = nullptr;
    forms::Label* lblRefresh_ = nullptr;
    forms::Timer* tmrCount_ = nullptr;
    std::shared_ptr<act::ActEvent> ActEvent1_;
    std::unique_ptr<MainWindowCommands> commandsOwner_;
    // Set when Form_Load restored every control without an error; a window whose load
    // stopped part-way would save its half-restored state over the stored one.
    bool loadComplete_ = false;
    bool programEnded_ = false;
};

}  // namespace bp::app
