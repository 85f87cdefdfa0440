// The report settings editor on Windows, driven as a user drives it: the program started on
// a host of the test's own, Sales Report picked in the main window and Report > Edit chosen
// from its menu, the report picked in the chooser, fields moved with the editor's buttons, a
// sub-total set in the Sub-Total Options dialog, the editor closed with Close, and the
// definition file read back.
//
// The main window and the dialogs run message loops of their own, so a thread timer plays the
// user: each tick does the next step once the window it needs is in front.

#include <windows.h>

#include <gtest/gtest.h>

#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/FrmMain.h"
#include "criteria/CriteriaControls.h"
#include "definitions/FrmReportSettings.h"
#include "definitions/FrmSubTotalOptions.h"
#include "forms/Controls.h"
#include "platform/PathText.h"
#include "reports/FrmReportList.h"
#include "win/ProgramFixture.h"
#include "win/WinFormWindow.h"
#include "win/WinProgram.h"
#include "win/WinUi.h"

namespace bp::win::test {
namespace {

using definitions::FrmReportSettings;
using definitions::FrmSubTotalOptions;

// The menu item of `bar` (or of its submenus) whose text is `text`, or 0.
UINT menuItem(HMENU menu, const std::wstring& text) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t caption[128] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), caption, 128, MF_BYPOSITION);
        if (HMENU sub = GetSubMenu(menu, i)) {
            if (const UINT id = menuItem(sub, text)) {
                return id;
            }
        } else if (text == caption) {
            return GetMenuItemID(menu, i);
        }
    }
    return 0;
}

std::vector<std::string> entries(HWND list) {
    std::vector<std::string> texts;
    const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        texts.push_back(platform::toUtf8(text));
    }
    return texts;
}

// The user clicks the entry `text` of a list, which takes the keyboard focus with it.
void clickEntry(HWND list, const std::string& text) {
    SetFocus(list);
    const LRESULT at = SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                    reinterpret_cast<LPARAM>(platform::toWide(text).c_str()));
    ASSERT_NE(at, LB_ERR) << text << " is not among " << testing::PrintToString(entries(list));
    if ((GetWindowLongW(list, GWL_STYLE) & (LBS_EXTENDEDSEL | LBS_MULTIPLESEL)) != 0) {
        SendMessageW(list, LB_SETSEL, FALSE, -1);
        SendMessageW(list, LB_SETSEL, TRUE, at);
    } else {
        SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(at), 0);
    }
    notify(list, LBN_SELCHANGE);
}

// The user clicks tab `item` of a tab control with the mouse.
void clickTab(HWND tabs, int item) {
    RECT rect{};
    SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&rect));
    const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    SendMessageW(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(tabs, WM_LBUTTONUP, 0, at);
}

// The user picks the entry `text` of a drop-down list.
void chooseEntry(HWND combo, const std::string& text) {
    const LRESULT at = SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                    reinterpret_cast<LPARAM>(platform::toWide(text).c_str()));
    ASSERT_NE(at, CB_ERR) << text;
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
    notify(combo, CBN_SELCHANGE);
}

// The user replaces the text of a box by typing.
void retype(HWND box, const std::string& text) {
    SetFocus(box);
    SendMessageW(box, EM_SETSEL, 0, -1);
    typeInto(box, text);
}

// The steps of one user, each done once the window it needs is in front: a step returns false
// while it waits. Clicks that open a dialog are posted, so the dialog's loop runs outside the
// timer's call.
class Script {
public:
    explicit Script(std::vector<std::function<bool()>> steps) : steps_(std::move(steps)) {}
    void operator()() {
        if (next_ < steps_.size() && steps_[next_]()) {
            ++next_;
        }
    }
    std::size_t done() const { return next_; }
    std::size_t size() const { return steps_.size(); }

private:
    std::vector<std::function<bool()>> steps_;
    std::size_t next_ = 0;
};

