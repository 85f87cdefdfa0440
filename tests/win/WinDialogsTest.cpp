// The desktop's Save As, folder, font and colour dialogs, driven under a real message loop the
// way a user answers them: what the program gets back, what the dialogs start with, and the
// cancel paths.

#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "platform/Error.h"
#include "platform/MemorySettingsStore.h"
#include "platform/TestSupport.h"
#include "reports/FrmTemplateFolder.h"
#include "win/DialogDriver.h"
#include "win/DialogFailure.h"
#include "win/FileFilter.h"
#include "win/SampleForm.h"
#include "win/WinColorDialog.h"
#include "win/WinFileDialogs.h"
#include "win/WinFontDialog.h"
#include "win/WinFormWindow.h"
#include "win/WinTestSupport.h"
#include "win/WinUi.h"

namespace bp::win::test {
namespace {

using platform::test::TempFolder;

// ---- The program's file type text as the dialogs take it --------------------------------

TEST(FileFilterTest, DescriptionAndPatternPairsBecomeFileTypes) {
    struct Case {
        const char* filter;
        std::vector<FileType> types;
    };
    const Case cases[] = {
        {"CSV Files (*.CSV)|*.CSV", {{L"CSV Files (*.CSV)", L"*.CSV"}}},
        {"Text (*.txt)|*.txt;*.log|All Files (*.*)|*.*",
         {{L"Text (*.txt)", L"*.txt;*.log"}, {L"All Files (*.*)", L"*.*"}}},
        {"", {}},
        {"*.xlsx", {{L"*.xlsx", L"*.xlsx"}}},
        {"CSV Files|*.CSV|", {{L"CSV Files", L"*.CSV"}}},
        {" |*.CSV| Nothing | ", {{L"*.CSV", L"*.CSV"}}},
        {"Übersicht (*.ÜB)|*.ÜB", {{L"\u00dcbersicht (*.\u00dcB)", L"*.\u00dcB"}}},
    };
    for (const Case& c : cases) {
        const std::vector<FileType> types = fileTypes(c.filter);
        ASSERT_EQ(types.size(), c.types.size()) << c.filter;
        for (std::size_t i = 0; i < types.size(); ++i) {
            EXPECT_EQ(types[i].description, c.types[i].description) << c.filter;
            EXPECT_EQ(types[i].pattern, c.types[i].pattern) << c.filter;
        }
    }
}

TEST(FileFilterTest, ClassicListSeparatesWithNulsAndEndsWithTwo) {
    const auto types = fileTypes("CSV Files (*.CSV)|*.CSV|All (*.*)|*.*");
    EXPECT_EQ(classicFilter(types),
              std::wstring(L"CSV Files (*.CSV)\0*.CSV\0All (*.*)\0*.*\0\0", 39));
    const auto specs = filterSpecs(types);
    ASSERT_EQ(specs.size(), 2u);
    EXPECT_STREQ(specs[1].pszName, L"All (*.*)");
    EXPECT_STREQ(specs[1].pszSpec, L"*.*");
}

TEST(FileFilterTest, DefaultExtensionLosesItsDotAndWildcard) {
    EXPECT_EQ(defaultExtension("CSV"), L"CSV");
    EXPECT_EQ(defaultExtension(".csv"), L"csv");
    EXPECT_EQ(defaultExtension("*.CSV"), L"CSV");
    EXPECT_EQ(defaultExtension(" "), L"");
    EXPECT_EQ(defaultExtension(""), L"");
}

TEST(DialogFailureTest, FailuresCarryTheSystemsWordsAndNumber) {
    const std::string denied = hresultText(E_ACCESSDENIED);
    EXPECT_NE(denied.find("0x80070005"), std::string::npos) << denied;
    EXPECT_GT(denied.size(), std::string(" (0x80070005)").size()) << denied;
    try {
        raiseDialogFailure("Save As dialog", E_OUTOFMEMORY);
        FAIL() << "nothing raised";
    } catch (const Error& error) {
        EXPECT_EQ(error.description().rfind("The Save As dialog could not be shown: ", 0), 0u)
            << error.description();
        EXPECT_NE(error.description().find("0x8007000E"), std::string::npos);
    }
    EXPECT_EQ(commonDialogText(FNERR_INVALIDFILENAME), "the file name is not valid");
    EXPECT_NE(commonDialogText(0x7777).find("0x00007777"), std::string::npos);
}

// ---- Driving the dialogs -------------------------------------------------------------------

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!hasDisplay()) {
            GTEST_SKIP() << kNoDisplay;
        }
    }

    TempFolder folder_;
};

