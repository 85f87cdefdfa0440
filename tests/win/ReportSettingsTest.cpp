// The report settings editor on Windows, driven as a user drives it: opened from the report
// chooser as the Edit command opens it, fields moved with its buttons, a sub-total set in the
// Sub-Total Options dialog, closed with Close, and the definition file read back.
//
// The dialogs run modally with their own message loops, so a thread timer plays the user:
// each tick does the next step on whichever dialog is in front.

#include <windows.h>

#include <gtest/gtest.h>

#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "definitions/FrmReportSettings.h"
#include "definitions/FrmSubTotalOptions.h"
#include "forms/Controls.h"
#include "platform/PathText.h"
#include "reports/FrmReportList.h"
#include "reports/ReportCommands.h"
#include "reports/ReportLibrary.h"
#include "reports/ReportsWindow.h"
#include "support/HostSession.h"
#include "win/WinFormWindow.h"
#include "win/WinTestSupport.h"
#include "win/WinUi.h"

namespace bp::win::test {
namespace {

using definitions::FrmReportSettings;
using definitions::FrmSubTotalOptions;

constexpr const char* kDataset = R"json({
  "contactFields": [{"id": 25, "label": "Company", "type": 1}, {"id": 26, "label": "Contact", "type": 1},
                    {"id": 30, "label": "City", "type": 1}],
  "salesFieldTypes": {"31": 7, "35": 7, "30": 5, "34": 6},
  "contacts": [{"1": "C00000000001", "25": "Acme Ltd"}]
})json";

// The main window as the report commands see it: its list of reports and its menus.
class ReportsWindowDouble : public forms::Form, public reports::ReportsWindow {
public:
    explicit ReportsWindowDouble(forms::UiService& ui) : Form(ui, "frmMain") {
        list_ = &add<forms::ListBox>("lstReports");
        list_->setSorted(true);
    }
    forms::Form& ownerForm() override { return *this; }
    forms::ListBox& lstReports() override { return *list_; }
    forms::MenuEntry& menu(const std::string& name) override {
        if (auto* entry = findAs<forms::MenuEntry>(name)) {
            return *entry;
        }
        return add<forms::MenuEntry>(name);
    }
    void Update_ReportMenu() override {}

private:
    forms::ListBox* list_ = nullptr;
};

// One step of the user on the dialog in front; false while that dialog is not there yet.
using Step = std::function<bool(WinFormWindow&)>;

// Plays the steps from a thread timer, one per tick, in whatever modal loop runs. A step that
// opens a dialog posts its click, so the dialog's loop runs outside the timer's call.
class User {
public:
    User(WinUi& ui, std::vector<Step> steps) : ui_(ui), steps_(std::move(steps)) {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 20, &User::tick);
    }
    ~User() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    User(const User&) = delete;
    User& operator=(const User&) = delete;

    std::size_t done() const { return next_; }
    bool gaveUp() const { return gaveUp_; }

private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
        if (current_ != nullptr) {
            current_->play();
        }
    }
    void play() {
        if (ui_.modalWindows().empty()) {
            return;
        }
        // A dialog that never came, or one that stays: end every modal loop and message box
        // rather than wait for ever.
        if (++ticks_ > kPatience) {
            giveUp();
            return;
        }
        if (next_ >= steps_.size()) {
            return;
        }
        const std::size_t step = next_;
        ++next_;  // before the step: a step may run a nested loop, whose ticks go on
        if (!steps_[step](*ui_.modalWindows().back())) {
            --next_;
        }
    }

    static BOOL CALLBACK cancelMessageBox(HWND hwnd, LPARAM) {
        wchar_t name[16] = {};
        GetClassNameW(hwnd, name, 16);
        if (std::wstring(name) == L"#32770") {
            PostMessageW(hwnd, WM_COMMAND, IDCANCEL, 0);
        }
        return TRUE;
    }
    void giveUp() {
        gaveUp_ = true;
        EnumThreadWindows(GetCurrentThreadId(), &User::cancelMessageBox, 0);
        for (WinFormWindow* window : ui_.modalWindows()) {
            window->form().hide();
        }
    }

    static constexpr int kPatience = 500;
    static inline User* current_ = nullptr;
    WinUi& ui_;
    std::vector<Step> steps_;
    std::size_t next_ = 0;
    int ticks_ = 0;
    bool gaveUp_ = false;
    UINT_PTR timer_ = 0;
};

template <class F>
F* formIn(WinFormWindow& window) {
    return dynamic_cast<F*>(&window.form());
}