class ReportSettingsTest : public ProgramFixture {
protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        if (IsSkipped()) {
            return;
        }
        // The starter definition under a name of its own, with the workbook template the
        // report list wants beside it (the editor never opens the template).
        std::filesystem::copy_file(
            std::filesystem::path(BRINDLEPATH_TEST_BIN_DIR) / "brindlepath_def.DXL",
            platform::pathFromUtf8(definitionPath()),
            std::filesystem::copy_options::overwrite_existing);
        std::ofstream(platform::pathFromUtf8(file("Templates/Pipeline.XLT")));
    }

    std::string definitionPath() const { return file("Templates/Pipeline.DXL"); }
    std::map<std::string, std::string> fileKeys() const {
        std::ifstream in(platform::pathFromUtf8(definitionPath()), std::ios::binary);
        std::map<std::string, std::string> keys;
        std::string line;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            if (const auto eq = line.find('='); eq != std::string::npos) {
                keys[line.substr(0, eq)] = line.substr(eq + 1);
            }
        }
        return keys;
    }

    // The innermost dialog while it shows a form of type F, else nullptr.
    template <class F>
    F* front(WinFormWindow*& window) const {
        if (ui.modalWindows().empty()) {
            return nullptr;
        }
        window = ui.modalWindows().back();
        return IsWindowVisible(window->hwnd()) ? dynamic_cast<F*>(&window->form()) : nullptr;
    }
    // A step on the report settings editor.
    std::function<bool()> onSettings(std::function<void(WinFormWindow&, FrmReportSettings&)> act) {
        return [this, act] {
            WinFormWindow* window = nullptr;
            FrmReportSettings* settings = front<FrmReportSettings>(window);
            if (settings == nullptr) {
                return false;
            }
            act(*window, *settings);
            return true;
        };
    }
    // Sales Report picked in the main window, then Report > Edit... from its menu.
    std::function<bool()> editFromTheMenu(WinProgram& program) {
        return [&program] {
            WinFormWindow* main = program.mainWindowWindow();
            if (main == nullptr || !IsWindowVisible(main->hwnd())) {
                return false;
            }
            auto& controls = program.mainWindow()->criteriaControls();
            SendMessageW(main->handleFor(controls.optChoice[1]), BM_CLICK, 0, 0);
            const UINT edit = menuItem(GetMenu(main->hwnd()), L"&Edit...");
            EXPECT_NE(edit, 0u) << "no Report > Edit... in the menu bar";
            PostMessageW(main->hwnd(), WM_COMMAND, MAKEWPARAM(edit, 0), 0);
            return true;
        };
    }
    // "Pipeline" opened from the chooser.
    std::function<bool()> openPipeline() {
        return [this] {
            WinFormWindow* window = nullptr;
            auto* chooser = front<reports::FrmReportList>(window);
            if (chooser == nullptr) {
                return false;
            }
            clickEntry(window->handleFor(chooser->lstReports()), "Pipeline");
            postClick(window->handleFor(chooser->cmdOK()));
            return true;
        };
    }
    // The main window closed from its title bar once no dialog is left, which ends the program.
    std::function<bool()> closeTheMainWindow(WinProgram& program) {
        return [this, &program] {
            WinFormWindow* main = program.mainWindowWindow();
            if (!ui.modalWindows().empty() || main == nullptr) {
                return false;
            }
            PostMessageW(main->hwnd(), WM_CLOSE, 0, 0);
            return true;
        };
    }

    // Runs the program with `steps` played on its windows; false when the user gave up.
    bool run(std::vector<std::function<bool()>> steps) {
        WinProgram program(ui);
        steps.insert(steps.begin(), editFromTheMenu(program));
        steps.push_back(closeTheMainWindow(program));
        Script script(std::move(steps));
        if (!program.start()) {
            ADD_FAILURE() << "the program did not start";
            return false;
        }
        LoopRobot robot([&script] { script(); });
        program.exec();
        EXPECT_EQ(script.done(), script.size());
        return !robot.gaveUp();
    }

    WinUi ui;
};