// The file name box: the item dialog's own edit, the classic dialog's combo box edit.
HWND fileNameBox(HWND dialog) {
    return findChild(dialog, L"Edit");
}

DialogDriver::Step typeNameAndSave(const std::string& name) {
    return [name](HWND dialog) {
        HWND box = fileNameBox(dialog);
        if (box == nullptr) {
            return false;
        }
        setEditText(box, name);
        pressButton(dialog, IDOK);
        return true;
    };
}

DialogDriver::Step press(int id) {
    return [id](HWND dialog) {
        pressButton(dialog, id);
        return true;
    };
}

std::string inFolder(const TempFolder& folder, const std::string& name) {
    return folder.file(name);
}

// Windows paths name the same file whatever the letters' case; the classic dialog writes the
// default extension in the case of the filter's pattern, or its own.
::testing::AssertionResult samePath(const std::string& actual, const std::string& expected) {
    const std::wstring a = platform::toWide(actual);
    const std::wstring b = platform::toWide(expected);
    if (CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                             static_cast<int>(b.size()), TRUE) == CSTR_EQUAL) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << actual << " is not " << expected;
}

using SaveDialog = std::optional<std::string> (*)(const forms::SaveFileRequest&, HWND);

struct SaveKind {
    const char* name;
    SaveDialog open;
};

class SaveDialogTest : public DialogTest, public ::testing::WithParamInterface<SaveKind> {
protected:
    forms::SaveFileRequest csvRequest() const {
        forms::SaveFileRequest request;
        request.title = "Export Contacts";
        request.filter = "CSV Files (*.CSV)|*.CSV";
        request.defaultExtension = "CSV";
        request.initialFolder = folder.file("");
        return request;
    }
    std::optional<std::string> run(const forms::SaveFileRequest& request,
                                   std::vector<DialogDriver::Step> steps) {
        DialogDriver driver(std::move(steps));
        auto chosen = GetParam().open(request, nullptr);
        EXPECT_TRUE(driver.finished());
        titles = driver.titles();
        return chosen;
    }

    TempFolder folder;
    std::vector<std::string> titles;
};

TEST_P(SaveDialogTest, NameWithoutExtensionGetsTheDefaultOneInTheStartFolder) {
    const auto chosen = run(csvRequest(), {typeNameAndSave("Weekly")});
    ASSERT_TRUE(chosen);
    EXPECT_TRUE(samePath(*chosen, inFolder(folder, "Weekly.CSV")));
    EXPECT_EQ(titles, std::vector<std::string>{"Export Contacts"});
}

TEST_P(SaveDialogTest, NonAsciiNameRoundTrips) {
    std::filesystem::create_directory(folder.path() / u8"Bücher");
    forms::SaveFileRequest request = csvRequest();
    request.initialFolder = folder.file("Bücher");
    const auto chosen = run(request, {typeNameAndSave("Müller-Übersicht.csv")});
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, inFolder(folder, "Bücher\\Müller-Übersicht.csv"));
}

TEST_P(SaveDialogTest, CancelGivesNothing) {
    EXPECT_FALSE(run(csvRequest(), {press(IDCANCEL)}));
}

TEST_P(SaveDialogTest, StartsWithTheGivenNameAndFileTypes) {
    forms::SaveFileRequest request = csvRequest();
    request.filter = "CSV Files (*.CSV)|*.CSV|All Files (*.*)|*.*";
    request.fileName = "Zoë.CSV";
    std::string shownName;
    std::string shownType;
    LRESULT typeCount = 0;
    const auto chosen = run(request, {[&](HWND dialog) {
                                HWND box = fileNameBox(dialog);
                                HWND types = findControl(dialog, cmb1);
                                if (box == nullptr || types == nullptr) {
                                    return false;
                                }
                                shownName = windowText(box);
                                shownType = windowText(types);
                                typeCount = SendMessageW(types, CB_GETCOUNT, 0, 0);
                                pressButton(dialog, IDOK);
                                return true;
                            }});
    EXPECT_EQ(shownName, "Zoë.CSV");
    EXPECT_EQ(shownType, "CSV Files (*.CSV)");
    EXPECT_EQ(typeCount, 2);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, inFolder(folder, "Zoë.CSV"));
}

