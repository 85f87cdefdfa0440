#include "integration/FrmIntegrate.h"

#include "forms/DialogButtons.h"
#include "integration/SessionKey.h"
#include "platform/AppInfo.h"
#include "platform/Error.h"
#include "platform/ErrorHandler.h"
#include "platform/PathText.h"

namespace bp::integration {
namespace {

constexpr std::array<const char*, FrmIntegrate::kViews> kViewNames{
    "Contacts", "Contact List", "Groups", "Task List", "Calendars", "E-mail"};
constexpr int kYes = 6;
constexpr int kNo = 7;

const std::string kCommandName(platform::kAppTitle);

bool isMenuBox(int index) {
    return index >= FrmIntegrate::kViews;
}
int viewOf(int index) {
    return isMenuBox(index) ? index - 5 : index + 1;
}

}  // namespace

CommandDefinition commandDefinition(const std::string& programFolder,
                                    const std::string& programName) {
    return {platform::joinPath(programFolder, programName + platform::kExecutableSuffix),
            programFolder, platform::joinPath(programFolder, programName + ".ico"),
            platform::joinPath(programFolder, programName + "32.ico")};
}

FrmIntegrate::FrmIntegrate(act::Session& session)
    : Form(*session.ui, "frmIntegrate", "Integrate with ACT!"), session_(session) {
    createControls();
}

void FrmIntegrate::createControls() {
    Frame1_[0] = &add<forms::Frame>("Frame1", 0);
    Frame1_[0]->setCaption("Toolbar Button added to the following Views :");
    Frame1_[0]->setLayout(0, 0, 1, 2);
    Frame1_[1] = &add<forms::Frame>("Frame1", 1);
    Frame1_[1]->setCaption("Menu Item added to the following Views :");
    Frame1_[1]->setLayout(1, 0, 1, 2);
    for (int i = 0; i < kBoxes; ++i) {
        forms::Frame* frame = Frame1_[isMenuBox(i) ? 1 : 0];
        int view = i % kViews;
        // Two rows of three: a box, then its clickable label.
        auto& box = add<forms::CheckBox>("chkScreen", i, frame);
        box.setLayout(view / 3, (view % 3) * 2);
        box.onClick = [this, i] { chkScreen_Click(i); };
        auto& label = add<forms::Label>("lblScreen", i, frame);
        label.setCaption(kViewNames[static_cast<size_t>(view)]);
        label.setLayout(view / 3, (view % 3) * 2 + 1);
        label.onClick = [this, i] { lblScreen_Click(i); };
        chkScreen_[static_cast<size_t>(i)] = &box;
        lblScreen_[static_cast<size_t>(i)] = &label;
    }
    auto& note = add<forms::Label>("Label2");
    note.setCaption("You will need to re-start ACT! to see the changes.");
    note.setLayout(2, 0, 1, 2);
    cmdOK_ = &forms::addDialogButton(*this, "cmdOK", {"&Close", 3, 0}, forms::ButtonRole::Default,
                                     [this] { cmdOK_Click(); });
    cmdCancel_ = &forms::addDialogButton(*this, "cmdCancel", {"&Cancel", 3, 1},
                                         forms::ButtonRole::Cancel, [this] { cmdCancel_Click(); });
}

void FrmIntegrate::guard(const char* routine, const std::function<void()>& body) {
    platform::guarded(ui(), {"frmIntegrate", routine, platform::RoutineKind::Sub}, body);
}

void FrmIntegrate::Form_Load() {
    guard("Form_Load", [this] { fillBoxes(); });
}

// Shows where the command is now; filling the boxes is not a change of the user's.
void FrmIntegrate::fillBoxes() {
    filling_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{filling_};
    for (auto* box : chkScreen_) {
        box->setValue(forms::CheckBox::kUnchecked);
    }
    bChanged_ = false;
    objAuxCmds_ = session_.host->createAuxCmds();
    for (int i = 0; i < kViews; ++i) {
        chkScreen(i).setValue(objAuxCmds_->AuxCommandExistsInToolbar(i + 1, kCommandName) == 1);
        chkScreen(i + kViews)
            .setValue(objAuxCmds_->AuxCommandExistsInToolsMenu(i + 1, kCommandName) == 1);
    }
    bChanged_ = false;
}

void FrmIntegrate::chkScreen_Click(int Index) {
    if (filling_) {
        return;
    }
    guard("chkScreen_Click", [&] {
        bChanged_ = true;
        if (!objAuxCmds_) {
            raise(kErrObjectNotSet, "Object variable or With block variable not set");
        }
        if (objAuxCmds_->AuxCommandExists(kCommandName) == 0) {
            CheckCommand();
        }
        lAuxResult_ = placeOrRemove(Index, chkScreen(Index).checked());
    });
}

int FrmIntegrate::placeOrRemove(int Index, bool place) {
    int view = viewOf(Index);
    if (isMenuBox(Index)) {
        return place ? objAuxCmds_->AddAuxCommandToToolsMenu(view, kCommandName)
                     : objAuxCmds_->RemoveAuxCommandFromToolsMenu(view, kCommandName);
    }
    return place ? objAuxCmds_->AddAuxCommandToToolbar(view, kCommandName)
                 : objAuxCmds_->RemoveAuxCommandFromToolbar(view, kCommandName);
}

// Defines the command in the host before its first placement.
void FrmIntegrate::CheckCommand() {
    CommandDefinition def = commandDefinition(session_.programFolder, kCommandName);
    lAuxResult_ = objAuxCmds_->AddAuxCommand(kCommandName, def.programPath, def.workingFolder,
                                             "Brindlepath", "click to launch Brindlepath",
                                             def.iconFile, def.largeIconFile, 1);
    if (lAuxResult_ != 0) {
        MessAddFailed();
    }
}

void FrmIntegrate::lblScreen_Click(int Index) {
    auto& box = chkScreen(Index);
    box.setValue(box.checked() ? forms::CheckBox::kUnchecked : forms::CheckBox::kChecked);
}

void FrmIntegrate::cmdOK_Click() {
    guard("cmdOK_Click", [this] {
        bool restart = false;
        if (bChanged_) {
            if (lAuxResult_ != 0) {
                MessAddFailed();
            } else {
                Message();
                restart = iAnswer_ == kYes;
            }
        }
        unload();
        if (restart) {
            session_.bRestartAct.set(SessionKey{}, true);
            if (closeMainWindow) {
                closeMainWindow();
            }
        }
    });
}

void FrmIntegrate::cmdCancel_Click() {
    unload();
}

void FrmIntegrate::MessAddFailed() {
    session_.ui->message(
        {std::string(platform::kAppTitle),
         "Can't add icon or menu item automatically. You will need to proceed manually."});
}

// Asks whether to re-start the host now, then shows the host's placements afresh.
void FrmIntegrate::Message() {
    auto answer = session_.ui->message(
        {std::string(platform::kAppTitle),
         "You need to re-start ACT! for the changes to take effect!\r\nDo you want to re-start "
         "it now?",
         forms::MsgButtons::YesNo, forms::MsgIcon::None});
    iAnswer_ = answer == forms::MsgResult::Yes ? kYes : kNo;
    fillBoxes();
}

void FrmIntegrate::Form_Unload(int& Cancel) {
    (void)Cancel;
    objAuxCmds_.reset();
}

}  // namespace bp::integration
