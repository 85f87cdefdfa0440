// Menu entries in the Win32 window: the form's own entries make the menu bar with their
// access keys, children make submenus, choosing an item clicks its entry (a disabled one is
// greyed and refused), the model's changes show in the menu, and popup menus return the
// entry the user picked with the keyboard.

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "forms/Controls.h"
#include "forms/Form.h"
#include "forms/ScriptedUi.h"
#include "win/WinFormWindow.h"
#include "win/WinTestSupport.h"
#include "win/WinUi.h"

namespace bp::win::test {
namespace {

class MenuForm : public forms::Form {
public:
    MenuForm(forms::UiService& ui, bool withMenus) : Form(ui, "frmReports", "Reports") {
        txtNote = &add<forms::TextBox>("txtNote");
        txtNote->setLayout(0, 0);
        lstReports = &add<forms::ListBox>("lstReports");
        lstReports->setLayout(1, 0);
        lstReports->addItem("Pipeline by region");
        // The right button pops the list's context menu up where it was pressed.
        lstReports->onMouseDown = [this](int Button, int Shift, int X, int Y) {
            pressed = {Button, Shift, X, Y};
            if (Button == static_cast<int>(forms::MouseButton::Right) && mnuPopup != nullptr) {
                popupMenu(*mnuPopup, X, Y);
            }
        };
        if (withMenus) {
            addMenus();
        }
    }

    forms::MenuEntry& entry(const char* name, const char* caption, forms::Control* parent) {
        auto& e = add<forms::MenuEntry>(name, -1, parent);
        e.setCaption(caption);
        return e;
    }

    void addMenus() {
        mnuFile = &entry("mnuFile", "&File", nullptr);
        mnuFileOpen = &entry("mnuFileOpen", "&Open", mnuFile);
        mnuFileOpen->onClick = [this] { ++opens; };
        entry("mnuFileSep", "-", mnuFile);
        mnuFileExport = &entry("mnuFileExport", "&Export", mnuFile);
        mnuFileExport->setEnabled(false);
        mnuFileExport->onClick = [this] { ++exports; };
        mnuFileAutosave = &entry("mnuFileAutosave", "&Autosave", mnuFile);
        mnuFileAutosave->setChecked(true);
        mnuView = &entry("mnuView", "&View", nullptr);
        mnuViewRefresh = &entry("mnuViewRefresh", "&Refresh", mnuView);
        addPopup();
    }

    void addPopup() {
        mnuPopup = &entry("mnuPopup", "Popup", nullptr);
        mnuPopup->setVisible(false);
        mnuPopupEdit = &entry("mnuPopupEdit", "&Edit", mnuPopup);
        entry("mnuPopupSep", "-", mnuPopup);
        entry("mnuPopupDelete", "&Delete", mnuPopup).setVisible(false);
        mnuPopupRename = &entry("mnuPopupRename", "Re&name", mnuPopup);
        mnuPopupRename->onClick = [this] { ++renames; };
    }

    forms::TextBox* txtNote = nullptr;
    forms::ListBox* lstReports = nullptr;
    std::vector<int> pressed;
    forms::MenuEntry* mnuFile = nullptr;
    forms::MenuEntry* mnuFileOpen = nullptr;
    forms::MenuEntry* mnuFileExport = nullptr;
    forms::MenuEntry* mnuFileAutosave = nullptr;
    forms::MenuEntry* mnuView = nullptr;
    forms::MenuEntry* mnuViewRefresh = nullptr;
    forms::MenuEntry* mnuPopup = nullptr;
    forms::MenuEntry* mnuPopupEdit = nullptr;
    forms::MenuEntry* mnuPopupRename = nullptr;
    int opens = 0;
    int exports = 0;
    int renames = 0;
};

struct Item {
    std::string text;
    UINT id;
    UINT type;
    UINT state;
    HMENU submenu;
};

std::vector<Item> itemsOf(HMENU menu) {
    std::vector<Item> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[128] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING | MIIM_SUBMENU;
        info.dwTypeData = text;
        info.cch = 128;
        EXPECT_TRUE(GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info));
        items.push_back({(info.fType & MFT_SEPARATOR) != 0 ? "-" : platform::toUtf8(text), info.wID,
                         info.fType, info.fState, info.hSubMenu});
    }
    return items;
}