TEST_P(SaveDialogTest, ExistingFileIsReplacedOnlyAfterTheUserAgrees) {
    std::ofstream(folder.path() / "Weekly.CSV") << "old";
    forms::SaveFileRequest request = csvRequest();
    request.promptOverwrite = true;
    // The question comes as a second dialog; "No" returns to the Save As dialog.
    const auto agreed = run(request, {typeNameAndSave("Weekly.CSV"), press(IDYES)});
    ASSERT_TRUE(agreed);
    EXPECT_EQ(*agreed, inFolder(folder, "Weekly.CSV"));
    EXPECT_EQ(titles.size(), 2u);

    // Without the prompt the name is taken at once; a question would find no step to answer
    // it and be cancelled.
    request.promptOverwrite = false;
    const auto unasked = run(request, {typeNameAndSave("Weekly.CSV")});
    ASSERT_TRUE(unasked);
    EXPECT_EQ(*unasked, inFolder(folder, "Weekly.CSV"));
}

INSTANTIATE_TEST_SUITE_P(Dialogs, SaveDialogTest,
                         ::testing::Values(SaveKind{"Item", &saveFileDialog},
                                           SaveKind{"Classic", &classicSaveFileDialog}),
                         [](const auto& kind) { return std::string(kind.param.name); });

// ---- Folders ---------------------------------------------------------------------------------

class FolderDialogTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        std::filesystem::create_directory(folder_.path() / std::u8string(kSubfolder));
    }
    template <typename Dialog>
    std::optional<std::string> run(Dialog open, const std::string& start,
                                   std::vector<DialogDriver::Step> steps) {
        DialogDriver driver(std::move(steps));
        auto chosen = open("Templates Folder", start, nullptr);
        EXPECT_TRUE(driver.finished());
        titles = driver.titles();
        return chosen;
    }

    static constexpr const char8_t* kSubfolder = u8"Bücher für Müller";
    const std::string subfolderName{reinterpret_cast<const char*>(kSubfolder)};
    std::vector<std::string> titles;
};

TEST_F(FolderDialogTest, ItemDialogPicksAFolderNamedInTheStartFolder) {
    const auto chosen = run(&folderDialog, folder_.file(""), {[&](HWND dialog) {
        setEditText(fileNameBox(dialog), subfolderName);
        pressButton(dialog, IDOK);
        return true;
    }});
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, folder_.file(subfolderName));
    EXPECT_EQ(titles, std::vector<std::string>{"Templates Folder"});
}

TEST_F(FolderDialogTest, ClassicDialogOpensOnTheStartFolder) {
    const auto chosen = run(&classicFolderDialog, folder_.file(subfolderName), {[](HWND dialog) {
        HWND tree = findChild(dialog, L"SysTreeView32");
        if (tree == nullptr || SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0) == 0) {
            return false;  // the start folder is selected once the tree is filled
        }
        pressButton(dialog, IDOK);
        return true;
    }});
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, folder_.file(subfolderName));
}

TEST_F(FolderDialogTest, CancelGivesNothing) {
    EXPECT_FALSE(run(&folderDialog, folder_.file(""), {press(IDCANCEL)}));
    EXPECT_FALSE(run(&classicFolderDialog, folder_.file(""), {press(IDCANCEL)}));
}

// ---- Fonts -----------------------------------------------------------------------------------

TEST(FontSizeTest, PointsAndPixelHeightsConvertAtTheScreensDpi) {
    struct Case {
        double points;
        int dpi;
        LONG height;
    };
    const Case cases[] = {
        {10, 96, -13}, {10.5, 96, -14}, {12, 96, -16}, {12, 144, -24}, {8, 120, -13}, {72, 96, -96},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(fontHeight(c.points, c.dpi), c.height) << c.points << " at " << c.dpi;
    }
    EXPECT_DOUBLE_EQ(fontPoints(-14, 96), 10.5);
    EXPECT_DOUBLE_EQ(fontPoints(-24, 144), 12);
    EXPECT_DOUBLE_EQ(fontPoints(16, 96), 12);
}

