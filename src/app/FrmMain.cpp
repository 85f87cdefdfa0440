#include "app/FrmMain.h"

#include "app/MainWindowCommands.h"
#include "forms/DialogButtons.h"

#include <stdexcept>

#include "criteria/CriteriaTexts.h"
#include "criteria/Library1.h"
#include "platform/AppInfo.h"
#include "platform/ErrorHandler.h"
#include "platform/Shell.h"
#include "reports/ReportList.h"

namespace bp::app {
namespace {

using namespace bp::forms;

// Columns of the hidden results list the run fills, one row per sales record.
constexpr int kResultColumns = 26;

struct MenuSpec {
    const char* name;
    const char* caption;
    const char* parent;  // nullptr: top level
};

// Menus in their order on screen; "-" is a separator. The top-level captions end in two
// blanks, as the window has always shown them.
constexpr MenuSpec kMenus[] = {
    {"mnuReport", "&Report  ", nullptr},
    {"mnuNew", "&New...", "mnuReport"},
    {"mnuEdit", "&Edit...", "mnuReport"},
    {"mnuSep1", "-", "mnuReport"},
    {"mnuDelete", "&Delete...", "mnuReport"},
    {"mnuSep2", "-", "mnuReport"},
    {"mnuRename", "&Rename...", "mnuReport"},
    {"mnuDuplicate", "Du&plicate...", "mnuReport"},
    {"mnuConvert", "&Make CSV report...", "mnuReport"},
    {"mnuSep", "-", "mnuReport"},
    {"mnuEditTemplate", "Edit Excel &Template...", "mnuReport"},
    {"mnuOptions", "&Options  ", nullptr},
    {"mnuTemplateFolder", "Template folder...", "mnuOptions"},
    {"mnuSep99", "-", "mnuOptions"},
    {"mnuIntegrate", "&Integrate with ACT!", "mnuOptions"},
    {"mnuHelp", "&Help  ", nullptr},
    {"mnuContent", "&Content", "mnuHelp"},
    {"mnuOnlineHelp", "&Online Tutorials", "mnuHelp"},
    {"mnuSep3", "-", "mnuHelp"},
    {"mnuAbout", "&About", "mnuHelp"},
    {"mnuPopup", "Popup", nullptr},
    {"mnuPopupNew", "New", "mnuPopup"},
    {"mnuPopupEdit", "Edit", "mnuPopup"},
    {"mnuPopupSep1", "-", "mnuPopup"},
    {"mnuPopupDelete", "Delete", "mnuPopup"},
    {"mnuPopupSep2", "-", "mnuPopup"},
    {"mnuPopupDuplicate", "Duplicate", "mnuPopup"},
    {"mnuPopupRename", "Rename", "mnuPopup"},
    {"mnuPopupConvert", "Make CSV report", "mnuPopup"},
    {"mnuPopupSep", "-", "mnuPopup"},
    {"mnuPopupEditTemplate", "Edit Excel Template", "mnuPopup"},
};

}  // namespace

FrmMain::FrmMain(act::Session& session)
    : Form(*session.ui, "frmMain", std::string(platform::kAppTitle)),
      session_(session),
      mstSSTab_(&add<TabControl>("mstSSTab")),
      panel_(*this, *mstSSTab_, session,
             criteria::PanelHooks{.isLoading = [this] { return bLoading; },
                                  .Update_ReportMenu = [this] { Update_ReportMenu(); },
                                  .Load_Reports = [this] { Load_Reports(); }}),
      settings_(*this, *session.settings) {
    mstSSTab_->setLayout(0, 0, 1, 3);
    createControls();
    createMenus();
    if (session_.host != nullptr) {
        ActEvent1_ = session_.host->createEventControl();
        ActEvent1_->OnActUserWantsToClose = [this] { ActEvent1_OnActUserWantsToClose(); };
    }
}

FrmMain::~FrmMain() {
    if (ActEvent1_) {
        ActEvent1_->OnActUserWantsToClose = nullptr;
    }
}

void FrmMain::createControls() {
    lblCount_ = &add<Label>("lblCount");
    lblCount_->setLayout(1, 0, 1, 2);
    lblRefresh_ = &add<Label>("lblRefresh");
    lblRefresh_->setCaption("Refresh");
    lblRefresh_->setLink(true);
    lblRefresh_->setLayout(1, 2);
    lblRefresh_->setVisible(false);
    tmrCount_ = &add<Timer>("tmrCount");
    tmrCount_->setEnabled(false);

    cmdOK_ = &addDialogButton(*this, "cmdOK", {"&OK", 2, 0}, ButtonRole::Default,
                              [this] { cmdOK_Click(); });
    cmdPreview_ = &add<CommandButton>("cmdPreview");
    cmdPreview_->setCaption("Pre&view");
    cmdPreview_->setLayout(2, 1);
    cmdPreview_->onClick = [this] { cmdPreview_Click(); };
    cmdCancel_ = &addDialogButton(*this, "cmdCancel", {"&Close", 2, 2}, ButtonRole::Cancel,
                                  [this] { cmdCancel_Click(); });

    lvwSales_ = &add<ListView>("lvwSales");
    for (int i = 0; i < kResultColumns; ++i) {
        lvwSales_->addColumn("");
    }
    lvwSales_->setVisible(false);

    tmr1_ = &add<Timer>("tmr1");
    tmr1_->setEnabled(false);
    tmr1_->onTimer = [this] { tmr1_Timer(); };
    tmrActEvent_ = &add<Timer>("tmrActEvent");
    tmrActEvent_->setEnabled(false);
    tmrActEvent_->setInterval(kEventPollMs);
    tmrActEvent_->onTimer = [this] { tmrActEvent_Timer(); };

    ListBox& reports = *panel_.controls().lstReports;
    reports.onDblClick = [this] {
        if (commands.lstReports_DblClick) {
            commands.lstReports_DblClick();
        }
    };
    reports.onMouseDown = [this](int Button, int Shift, int X, int Y) {
        if (commands.lstReports_MouseDown) {
            commands.lstReports_MouseDown(Button, Shift, X, Y);
        }
    };
}

void FrmMain::createMenus() {
    for (const MenuSpec& entry : kMenus) {
        Control* parent = entry.parent == nullptr ? nullptr : find(entry.parent);
        add<MenuEntry>(entry.name, -1, parent).setCaption(entry.caption);
    }
    menu("mnuPopup").setVisible(false);
    bindMenu("mnuNew", &Commands::mnuNew);
    bindMenu("mnuPopupNew", &Commands::mnuNew);
    bindMenu("mnuEdit", &Commands::mnuEdit);
    bindMenu("mnuDelete", &Commands::mnuDelete);
    bindMenu("mnuRename", &Commands::mnuRename);
    bindMenu("mnuDuplicate", &Commands::mnuDuplicate);
    bindMenu("mnuConvert", &Commands::mnuConvert);
    bindMenu("mnuEditTemplate", &Commands::mnuEditTemplate);
    bindMenu("mnuTemplateFolder", &Commands::mnuTemplateFolder);
    bindMenu("mnuIntegrate", &Commands::mnuIntegrate);
    bindMenu("mnuContent", &Commands::mnuContent);
    bindMenu("mnuOnlineHelp", &Commands::mnuOnlineHelp);
    bindMenu("mnuAbout", &Commands::mnuAbout);
    bindMenu("mnuPopupEdit", &Commands::mnuPopupEdit);
    bindMenu("mnuPopupDelete", &Commands::mnuPopupDelete);
    bindMenu("mnuPopupRename", &Commands::mnuPopupRename);
    bindMenu("mnuPopupDuplicate", &Commands::mnuPopupDuplicate);
    bindMenu("mnuPopupConvert", &Commands::mnuPopupConvert);
    bindMenu("mnuPopupEditTemplate", &Commands::mnuPopupEditTemplate);
}

// The commands behind the menus belong to the report library, the templates folder and
// integration dialogs and the help; they install their handlers in `commands`.
void FrmMain::bindMenu(const char* name, std::function<void()> Commands::*hook) {
    menu(name).onClick = [this, hook] {
        if (commands.*hook) {
            (commands.*hook)();
        }
    };
}

MenuEntry& FrmMain::menu(const std::string& name) const {
    auto* entry = findAs<MenuEntry>(name);
    if (entry == nullptr) {
        throw std::out_of_range("frmMain has no menu entry " + name);
    }
    return *entry;
}

void FrmMain::run(const char* routine, const std::function<void()>& body) {
    platform::guarded(ui(), platform::Routine{"frmMain", routine}, body);
}

void FrmMain::Load_Reports() {
    reports::Load_Reports(*panel_.controls().lstReports, session_.iOutputType(),
                          session_.sTemplatesFolder());
}

void FrmMain::Update_ReportMenu() {
    run("Update_ReportMenu", [&] {
        const auto& c = panel_.controls();
        const bool any = c.lstReports->listCount() > 0;
        for (const char* name : {"mnuEdit", "mnuDelete", "mnuDuplicate", "mnuRename"}) {
            menu(name).setEnabled(any);
        }
        const bool excel = session_.iOutputType() == reports::kExcelReport && any &&
                           c.cboOutput->text() == criteria::kOutputExcel;
        menu("mnuEditTemplate").setEnabled(excel);
        menu("mnuConvert").setEnabled(excel);
        menu("mnuNew").setEnabled(true);
    });
}

void FrmMain::Save_Settings() {
    run("Save_Settings", [&] { settings_.Save_Settings(); });
}

void FrmMain::adoptCommands(std::unique_ptr<MainWindowCommands> owner) {
    commandsOwner_ = std::move(owner);
}

void FrmMain::cmdOK_Click() {
    // The run lives in the output layer; start-up connects it (connectCommands).
    if (commands.cmdOK) {
        commands.cmdOK();
    }
}

void FrmMain::cmdPreview_Click() {
    if (commands.cmdPreview) {
        commands.cmdPreview();
    }
}

void FrmMain::cmdCancel_Click() {
    run("cmdCancel_Click", [&] { unload(); });
}

void FrmMain::tmr1_Timer() {
    ++iTicks;
    if (iTicks >= kRestartTicks) {
        tmr1_->setEnabled(false);
        programEnded_ = true;
        if (End) {
            End();
        }
    }
}

void FrmMain::tmrActEvent_Timer() {
    run("tmrActEvent_Timer", [&] {
        if (ActEvent1_) {
            ActEvent1_->poll();
        }
    });
}

void FrmMain::ActEvent1_OnActUserWantsToClose() {
    run("ActEvent1_OnActUserWantsToClose", [&] {
        ActEvent1_->Unregister();
        tmrActEvent_->setEnabled(false);
        // A re-start this program asked for closes the host too; the program then ends
        // through its own timer instead.
        if (session_.bRestartAct()) {
            return;
        }
        if (commands.unloadIntegrate) {
            commands.unloadIntegrate();
        }
        unload();
    });
}

}  // namespace bp::app