void clickLater(HWND button) {
    PostMessageW(button, BM_CLICK, 0, 0);
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

class ReportSettingsTest : public testing::Test {
protected:
    void SetUp() override {
        if (!hasDisplay()) {
            GTEST_SKIP() << kNoDisplay;
        }
        host_.session.ui = &ui_;
        // The starter definition the program copies for a new report.
        std::filesystem::copy_file(
            std::filesystem::path(BRINDLEPATH_TEST_BIN_DIR) / "brindlepath_def.DXL",
            platform::pathFromUtf8(definitionPath()));
        // The chooser lists a spreadsheet report with its workbook template beside it; the
        // editor never opens the template.
        std::ofstream(platform::pathFromUtf8(host_.session.sTemplatesFolder() + "Pipeline.XLT"));
        window_ = std::make_unique<ReportsWindowDouble>(ui_);
        library_ = std::make_unique<reports::ReportLibrary>(host_.session, *window_);
        commands_ = std::make_unique<reports::ReportCommands>(*library_);
        library_->openReportSettings = [this] { definitions::showReportSettings(host_.session); };
        library_->reload();
    }

    std::string definitionPath() const { return host_.session.sTemplatesFolder() + "Pipeline.DXL"; }
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
    // Runs the Edit command of the report menu with `steps` played on its dialogs.
    std::size_t editWith(std::vector<Step> steps, bool& gaveUp) {
        const std::size_t count = steps.size();
        User user(ui_, std::move(steps));
        commands_->mnuEdit_Click();
        gaveUp = user.gaveUp();
        EXPECT_EQ(user.done(), count);
        return user.done();
    }

    WinUi ui_;
    bp::test::HostSession host_{kDataset};
    // Made once the session talks to the windows, as the program makes them.
    std::unique_ptr<ReportsWindowDouble> window_;
    std::unique_ptr<reports::ReportLibrary> library_;
    std::unique_ptr<reports::ReportCommands> commands_;
};

// Opens "Pipeline" from the chooser.
Step openPipeline() {
    return [](WinFormWindow& w) {
        auto* chooser = formIn<reports::FrmReportList>(w);
        if (chooser == nullptr) {
            return false;
        }
        clickEntry(w.handleFor(chooser->lstReports()), "Pipeline");
        clickLater(w.handleFor(chooser->cmdOK()));
        return true;
    };
}

// A step on the report settings editor.
Step onSettings(std::function<void(WinFormWindow&, FrmReportSettings&)> act) {
    return [act](WinFormWindow& w) {
        auto* settings = formIn<FrmReportSettings>(w);
        if (settings == nullptr) {
            return false;
        }
        act(w, *settings);
        return true;
    };
}

TEST_F(ReportSettingsTest, FieldsMovedAndASubTotalSetAreWrittenOnClose) {
    std::vector<std::string> shownBeforeClose;
    std::vector<Step> steps = {
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
            clickLater(w.handleFor(s.cmdOptions(0)));
        }),
        // In Sub-Total Options: the amount averaged under its own caption.
        [](WinFormWindow& w) {
            auto* options = formIn<FrmSubTotalOptions>(w);
            if (options == nullptr) {
                return false;
            }
            retype(w.handleFor(options->txtCaption()), "Average for <value> :");
            chooseEntry(w.handleFor(options->cboFields()), "Amount");
            SendMessageW(w.handleFor(options->optCalc(2)), BM_CLICK, 0, 0);
            clickLater(w.handleFor(options->cmdClose()));
            return true;
        },
        onSettings(
            [](WinFormWindow& w, FrmReportSettings& s) { clickLater(w.handleFor(s.cmdClose())); }),
    };
    bool gaveUp = false;
    editWith(std::move(steps), gaveUp);
    ASSERT_FALSE(gaveUp);

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
    EXPECT_TRUE(ui_.modalWindows().empty());
}

// Closing the editor from its title bar leaves the definition file as it was, whatever was
// changed in it.
TEST_F(ReportSettingsTest, ClosedFromTheTitleBarTheFileStaysAsItWas) {
    const auto before = fileKeys();
    std::vector<Step> steps = {
        openPipeline(),
        onSettings([](WinFormWindow& w, FrmReportSettings& s) {
            clickTab(w.handleFor(s.mstSettings()), FrmReportSettings::kTabFields);
            clickEntry(w.handleFor(s.lstRight()), "Contact");
            SendMessageW(w.handleFor(s.cmdMove(0)), BM_CLICK, 0, 0);
            PostMessageW(w.hwnd(), WM_CLOSE, 0, 0);
        }),
    };
    bool gaveUp = false;
    editWith(std::move(steps), gaveUp);
    ASSERT_FALSE(gaveUp);
    EXPECT_EQ(fileKeys(), before);
    EXPECT_TRUE(ui_.modalWindows().empty());
}

}  // namespace
}  // namespace bp::win::test
