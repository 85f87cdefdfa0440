// Paths the program builds and names outside ASCII: every file helper keeps a UTF-8 name whole
// on disk, and names are joined with the system's own separator. What is on disk is checked
// through the standard library's own UTF-8 conversion (utf8Path), never through the code
// under test.

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "platform/Environment.h"
#include "platform/ErrorHandler.h"
#include "platform/FileSettingsStore.h"
#include "platform/FileSystem.h"
#include "platform/PathText.h"
#include "platform/ProgramFolder.h"
#include "platform/SaveFile.h"
#include "platform/UserAccount.h"

namespace bp::platform {
namespace {

namespace fs = std::filesystem;
using test::ScopedEnv;
using test::TempFolder;
using test::utf8Path;

// Names with spaces, letters of Windows-1252 and letters outside it.
const std::vector<std::string> kNames = {"Zoë Prévisions", "Прогноз", "Ærøskøbing 東京"};

constexpr const char* kSep = test::kSeparator;

TEST(PathTextTest, NamesAreJoinedWithTheSystemsSeparator) {
    struct Case {
        std::string folder, name, joined;
    };
    const std::vector<Case> cases = {
        {"base", "data.CSV", std::string("base") + kSep + "data.CSV"},
        {std::string("base") + kSep, "data.CSV", std::string("base") + kSep + "data.CSV"},
        {"/", "data.CSV", "/data.CSV"},  // a root keeps its one separator
        {"", "data.CSV", "data.CSV"},
        {"Zoë Prévisions", "~currentLU.lku",
         std::string("Zoë Prévisions") + kSep + "~currentLU.lku"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(joinPath(c.folder, c.name), c.joined) << c.folder << " + " << c.name;
    }
    EXPECT_EQ(withTrailingSeparator("Templates"), std::string("Templates") + kSep);
    EXPECT_EQ(withTrailingSeparator("Templates/"), "Templates/");
#ifdef _WIN32
    // A folder the user typed with "/" or "\" keeps it; Windows takes both.
    EXPECT_EQ(joinPath("C:/Reports/", "a.DXL"), "C:/Reports/a.DXL");
    EXPECT_EQ(withTrailingSeparator("C:\\Reports\\"), "C:\\Reports\\");
#else
    // On Linux "\" is a letter of a name, not a separator.
    EXPECT_EQ(withTrailingSeparator("odd\\"), "odd\\/");
#endif
}

TEST(PathTextTest, UnicodeNamesConvertAsTheStandardLibraryReadsUtf8) {
    for (const std::string& name : kNames) {
        EXPECT_EQ(pathFromUtf8(name), utf8Path(name)) << name;
        EXPECT_EQ(utf8FromPath(utf8Path(name)), name);
    }
    EXPECT_EQ(fileNameOf(joinPath("Прогноз", "Zoë.DXL")), "Zoë.DXL");
    EXPECT_EQ(parentFolder(joinPath("Прогноз", "Zoë.DXL")), "Прогноз");
}

class UnicodeFilesTest : public ::testing::Test {
protected:
    TempFolder temp_;
};

TEST_F(UnicodeFilesTest, FileHelpersKeepTheExactName) {
    for (const std::string& name : kNames) {
        std::string folder = joinPath(temp_.file(name), name);
        createFolders(folder);
        EXPECT_TRUE(fs::is_directory(utf8Path(folder))) << name;
        std::string file = joinPath(folder, name + ".DXL");
        test::writeFile(file, "definition");
        ASSERT_TRUE(findFile(file)) << name;
        EXPECT_EQ(utf8Path(*findFile(file)), utf8Path(file));
        EXPECT_EQ(listFiles(folder), std::vector<std::string>{name + ".DXL"});

        std::string copy = joinPath(folder, name + " copy.DXL");
        copyFile(file, copy);
        EXPECT_EQ(test::readFile(copy), "definition");
        std::string renamed = joinPath(folder, "Renamed " + name + ".DXL");
        renameFile(copy, renamed);
        EXPECT_TRUE(fs::exists(utf8Path(renamed)));
        EXPECT_FALSE(fs::exists(utf8Path(copy)));
        deleteFile(renamed);
        EXPECT_FALSE(fs::exists(utf8Path(renamed)));
    }
}

TEST_F(UnicodeFilesTest, SavedFilesAndCFilesLandUnderTheirExactName) {
    std::string saved = temp_.file("Zoë Прогноз.txt");
    SaveFile file(saved);
    ASSERT_TRUE(file.open() && file.write("saved") && file.commit());
    EXPECT_EQ(test::readFile(saved), "saved");
    EXPECT_EQ(fs::directory_iterator(temp_.path())->path().filename(), utf8Path("Zoë Прогноз.txt"));

    std::string written = temp_.file("Prévisions Q3.xml");
    std::FILE* out = openCFile(written, "wb");
    ASSERT_NE(out, nullptr);
    std::fputs("<sheet/>", out);
    std::fclose(out);
    EXPECT_EQ(test::readFile(written), "<sheet/>");
}

TEST_F(UnicodeFilesTest, ASettingsFileInAUnicodeFolderIsWrittenAndReadBack) {
    std::string path = joinPath(joinPath(temp_.file("Zoë Prévisions"), "Прогноз"), "settings.ini");
    FileSettingsStore(path).SaveSetting("Settings", "TemplatesFolder", "C:\\Шаблоны\\");
    EXPECT_TRUE(fs::is_regular_file(utf8Path(path)));
    EXPECT_EQ(FileSettingsStore(path).GetSetting("Settings", "TemplatesFolder", ""),
              "C:\\Шаблоны\\");
}

TEST_F(UnicodeFilesTest, TheEnvironmentIsReadAsUtf8) {
    std::string folder = temp_.file("Zoë Prévisions Прогноз");
    ScopedEnv settings("BRINDLEPATH_SETTINGS", joinPath(folder, "settings.ini"));
    EXPECT_EQ(environmentVariable("BRINDLEPATH_SETTINGS"), joinPath(folder, "settings.ini"));
    EXPECT_EQ(userSettingsPath(), joinPath(folder, "settings.ini"));
    openUserSettings()->SaveSetting("Settings", "Lookup", "-1");
    EXPECT_TRUE(fs::is_regular_file(utf8Path(joinPath(folder, "settings.ini"))));
    ScopedEnv cleared("BRINDLEPATH_SETTINGS", std::nullopt);
    EXPECT_EQ(environmentVariable("BRINDLEPATH_SETTINGS"), "");
}

TEST_F(UnicodeFilesTest, TheProgramFolderComesWholeFromTheEnvironment) {
    std::string folder = temp_.file("Zoë Prévisions");
    {
        ScopedEnv home("BRINDLEPATH_HOME", folder + kSep + kSep);
        EXPECT_EQ(programFolder(), folder);
    }
    ScopedEnv home("BRINDLEPATH_HOME", folder);
    EXPECT_EQ(defaultTemplatesFolder(programFolder()), folder + kSep + "Templates");
}

TEST(UserFoldersTest, TheUsersFoldersComeFromTheSystem) {
    TempFolder temp;
    ScopedEnv data("XDG_DATA_HOME", temp.file("data Прогноз"));
    ScopedEnv config("XDG_CONFIG_HOME", temp.file("config Zoë"));
#ifdef _WIN32
    // Windows has folders of its own for this; the Linux variables mean nothing there.
    EXPECT_EQ(userDataFolder(), environmentVariable("LOCALAPPDATA"));
    EXPECT_EQ(userConfigFolder(), environmentVariable("APPDATA"));
    EXPECT_TRUE(utf8Path(userDataFolder()).is_absolute()) << userDataFolder();
#else
    EXPECT_EQ(userDataFolder(), temp.file("data Прогноз"));
    EXPECT_EQ(userConfigFolder(), temp.file("config Zoë"));
    ScopedEnv noData("XDG_DATA_HOME", std::nullopt);
    ScopedEnv relative("XDG_CONFIG_HOME", "relative/config");
    ScopedEnv home("HOME", temp.file("home"));
    EXPECT_EQ(userDataFolder(), temp.file("home") + "/.local/share");
    EXPECT_EQ(userConfigFolder(), temp.file("home") + "/.config");
#endif
}

// A file system error from the standard library names the path as the user typed it.
TEST(PathErrorTest, AFileSystemErrorNamesTheUnicodePath) {
    TempFolder temp;
    std::string missing = temp.file("Zoë Прогноз.DXL");
    ErrorReport report = reportOf(std::make_exception_ptr(
        fs::filesystem_error("cannot copy", pathFromUtf8(missing),
                             std::make_error_code(std::errc::no_such_file_or_directory))));
    EXPECT_NE(report.description.find("Zoë Прогноз.DXL"), std::string::npos) << report.description;
}

}  // namespace
}  // namespace bp::platform
