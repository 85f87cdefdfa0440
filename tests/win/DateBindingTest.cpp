// A date picker drawn as the system's picker: the user's pick reaches the model at the
// model's time of day, a pick the form corrects snaps back, and the model's value shows in
// the picker without raising Change again.

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <memory>
#include <optional>

#include "forms/Controls.h"
#include "forms/Form.h"
#include "forms/ScriptedUi.h"
#include "platform/Locale.h"
#include "win/WinFormWindow.h"
#include "win/WinTestSupport.h"

namespace bp::win::test {
namespace {

class DateForm : public forms::Form {
public:
    explicit DateForm(forms::UiService& ui) : Form(ui, "frmDates", "Dates") {
        lblStart = &add<forms::Label>("lblStart");
        lblStart->setCaption("&Start:");
        lblStart->setLayout(0, 0);
        dtpStart = &add<forms::DatePicker>("dtpStart");
        dtpStart->setLayout(0, 1);
        dtpStart->setValue(DateTime{2026, 3, 14, 9, 30, 0}, forms::Announcement::BeQuiet);
        dtpStart->onChange = [this] {
            ++changes;
            // Reports never start in the future of the last closed month.
            if (latest && dtpStart->value() > *latest) {
                dtpStart->setValue(*latest);
            }
        };
    }

    forms::Label* lblStart = nullptr;
    forms::DatePicker* dtpStart = nullptr;
    int changes = 0;
    std::optional<DateTime> latest;
};

SYSTEMTIME shown(HWND picker) {
    SYSTEMTIME time{};
    EXPECT_EQ(SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)),
              GDT_VALID);
    return time;
}

class DateBindingTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!hasDisplay()) {
            GTEST_SKIP() << kNoDisplay;
        }
        form.load();
        window = std::make_unique<WinFormWindow>(form);
        form.show();
        picker = window->handleFor(*form.dtpStart);
        ASSERT_NE(picker, nullptr);
    }
    void TearDown() override { window.reset(); }

    // The user picks `date` in the calendar: the picker takes it and tells its window.
    void pick(WORD year, WORD month, WORD day) {
        NMDATETIMECHANGE change{};
        change.nmhdr.hwndFrom = picker;
        change.nmhdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(picker));
        change.nmhdr.code = DTN_DATETIMECHANGE;
        change.dwFlags = GDT_VALID;
        change.st = SYSTEMTIME{year, month, 0, day, 0, 0, 0, 0};
        SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&change.st));
        SendMessageW(window->hwnd(), WM_NOTIFY, change.nmhdr.idFrom,
                     reinterpret_cast<LPARAM>(&change));
    }

    forms::ScriptedUi ui;
    DateForm form{ui};
    std::unique_ptr<WinFormWindow> window;
    HWND picker = nullptr;
};

TEST_F(DateBindingTest, PickerIsTheSystemsDatePickerShowingTheModelsDate) {
    wchar_t className[64] = {};
    GetClassNameW(picker, className, 64);
    EXPECT_STREQ(className, DATETIMEPICK_CLASSW);
    const SYSTEMTIME time = shown(picker);
    EXPECT_EQ(time.wYear, 2026);
    EXPECT_EQ(time.wMonth, 3);
    EXPECT_EQ(time.wDay, 14);
    EXPECT_TRUE(IsWindowVisible(picker));
}

TEST_F(DateBindingTest, DateShowsInTheRegionalShortDateFormat) {
    form.dtpStart->setValue(DateTime{2027, 1, 9, 0, 0, 0}, forms::Announcement::BeQuiet);
    EXPECT_EQ(windowText(picker), platform::Locale::current().formatDate(DateTime{2027, 1, 9}));
}

// The user's regional settings name another country than the system's.
class GermanDateBindingTest : public DateBindingTest {
protected:
    void SetUp() override {
        _putenv_s("BRINDLEPATH_LOCALE", "de_DE");
        DateBindingTest::SetUp();
    }
    void TearDown() override {
        DateBindingTest::TearDown();
        _putenv_s("BRINDLEPATH_LOCALE", "");
    }
};