TEST_F(ReportSettingsTest, FieldsMovedAndASubTotalSetAreWrittenOnClose) {
    std::vector<std::string> shownBeforeClose;
    const bool finished = run({
        openPipeline(),
        onSettings([](WinFormWindow& w, FrmReportSettings& s) {
            clickTab(w.handleFor(s.mstSettings()), FrmReportSettings::kTabFields);
        }),
        // Contact one place down, below Product.
        onSettings([](WinFormWindow& w, FrmReportSettings& s) {
            clickEntry(w.handleFor(s.lstRight()), "Contact");
            SendMessageW(w.handleFor(s.cmdMove(0)), BM_CLICK, 0, 0);
        }),
        // City added from the contact fields not included yet.
        onSettings([](WinFormWindow& w, FrmReportSettings& s) {
            chooseEntry(w.handleFor(s.cboTables()), "Contact");
            clickEntry(w.handleFor(s.lstLeft()), "City");
            SendMessageW(w.handleFor(s.cmdButton(2)), BM_CLICK, 0, 0);
        }),
        // Status taken out.
        onSettings([](WinFormWindow& w, FrmReportSettings& s) {
            clickEntry(w.handleFor(s.lstRight()), "Status");
            SendMessageW(w.handleFor(s.cmdButton(1)), BM_CLICK, 0, 0);
        }),
        onSettings([&shownBeforeClose](WinFormWindow& w, FrmReportSettings& s) {
            shownBeforeClose = entries(w.handleFor(s.lstRight()));
            clickTab(w.handleFor(s.mstSettings()), FrmReportSettings::kTabFirstSection);
            postClick(w.handleFor(s.cmdOptions(0)));
        }),
        // In Sub-Total Options: the amount averaged under a caption of its own.
        [this] {
            WinFormWindow* w = nullptr;
            auto* options = front<FrmSubTotalOptions>(w);
            if (options == nullptr) {
                return false;
            }
            retype(w->handleFor(options->txtCaption()), "Average for <value> :");
            chooseEntry(w->handleFor(options->cboFields()), "Amount");
            SendMessageW(w->handleFor(options->optCalc(2)), BM_CLICK, 0, 0);
            postClick(w->handleFor(options->cmdClose()));
            return true;
        },
        onSettings(
            [](WinFormWindow& w, FrmReportSettings& s) { postClick(w.handleFor(s.cmdClose())); }),
    });
    ASSERT_TRUE(finished);

    EXPECT_EQ(shownBeforeClose, (std::vector<std::string>{"Company", "Product", "Contact", "Amount",
                                                          "Close Date", "City"}));
    const auto keys = fileKeys();
    EXPECT_EQ(keys.at("FieldNamesIncluded"),
              std::string("Company\fProduct\fContact\fAmount\fClose Date\fCity\f"));
    EXPECT_EQ(keys.at("34CalcType0"), "2");
    EXPECT_EQ(keys.at("TotalCaption0"), "Average for <value> :");
    EXPECT_EQ(keys.at("Totals0"), "1");
    // What was not touched is written back as it was.
    EXPECT_EQ(keys.at("TotalCaption99"), "Total Sales :");
    EXPECT_EQ(keys.at("34CalcType99"), "1");
}

// Closing the editor from its title bar leaves the definition file as it was, whatever was
// changed in it.
TEST_F(ReportSettingsTest, ClosedFromTheTitleBarTheFileStaysAsItWas) {
    const auto before = fileKeys();
    const bool finished = run({
        openPipeline(),
        onSettings([](WinFormWindow& w, FrmReportSettings& s) {
            clickTab(w.handleFor(s.mstSettings()), FrmReportSettings::kTabFields);
            clickEntry(w.handleFor(s.lstRight()), "Contact");
            SendMessageW(w.handleFor(s.cmdMove(0)), BM_CLICK, 0, 0);
            PostMessageW(w.hwnd(), WM_CLOSE, 0, 0);
        }),
    });
    ASSERT_TRUE(finished);
    EXPECT_EQ(fileKeys(), before);
}

}  // namespace
}  // namespace bp::win::test