std::vector<std::string> textsOf(HMENU menu) {
    std::vector<std::string> texts;
    for (const Item& item : itemsOf(menu)) {
        texts.push_back(item.text);
    }
    return texts;
}

// The item captioned `text` in `menu` or its submenus.
std::optional<Item> find(HMENU menu, const std::string& text) {
    for (const Item& item : itemsOf(menu)) {
        if (item.text == text) {
            return item;
        }
        if (item.submenu != nullptr) {
            if (auto inner = find(item.submenu, text)) {
                return inner;
            }
        }
    }
    return std::nullopt;
}

BOOL CALLBACK findMenuWindow(HWND hwnd, LPARAM data) {
    wchar_t name[16] = {};
    GetClassNameW(hwnd, name, 16);
    if (std::wstring(name) == L"#32768" && IsWindowVisible(hwnd)) {
        *reinterpret_cast<HWND*>(data) = hwnd;
        return FALSE;
    }
    return TRUE;
}

// The menu window shown by `thread`, if any: the system's class of menu windows.
HWND menuWindowOf(DWORD thread) {
    HWND found = nullptr;
    EnumThreadWindows(thread, &findMenuWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Presses `keys` in the next menu this thread opens, as the user at the keyboard would, and
// dismisses the menu should the keys leave it open.
class MenuKeys {
public:
    explicit MenuKeys(std::vector<WPARAM> keys)
        : thread_(GetCurrentThreadId()), worker_([this, keys] { press(keys); }) {}
    MenuKeys(const MenuKeys&) = delete;
    MenuKeys& operator=(const MenuKeys&) = delete;
    ~MenuKeys() { worker_.join(); }

    bool menuSeen() const { return seen_; }
    RECT menuRect() const { return rect_; }

private:
    void press(const std::vector<WPARAM>& keys) {
        HWND menu = nullptr;
        if (!waitFor([&] { return (menu = menuWindowOf(thread_)) != nullptr; })) {
            return;
        }
        GetWindowRect(menu, &rect_);
        seen_ = true;
        for (const WPARAM key : keys) {
            PostMessageW(menu, WM_KEYDOWN, key, 1);
            PostMessageW(menu, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001));
        }
        if (waitFor([this] { return menuWindowOf(thread_) == nullptr; })) {
            return;
        }
        for (int i = 0; i < 3; ++i) {
            PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 1);
        }
    }
    template <class Probe>
    static bool waitFor(Probe probe) {
        for (int i = 0; i < 250; ++i) {
            if (probe()) {
                return true;
            }
            Sleep(20);
        }
        return false;
    }

    DWORD thread_;
    std::atomic<bool> seen_{false};
    RECT rect_{};
    std::thread worker_;
};

class MenuBindingTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!hasDisplay()) {
            GTEST_SKIP() << kNoDisplay;
        }
        form.load();
        window = std::make_unique<WinFormWindow>(form);
        form.show();
        bar = GetMenu(window->hwnd());
        ASSERT_NE(bar, nullptr);
    }
    void TearDown() override { window.reset(); }

    HMENU fileMenu() const { return itemsOf(bar).at(0).submenu; }
    void choose(const std::string& text) {
        const auto item = find(bar, text);
        ASSERT_TRUE(item) << text;
        SendMessageW(window->hwnd(), WM_COMMAND, MAKEWPARAM(item->id, 0), 0);
    }
    // Runs the window's message loop until `done` or a few seconds have passed.
    template <class Done>
    void pumpUntil(Done done) {
        const ULONGLONG giveUp = GetTickCount64() + 5000;
        while (!done() && GetTickCount64() < giveUp) {
            MSG message{};
            if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
                continue;
            }
            if (!window->translate(message)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
    }

    WinUi ui;
    MenuForm form{ui, true};
    std::unique_ptr<WinFormWindow> window;
    HMENU bar = nullptr;
};

TEST_F(MenuBindingTest, MenuBarHoldsTheShownEntriesOfTheFormWithTheirAccessKeys) {
    EXPECT_EQ(textsOf(bar), (std::vector<std::string>{"&File", "&View"}));
    EXPECT_EQ(textsOf(fileMenu()),
              (std::vector<std::string>{"&Open", "-", "&Export", "&Autosave"}));
    EXPECT_EQ(textsOf(itemsOf(bar).at(1).submenu), (std::vector<std::string>{"&Refresh"}));
}