TEST_F(GermanDateBindingTest, DateShowsAsTheUsersRegionWritesIt) {
    form.dtpStart->setValue(DateTime{2027, 1, 9, 0, 0, 0}, forms::Announcement::BeQuiet);
    // "09.01.2027" on Windows, "9.1.2027" in Wine's copy of the regional data.
    EXPECT_EQ(windowText(picker), platform::Locale::current().formatDate(DateTime{2027, 1, 9}));
    EXPECT_EQ(windowText(picker).find('/'), std::string::npos);
}

TEST_F(DateBindingTest, FocusOnThePickerMovesTheFormsFocus) {
    SetFocus(picker);
    EXPECT_EQ(form.activeControl(), form.dtpStart);
}

TEST_F(DateBindingTest, PickedDateReachesTheModelAtItsTimeOfDay) {
    pick(2026, 4, 2);
    EXPECT_EQ(form.dtpStart->value(), (DateTime{2026, 4, 2, 9, 30, 0}));
    EXPECT_EQ(form.changes, 1);
}

TEST_F(DateBindingTest, ArrowKeyOnTheFocusedPickerChangesTheModel) {
    // A click on the first field of the date selects it; the arrow key steps it.
    RECT client{};
    GetClientRect(picker, &client);
    const LPARAM first = MAKELPARAM(client.left + 6, (client.top + client.bottom) / 2);
    SendMessageW(picker, WM_LBUTTONDOWN, MK_LBUTTON, first);
    SendMessageW(picker, WM_LBUTTONUP, 0, first);
    EXPECT_EQ(GetFocus(), picker);
    SendMessageW(picker, WM_KEYDOWN, VK_UP, 1);
    SendMessageW(picker, WM_KEYUP, VK_UP, 1);
    EXPECT_EQ(form.changes, 1);
    const SYSTEMTIME time = shown(picker);
    EXPECT_EQ(form.dtpStart->value(), (DateTime{time.wYear, time.wMonth, time.wDay, 9, 30, 0}));
    EXPECT_NE(form.dtpStart->value(), (DateTime{2026, 3, 14, 9, 30, 0}));
}

TEST_F(DateBindingTest, PickTheFormCorrectsSnapsBackToTheModelsDate) {
    form.latest = DateTime{2026, 3, 31, 23, 59, 59};
    pick(2026, 5, 1);
    EXPECT_EQ(form.dtpStart->value(), (DateTime{2026, 3, 31, 23, 59, 59}));
    const SYSTEMTIME time = shown(picker);
    EXPECT_EQ(time.wMonth, 3);
    EXPECT_EQ(time.wDay, 31);
}

TEST_F(DateBindingTest, ModelValueShowsWithoutRaisingChangeAgain) {
    form.dtpStart->setValue(DateTime{2027, 11, 5, 0, 0, 0});
    EXPECT_EQ(form.changes, 1);  // the model's own event, not one from the picker
    SYSTEMTIME time = shown(picker);
    EXPECT_EQ(time.wYear, 2027);
    EXPECT_EQ(time.wMonth, 11);
    EXPECT_EQ(time.wDay, 5);
    form.dtpStart->setValue(DateTime{2024, 2, 29, 0, 0, 0}, forms::Announcement::BeQuiet);
    time = shown(picker);
    EXPECT_EQ(time.wYear, 2024);
    EXPECT_EQ(time.wMonth, 2);
    EXPECT_EQ(time.wDay, 29);
    EXPECT_EQ(form.changes, 1);
}

TEST_F(DateBindingTest, DisabledPickerIsGreyedAndItsPickRefused) {
    form.dtpStart->setEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(picker));
    pick(2026, 6, 30);
    EXPECT_EQ(form.dtpStart->value(), (DateTime{2026, 3, 14, 9, 30, 0}));
    EXPECT_EQ(shown(picker).wMonth, 3);
    EXPECT_EQ(form.changes, 0);
}

TEST_F(DateBindingTest, PickerTakesItsPlaceBesideItsLabel) {
    const RECT label = childRect(window->handleFor(*form.lblStart));
    const RECT box = childRect(picker);
    EXPECT_GE(box.left, label.right);
    EXPECT_GT(box.right - box.left, 0);
    EXPECT_GT(box.bottom - box.top, 0);
}

}  // namespace
}  // namespace bp::win::test