// The font dialog's boxes: face, style and size combo boxes, the effects check boxes and the
// colour list.
constexpr int kFaceBox = cmb1;
constexpr int kStyleBox = cmb2;
constexpr int kSizeBox = cmb3;
constexpr int kColorList = cmb4;
constexpr int kStrikeOut = chx1;
constexpr int kUnderline = chx2;

struct ShownFont {
    std::string face;
    std::string style;
    std::string size;
    bool underline = false;
    bool strikeOut = false;
    std::string color;
};

ShownFont shownFont(HWND dialog) {
    ShownFont shown;
    shown.face = windowText(GetDlgItem(dialog, kFaceBox));
    shown.style = windowText(GetDlgItem(dialog, kStyleBox));
    shown.size = windowText(GetDlgItem(dialog, kSizeBox));
    shown.underline = IsDlgButtonChecked(dialog, kUnderline) == BST_CHECKED;
    shown.strikeOut = IsDlgButtonChecked(dialog, kStrikeOut) == BST_CHECKED;
    shown.color = windowText(GetDlgItem(dialog, kColorList));
    return shown;
}

// An entry picked from a list box of the dialog, as a click on it tells the dialog.
void pickEntry(HWND dialog, int id, const std::string& entry) {
    HWND box = GetDlgItem(dialog, id);
    const std::wstring text = platform::toWide(entry);
    SendMessageW(box, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
}

int CALLBACK collectFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM faces) {
    const std::wstring face = font->lfFaceName;
    auto& names = *reinterpret_cast<std::vector<std::string>*>(faces);
    if ((type & TRUETYPE_FONTTYPE) != 0 && !face.empty() && face[0] != L'@') {
        names.push_back(platform::toUtf8(face));
    }
    return 1;
}

// The dialog lists the fonts installed on the machine: the tests use two of them.
std::vector<std::string> installedFaces() {
    std::vector<std::string> faces;
    LOGFONTW all{};
    all.lfCharSet = DEFAULT_CHARSET;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &all, collectFace, reinterpret_cast<LPARAM>(&faces), 0);
    ReleaseDC(nullptr, screen);
    std::sort(faces.begin(), faces.end());
    faces.erase(std::unique(faces.begin(), faces.end()), faces.end());
    return faces;
}

class FontDialogTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        faces = installedFaces();
        if (!IsSkipped() && faces.size() < 2) {
            GTEST_SKIP() << "needs two TrueType fonts installed";
        }
    }
    forms::FontChoice someFont() const {
        forms::FontChoice font;
        font.name = faces[0];
        font.size = 12;
        font.bold = true;
        font.underline = true;
        font.strikeThrough = true;
        font.color = 0x000000FF;  // red
        return font;
    }
    std::vector<std::string> faces;

    std::optional<forms::FontChoice> run(const forms::FontChoice& initial,
                                         std::vector<DialogDriver::Step> steps) {
        DialogDriver driver(std::move(steps));
        auto chosen = fontDialog(initial, nullptr);
        EXPECT_TRUE(driver.finished());
        return chosen;
    }
};

void expectSameFont(const forms::FontChoice& actual, const forms::FontChoice& expected) {
    EXPECT_EQ(actual.name, expected.name);
    EXPECT_DOUBLE_EQ(actual.size, expected.size);
    EXPECT_EQ(actual.bold, expected.bold);
    EXPECT_EQ(actual.italic, expected.italic);
    EXPECT_EQ(actual.underline, expected.underline);
    EXPECT_EQ(actual.strikeThrough, expected.strikeThrough);
    EXPECT_EQ(actual.color, expected.color);
}

TEST_F(FontDialogTest, StartsWithTheGivenFontAndGivesItBackUnchanged) {
    ShownFont shown;
    const auto chosen = run(someFont(), {[&](HWND dialog) {
                                shown = shownFont(dialog);
                                pressButton(dialog, IDOK);
                                return true;
                            }});
    EXPECT_EQ(shown.face, faces[0]);
    EXPECT_EQ(shown.style, "Bold");
    EXPECT_EQ(shown.size, "12");
    EXPECT_TRUE(shown.underline);
    EXPECT_TRUE(shown.strikeOut);
    EXPECT_EQ(shown.color, "Red");
    ASSERT_TRUE(chosen);
    expectSameFont(*chosen, someFont());
}