TEST_F(MenuBindingTest, SubmenuShowsSeparatorsCheckMarksAndGreyedEntries) {
    const std::vector<Item> items = itemsOf(fileMenu());
    EXPECT_NE(items.at(1).type & MFT_SEPARATOR, 0u);
    EXPECT_EQ(items.at(0).state & (MFS_DISABLED | MFS_CHECKED), 0u);
    EXPECT_EQ(items.at(2).state & MFS_DISABLED, static_cast<UINT>(MFS_DISABLED));
    EXPECT_NE(items.at(3).state & MFS_CHECKED, 0u);
}

TEST_F(MenuBindingTest, ChoosingAnItemClicksItsEntry) {
    choose("&Open");
    EXPECT_EQ(form.opens, 1);
}

TEST_F(MenuBindingTest, DisabledEntryIsRefusedUntilEnabled) {
    choose("&Export");
    EXPECT_EQ(form.exports, 0);
    form.mnuFileExport->setEnabled(true);
    EXPECT_EQ(find(bar, "&Export")->state & MFS_DISABLED, 0u);
    choose("&Export");
    EXPECT_EQ(form.exports, 1);
}

TEST_F(MenuBindingTest, CaptionAndCheckMarkChangesShowInTheMenu) {
    form.mnuFileOpen->setCaption("&Open...");
    form.mnuFileAutosave->setChecked(false);
    EXPECT_TRUE(find(bar, "&Open..."));
    EXPECT_EQ(find(bar, "&Autosave")->state & MFS_CHECKED, 0u);
    choose("&Open...");
    EXPECT_EQ(form.opens, 1);
}

TEST_F(MenuBindingTest, HiddenEntryLeavesItsMenuAndComesBackInItsPlace) {
    form.mnuFileOpen->setVisible(false);
    EXPECT_EQ(textsOf(fileMenu()), (std::vector<std::string>{"-", "&Export", "&Autosave"}));
    form.mnuFileOpen->setVisible(true);
    EXPECT_EQ(textsOf(fileMenu()),
              (std::vector<std::string>{"&Open", "-", "&Export", "&Autosave"}));
    form.mnuFile->setVisible(false);
    EXPECT_EQ(textsOf(bar), (std::vector<std::string>{"&View"}));
    form.mnuFile->setVisible(true);
    EXPECT_EQ(textsOf(bar), (std::vector<std::string>{"&File", "&View"}));
}

TEST_F(MenuBindingTest, EntriesAddedLaterJoinTheirMenu) {
    auto& details = form.entry("mnuViewDetails", "&Details", form.mnuView);
    EXPECT_EQ(textsOf(itemsOf(bar).at(1).submenu),
              (std::vector<std::string>{"&Refresh", "&Details"}));
    // An entry that gets its first child opens a submenu from then on.
    form.entry("mnuViewDetailsWide", "&Wide", &details);
    const auto opened = find(bar, "&Details");
    ASSERT_TRUE(opened);
    ASSERT_NE(opened->submenu, nullptr);
    EXPECT_EQ(textsOf(opened->submenu), (std::vector<std::string>{"&Wide"}));
}

TEST_F(MenuBindingTest, MenuBarLeavesTheControlsAllTheirRoom) {
    forms::ScriptedUi otherUi;
    MenuForm plain{otherUi, false};
    plain.load();
    WinFormWindow plainWindow(plain);
    EXPECT_EQ(GetMenu(plainWindow.hwnd()), nullptr);
    RECT with{};
    RECT without{};
    GetClientRect(window->hwnd(), &with);
    GetClientRect(plainWindow.hwnd(), &without);
    EXPECT_EQ(with.bottom, without.bottom);
    // Taking the bar away at run time keeps the room too.
    form.mnuFile->setVisible(false);
    form.mnuView->setVisible(false);
    EXPECT_EQ(GetMenu(window->hwnd()), nullptr);
    GetClientRect(window->hwnd(), &with);
    EXPECT_EQ(with.bottom, without.bottom);
}

TEST_F(MenuBindingTest, MenuBarWrappedOverSeveralLinesLeavesTheControlsTheirRoom) {
    forms::ScriptedUi otherUi;
    MenuForm narrow{otherUi, false};
    for (const char* name : {"mnuCustomers", "mnuOpportunities", "mnuForecasts", "mnuTemplates",
                             "mnuDefinitions", "mnuPreferences", "mnuAssistance"}) {
        narrow.entry(name, name + 3, nullptr);
    }
    narrow.load();
    WinFormWindow narrowWindow(narrow);
    RECT client{};
    GetClientRect(narrowWindow.hwnd(), &client);
    const RECT box = childRect(narrowWindow.handleFor(*narrow.txtNote));
    EXPECT_GT(box.top, 0);
    EXPECT_LT(box.bottom, client.bottom);
}

