// frmTemplateFolder: which texts are stored, the restart message, and the folder browser.

#include <gtest/gtest.h>

#include "platform/Error.h"
#include "reports/FrmTemplateFolder.h"
#include "reports/ReportsFixture.h"

namespace bp::reports::test {
namespace {

// A store that refuses every change, as a store on a full or read-only disk does.
class RefusingStore : public platform::MemorySettingsStore {
public:
    void SaveSetting(std::string_view, std::string_view, std::string_view) override {
        bp::raise(kErrPermissionDenied, "Permission denied");
    }
};

class FrmTemplateFolderTest : public ReportsFixture {
protected:
    // Opens the dialog, runs `edit` on it, then presses OK (or Cancel).
    void open(const std::function<void(FrmTemplateFolder&)>& edit, bool ok = true) {
        onOpen<FrmTemplateFolder>("frmTemplateFolder", [this, edit, ok](FrmTemplateFolder& f) {
            shown = f.txtPath().text();
            edit(f);
            if (ok) {
                f.pressEnter();
            } else {
                f.pressEscape();
            }
            stayedOpen = f.visible();
        });
        commands.mnuTemplateFolder_Click();
    }
    std::string stored() const {
        return settings.GetSetting("Settings", "TemplatesFolder", "<absent>");
    }

    std::string shown;
    bool stayedOpen = false;
};

TEST_F(FrmTemplateFolderTest, ShowsTheStoredPathOrTheDefault) {
    open([](FrmTemplateFolder& f) { EXPECT_EQ(f.caption(), "Templates Folder"); });
    EXPECT_EQ(shown, program("Templates"));
    settings.SaveSetting("Settings", "TemplatesFolder", "/srv/shared/templates");
    open([](FrmTemplateFolder&) {});
    EXPECT_EQ(shown, "/srv/shared/templates");
}

TEST_F(FrmTemplateFolderTest, OnlyAChangedTextIsStoredAndAsksForARestart) {
    struct Case {
        const char* name;
        std::string typed;  // empty: the text is left as it was shown
        bool storedAfter;
    };
    const Case cases[] = {
        {"unchanged", "", false},
        {"edited back to the same text", "/srv/reports", false},
        {"another folder", "/srv/other", true},
        {"letter case only", "/SRV/Reports", true},
        {"emptied", "<empty>", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        settings.SaveSetting("Settings", "TemplatesFolder", "/srv/reports");
        ui.clearRecords();
        open([&](FrmTemplateFolder& f) {
            if (c.typed == "<empty>") {
                f.txtPath().setText("");
            } else if (!c.typed.empty()) {
                f.txtPath().setText("/tmp/in-between");
                f.txtPath().setText(c.typed);
            }
        });
        EXPECT_FALSE(stayedOpen);
        if (c.storedAfter) {
            EXPECT_EQ(stored(), c.typed == "<empty>" ? "" : c.typed);
            ASSERT_EQ(messages(), std::vector<std::string>{kRestartNeeded});
            EXPECT_EQ(ui.messages()[0].request.icon, forms::MsgIcon::None);
            EXPECT_EQ(ui.messages()[0].request.title, "brindlepath");
        } else {
            EXPECT_EQ(stored(), "/srv/reports");
            EXPECT_TRUE(messages().empty());
        }
    }
}

TEST_F(FrmTemplateFolderTest, OkWithoutEditingStoresNothingEvenWhenAbsent) {
    open([](FrmTemplateFolder&) {});
    EXPECT_EQ(stored(), "<absent>");
    EXPECT_TRUE(messages().empty());
}

TEST_F(FrmTemplateFolderTest, CancelStoresNothing) {
    open([](FrmTemplateFolder& f) { f.txtPath().setText("/srv/other"); }, false);
    EXPECT_EQ(stored(), "<absent>");
    EXPECT_TRUE(messages().empty());
}

TEST_F(FrmTemplateFolderTest, TheRunningProgramKeepsItsFolder) {
    const std::string before = session.sTemplatesFolder();
    open([](FrmTemplateFolder& f) { f.txtPath().setText("/srv/other"); });
    EXPECT_EQ(session.sTemplatesFolder(), before);
    open([](FrmTemplateFolder&) {});
    EXPECT_EQ(shown, "/srv/other");  // the stored text shows again in the same run
}

TEST_F(FrmTemplateFolderTest, BrowsePutsThePickedFolderInTheBoxOnly) {
    ui.queueFolder(std::string("/srv/picked"));
    open(
        [](FrmTemplateFolder& f) {
            f.cmdBrowse().click();
            EXPECT_EQ(f.txtPath().text(), "/srv/picked");
        },
        false);
    EXPECT_EQ(stored(), "<absent>");  // stored only with OK
    ASSERT_EQ(ui.folderRequests().size(), 1u);
    EXPECT_EQ(ui.folderRequests()[0].startFolder, program("Templates"));

    ui.queueFolder(std::string("/srv/picked"));
    open([](FrmTemplateFolder& f) { f.cmdBrowse().click(); });
    EXPECT_EQ(stored(), "/srv/picked");
}

TEST_F(FrmTemplateFolderTest, CancelledBrowserLeavesTheText) {
    open([](FrmTemplateFolder& f) {
        f.txtPath().setText("/srv/typed");
        f.cmdBrowse().click();  // nothing queued: the browser is cancelled
        EXPECT_EQ(f.txtPath().text(), "/srv/typed");
    });
    EXPECT_EQ(stored(), "/srv/typed");
}

TEST_F(FrmTemplateFolderTest, ErrorsNameTheModuleFrmAdo) {
    RefusingStore refusing;
    session.settings = &refusing;
    FrmTemplateFolder dialog(session);
    ui.onModal("frmTemplateFolder", [](forms::Form& f) {
        dynamic_cast<FrmTemplateFolder&>(f).txtPath().setText("/srv/other");
        f.pressEnter();
    });
    dialog.showModal();
    ASSERT_EQ(ui.messages().size(), 1u);
    const std::string& text = ui.messages()[0].request.text;
    EXPECT_EQ(text.rfind("Error 70: 'Permission denied'\rin frmAdo: Sub cmdOK_Click - Line # ", 0),
              0u)
        << text;
    EXPECT_TRUE(ui.modals()[0].leftOpen);  // the dialog stays, nothing lost
}

}  // namespace
}  // namespace bp::reports::test
