// A progress bar drawn as the system's progress bar: the model's percentage is the bar's
// position on a range of 0..100, and work of unknown size moves a marquee over an empty bar.

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "forms/Controls.h"
#include "forms/Form.h"
#include "forms/ScriptedUi.h"
#include "win/WinFormWindow.h"
#include "win/WinTestSupport.h"

namespace bp::win::test {
namespace {

class BarForm : public forms::Form {
public:
    explicit BarForm(forms::UiService& ui) : Form(ui, "frmWork", "Work") {
        lblWhat = &add<forms::Label>("lblWhat");
        lblWhat->setCaption("Writing");
        prgDone = &add<forms::ProgressBar>("prgDone");
    }

    forms::Label* lblWhat = nullptr;
    forms::ProgressBar* prgDone = nullptr;
};

class ProgressBarBindingTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!hasDisplay()) {
            GTEST_SKIP() << kNoDisplay;
        }
        form.load();
        window = std::make_unique<WinFormWindow>(form);
        form.show();
        bar = window->handleFor(*form.prgDone);
        ASSERT_NE(bar, nullptr);
    }
    void TearDown() override { window.reset(); }

    int position() const { return static_cast<int>(SendMessageW(bar, PBM_GETPOS, 0, 0)); }
    bool marquee() const { return (GetWindowLongPtrW(bar, GWL_STYLE) & PBS_MARQUEE) != 0; }

    forms::ScriptedUi ui;
    BarForm form{ui};
    std::unique_ptr<WinFormWindow> window;
    HWND bar = nullptr;
};

TEST_F(ProgressBarBindingTest, IsTheSystemsProgressBarOnARangeOfAHundred) {
    wchar_t className[64] = {};
    GetClassNameW(bar, className, 64);
    EXPECT_STREQ(className, PROGRESS_CLASSW);
    PBRANGE range{};
    SendMessageW(bar, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(range.iLow, 0);
    EXPECT_EQ(range.iHigh, 100);
    EXPECT_EQ(position(), 0);
    EXPECT_FALSE(marquee());
}

TEST_F(ProgressBarBindingTest, ShowsTheModelsPercentage) {
    for (int percent : {25, 99, 100, 3}) {
        form.prgDone->setValue(percent);
        EXPECT_EQ(position(), percent);
        EXPECT_EQ(windowText(bar), std::to_string(percent) + "%");
    }
    form.prgDone->setValue(250);
    EXPECT_EQ(position(), 100);
    EXPECT_EQ(windowText(bar), "100%");
}

TEST_F(ProgressBarBindingTest, WorkOfUnknownSizeMovesAMarqueeOverAnEmptyBar) {
    form.prgDone->setValue(60);
    form.prgDone->setValue(forms::ProgressBar::kBusy);
    EXPECT_TRUE(marquee());
    EXPECT_EQ(position(), 0);
    EXPECT_EQ(windowText(bar), "") << "no percentage while the amount is not known";
    form.prgDone->setValue(40);
    EXPECT_FALSE(marquee());
    EXPECT_EQ(position(), 40);
    EXPECT_EQ(windowText(bar), "40%");
}

// The bar as it draws itself into a bitmap, pixel by pixel.
std::vector<COLORREF> drawn(HWND bar) {
    RECT client{};
    GetClientRect(bar, &client);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ before = SelectObject(dc, bitmap);
    SendMessageW(bar, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < client.bottom; ++y) {
        for (int x = 0; x < client.right; ++x) {
            pixels.push_back(GetPixel(dc, x, y));
        }
    }
    SelectObject(dc, before);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return pixels;
}

TEST_F(ProgressBarBindingTest, ThePercentageIsPaintedOverTheBar) {
    form.prgDone->setValue(40);
    const std::vector<COLORREF> withPercentage = drawn(bar);
    ASSERT_FALSE(withPercentage.empty());
    SetWindowTextW(bar, L"");
    EXPECT_NE(drawn(bar), withPercentage);
}

TEST_F(ProgressBarBindingTest, FillsTheWidthOfTheWindowAndTakesNoFocus) {
    const RECT barRect = childRect(bar);
    const RECT labelRect = childRect(window->handleFor(*form.lblWhat));
    EXPECT_GT(barRect.right - barRect.left, 100);
    EXPECT_GT(barRect.bottom - barRect.top, 5);
    EXPECT_GE(barRect.top, labelRect.bottom);
    EXPECT_EQ(GetWindowLongPtrW(bar, GWL_STYLE) & WS_TABSTOP, 0);
}

}  // namespace
}  // namespace bp::win::test
