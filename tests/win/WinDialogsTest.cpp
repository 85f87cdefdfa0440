// The desktop's Save As, folder, font and colour dialogs, driven under a real message loop the
// way a user answers them: what the program gets back, what the dialogs start with, and the
// cancel paths.

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace bp::win::test