TEST_F(MenuBindingTest, WindowWithOnlyPopupMenusHasNoMenuBar) {
    forms::ScriptedUi otherUi;
    MenuForm popupOnly{otherUi, false};
    popupOnly.addPopup();
    popupOnly.load();
    WinFormWindow popupWindow(popupOnly);
    EXPECT_EQ(GetMenu(popupWindow.hwnd()), nullptr);
}

TEST_F(MenuBindingTest, AltAndTheAccessKeyOpenTheMenuThroughTheMessageLoop) {
    HWND edit = window->handleFor(*form.txtNote);
    SetFocus(edit);
    // Enter takes the first entry of the menu the keys opened.
    MenuKeys keys({VK_RETURN});
    PostMessageW(edit, WM_SYSKEYDOWN, 'F', 0x20000001);
    pumpUntil([&] { return form.opens > 0; });
    EXPECT_TRUE(keys.menuSeen());
    EXPECT_EQ(form.opens, 1);
}

TEST_F(MenuBindingTest, PopupMenuReturnsTheEntryPickedWithTheKeys) {
    // Hidden entries and separators are not there to pick: the second step lands on Rename.
    MenuKeys keys({VK_DOWN, VK_DOWN, VK_RETURN});
    forms::MenuEntry* chosen = ui.popupMenu(form, *form.mnuPopup, 10, 10);
    EXPECT_TRUE(keys.menuSeen());
    EXPECT_EQ(chosen, form.mnuPopupRename);
    EXPECT_EQ(form.renames, 0);  // choosing is the form's business
}

TEST_F(MenuBindingTest, RightClickOnAListPopsItsContextMenuUp) {
    HWND list = window->handleFor(*form.lstReports);
    MenuKeys keys({VK_DOWN, VK_DOWN, VK_RETURN});
    SendMessageW(list, WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT, MAKELPARAM(7, 5));
    EXPECT_TRUE(keys.menuSeen());
    EXPECT_EQ(form.pressed, (std::vector<int>{2, 1, 7, 5}));
    EXPECT_EQ(form.renames, 1);
}

TEST_F(MenuBindingTest, DismissedPopupMenuReturnsNothing) {
    MenuKeys keys({VK_ESCAPE});
    EXPECT_EQ(ui.popupMenu(form, *form.mnuPopup, 10, 10), nullptr);
    EXPECT_TRUE(keys.menuSeen());
}

TEST_F(MenuBindingTest, FormsPopupMenuRunsThePickedEntrysClick) {
    MenuKeys keys({VK_DOWN, VK_DOWN, VK_RETURN});
    form.popupMenu(*form.mnuPopup, 10, 10);
    EXPECT_EQ(form.renames, 1);
}

TEST_F(MenuBindingTest, PopupMenuOpensAtTheGivenPlaceWhenTheMouseIsElsewhere) {
    RECT frame{};
    GetWindowRect(window->hwnd(), &frame);
    SetCursorPos(frame.right + 50, frame.bottom + 50);
    MenuKeys keys({VK_ESCAPE});
    ui.popupMenu(form, *form.mnuPopup, 12, 8);
    ASSERT_TRUE(keys.menuSeen());
    POINT expected{12, 8};
    ClientToScreen(window->hwnd(), &expected);
    EXPECT_EQ(keys.menuRect().left, expected.x);
    EXPECT_EQ(keys.menuRect().top, expected.y);
}

TEST_F(MenuBindingTest, PopupMenuOpensUnderTheMouseOverTheWindow) {
    RECT frame{};
    GetWindowRect(window->hwnd(), &frame);
    const POINT mouse{(frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2};
    SetCursorPos(mouse.x, mouse.y);
    MenuKeys keys({VK_ESCAPE});
    ui.popupMenu(form, *form.mnuPopup, 12, 8);
    ASSERT_TRUE(keys.menuSeen());
    EXPECT_EQ(keys.menuRect().left, mouse.x);
    EXPECT_EQ(keys.menuRect().top, mouse.y);
}

}  // namespace
}  // namespace bp::win::test