TEST_F(FontDialogTest, FractionalSizeLeftAloneKeepsItsFraction) {
    forms::FontChoice font = someFont();
    font.size = 10.5;
    std::string shownSize;
    const auto chosen = run(font, {[&](HWND dialog) {
                                shownSize = windowText(GetDlgItem(dialog, kSizeBox));
                                pressButton(dialog, IDOK);
                                return true;
                            }});
    ASSERT_TRUE(chosen);
    EXPECT_DOUBLE_EQ(chosen->size, 10.5) << "shown as " << shownSize;
}

TEST_F(FontDialogTest, FontWithoutASizeOpensAtTenPoints) {
    forms::FontChoice font = someFont();
    font.size = 0;
    std::string shownSize;
    const auto chosen = run(font, {[&](HWND dialog) {
                                shownSize = windowText(GetDlgItem(dialog, kSizeBox));
                                pressButton(dialog, IDOK);
                                return true;
                            }});
    EXPECT_EQ(shownSize, "10");
    ASSERT_TRUE(chosen);
    EXPECT_DOUBLE_EQ(chosen->size, 10);
}

TEST_F(FontDialogTest, ChoicesMadeInTheDialogComeBack) {
    const auto chosen = run(someFont(), {[&](HWND dialog) {
                                pickEntry(dialog, kFaceBox, faces[1]);
                                pickEntry(dialog, kStyleBox, "Italic");
                                pickEntry(dialog, kSizeBox, "16");
                                pickEntry(dialog, kColorList, "Blue");
                                SendMessageW(GetDlgItem(dialog, kUnderline), BM_CLICK, 0, 0);
                                pressButton(dialog, IDOK);
                                return true;
                            }});
    ASSERT_TRUE(chosen);
    forms::FontChoice expected = someFont();
    expected.name = faces[1];
    expected.size = 16;
    expected.bold = false;
    expected.italic = true;
    expected.underline = false;
    expected.color = 0x00FF0000;
    expectSameFont(*chosen, expected);
}

TEST_F(FontDialogTest, CancelGivesNothing) {
    EXPECT_FALSE(run(someFont(), {press(IDCANCEL)}));
}

// ---- Colours ---------------------------------------------------------------------------------

constexpr int kRedBox = 706;
constexpr int kGreenBox = 707;
constexpr int kBlueBox = 708;
constexpr int kAddCustomColor = 712;
constexpr int kCustomColors = 721;

class ColorDialogTest : public DialogTest {
protected:
    std::optional<std::uint32_t> run(std::uint32_t initial, std::vector<DialogDriver::Step> steps) {
        DialogDriver driver(std::move(steps));
        auto chosen = colorDialog(initial, nullptr);
        EXPECT_TRUE(driver.finished());
        return chosen;
    }
};

DialogDriver::Step mix(int red, int green, int blue, std::vector<int> buttons) {
    return [=](HWND dialog) {
        setEditText(GetDlgItem(dialog, kRedBox), std::to_string(red));
        setEditText(GetDlgItem(dialog, kGreenBox), std::to_string(green));
        setEditText(GetDlgItem(dialog, kBlueBox), std::to_string(blue));
        for (const int id : buttons) {
            pressButton(dialog, id);
        }
        return true;
    };
}

TEST_F(ColorDialogTest, StartsWithTheGivenColourAndGivesItBack) {
    std::string red, green, blue;
    const auto chosen = run(0x00123456, {[&](HWND dialog) {
                                red = windowText(GetDlgItem(dialog, kRedBox));
                                green = windowText(GetDlgItem(dialog, kGreenBox));
                                blue = windowText(GetDlgItem(dialog, kBlueBox));
                                pressButton(dialog, IDOK);
                                return true;
                            }});
    EXPECT_EQ(red, "86");
    EXPECT_EQ(green, "52");
    EXPECT_EQ(blue, "18");
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, 0x00123456u);
}

TEST_F(ColorDialogTest, MixedColourComesBackAsBlueGreenRed) {
    const auto chosen = run(0, {mix(200, 100, 50, {IDOK})});
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, 0x003264C8u);
}

TEST_F(ColorDialogTest, CancelGivesNothing) {
    EXPECT_FALSE(run(0x00123456, {mix(1, 2, 3, {IDCANCEL})}));
}

TEST_F(ColorDialogTest, CustomColoursStayForTheNextDialog) {
    const auto contains = [](COLORREF color) {
        const auto& colors = sessionCustomColors();
        return std::find(colors.begin(), colors.end(), color) != colors.end();
    };
    ASSERT_FALSE(contains(RGB(10, 20, 30)));
    EXPECT_TRUE(run(0, {mix(10, 20, 30, {kAddCustomColor, IDOK})}));
    EXPECT_TRUE(contains(RGB(10, 20, 30)));
    // The next dialog offers it: a click on the first custom colour box picks it.
    const auto picked =
        run(0, {[](HWND dialog) {
                const RECT boxes = childRect(GetDlgItem(dialog, kCustomColors));
                PostMessageW(dialog, WM_LBUTTONDOWN, MK_LBUTTON,
                             MAKELPARAM(boxes.left + 4, boxes.top + 4));
                PostMessageW(dialog, WM_LBUTTONUP, 0, MAKELPARAM(boxes.left + 4, boxes.top + 4));
                pressButton(dialog, IDOK);
                return true;
            }});
    ASSERT_TRUE(picked);
    EXPECT_EQ(*picked, static_cast<std::uint32_t>(RGB(10, 20, 30)));
}

// ---- Through the UI service, from the program's own windows ---------------------------------

TEST_F(DialogTest, DialogOpenedFromAModalFormBelongsToIt) {
    WinUi ui;
    SampleForm form(ui);
    HWND formWindow = nullptr;
    HWND owner = nullptr;
    bool formEnabled = true;
    std::optional<std::uint32_t> chosen;
    form.txtName->onGotFocus = [&] {
        if (formWindow != nullptr) {
            return;
        }
        formWindow = ui.dialogOwner();
        DialogDriver driver({[&](HWND dialog) {
            owner = GetWindow(dialog, GW_OWNER);
            formEnabled = IsWindowEnabled(formWindow) != FALSE;
            pressButton(dialog, IDOK);
            return true;
        }});
        chosen = ui.chooseColor(0x00123456);
        EXPECT_TRUE(driver.finished());
        form.hide();
    };
    form.showModal();
    ASSERT_NE(formWindow, nullptr);
    EXPECT_EQ(owner, formWindow);
    EXPECT_FALSE(formEnabled);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, 0x00123456u);
}

class TemplateFolderBrowseTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        if (IsSkipped()) {
            return;
        }
        session.ui = &ui;
        session.settings = &settings;
        session.programFolder = folder_.file("");
        std::filesystem::create_directory(folder_.path() / u8"Vorlagen für Müller");
        // Made once the session has its services: the dialog takes its UI from the session.
        form = std::make_unique<reports::FrmTemplateFolder>(session);
        form->load();
        form->txtPath().setText(folder_.file(""));
        window = std::make_unique<WinFormWindow>(*form);
        form->show();
    }
    void TearDown() override {
        window.reset();
        form.reset();
    }

    // The user's click on the dialog's Browse button, answered by `step` in the folder dialog.
    bool browse(DialogDriver::Step step) {
        DialogDriver driver({std::move(step)});
        SendMessageW(window->handleFor(form->cmdBrowse()), BM_CLICK, 0, 0);
        return driver.finished();
    }

    WinUi ui;
    platform::MemorySettingsStore settings;
    act::Session session;
    std::unique_ptr<reports::FrmTemplateFolder> form;
    std::unique_ptr<WinFormWindow> window;
};

TEST_F(TemplateFolderBrowseTest, ChosenFolderShowsInThePathBox) {
    const std::string chosen = folder_.file("Vorlagen für Müller");
    std::string title;
    EXPECT_TRUE(browse([&](HWND dialog) {
        title = windowText(dialog);
        setEditText(fileNameBox(dialog), "Vorlagen für Müller");
        pressButton(dialog, IDOK);
        return true;
    }));
    EXPECT_EQ(title, "Templates Folder");
    EXPECT_EQ(form->txtPath().text(), chosen);
    EXPECT_EQ(windowText(window->handleFor(form->txtPath())), chosen);
}

TEST_F(TemplateFolderBrowseTest, CancelledBrowseLeavesThePath) {
    EXPECT_TRUE(browse(press(IDCANCEL)));
    EXPECT_EQ(form->txtPath().text(), folder_.file(""));
    EXPECT_TRUE(form->visible());
}

}  // namespace
}  // namespace bp::win::test
