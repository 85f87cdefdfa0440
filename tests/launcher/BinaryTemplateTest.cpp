// Templates in the Excel 97-2003 binary format: converted with LibreOffice where it is
// installed, else a plain workbook and a warning that says what to do.

#include <chrono>
#include <optional>

#include "LauncherFixture.h"
#include "launcher/BinaryTemplate.h"
#include "platform/Process.h"

namespace bp::launcher::test {
namespace {

namespace fs = std::filesystem;
using platform::test::readFile;

class BinaryTemplateTest : public LauncherTest {
protected:
    // The starter template saved by LibreOffice in the binary format, under `name`.
    std::string makeBinaryTemplate(const std::string& office, const std::string& name) {
        fs::path work = dir_ / "make";
        fs::create_directories(work);
        fs::copy_file(starterTemplate(), work / "starter.xlsx");
        auto outcome = platform::runAndWait(
            {office, "-env:UserInstallation=file://" + (work / "profile").string(), "--headless",
             "--norestore", "--convert-to", "xls", "--outdir", work.string(),
             (work / "starter.xlsx").string()},
            std::chrono::seconds(120));
        EXPECT_EQ(outcome, platform::RunOutcome::Succeeded);
        std::string templ = (dir_ / name).string();
        fs::rename(work / "starter.xls", templ);
        fs::remove_all(work);
        return templ;
    }
};

TEST_F(BinaryTemplateTest, IsConvertedOnceBesideItAndUsed) {
    std::optional<std::string> office = platform::findOnPath("soffice");
    if (!office) {
        office = platform::findOnPath("libreoffice");
    }
    if (!office) {
        GTEST_SKIP() << "LibreOffice (soffice) is not installed: binary templates cannot be "
                        "converted here";
    }
    std::string templ = makeBinaryTemplate(*office, "Old.XLT");
    ASSERT_TRUE(isBinarySpreadsheet(templ));
    std::string original = readFile(templ);

    writeData({{"Acme"}});
    stage(with(kOneColumn, {{"Path", templ}, {"TopLeftRow", "4"}}));
    ASSERT_EQ(run(), kExitDone) << lastError();
    EXPECT_TRUE(desktop_.warnings.empty()) << desktop_.warnings[0];
    EXPECT_EQ(report().text("A1"), "Old");  // the template's title area
    EXPECT_EQ(report().text("A4"), "Acme");
    EXPECT_EQ(readFile(templ), original);  // the user's file is untouched

    // The next report reuses the copy while the template is not changed.
    std::string copy = convertedTemplatePath(templ);
    ASSERT_TRUE(fs::exists(copy));
    auto made = fs::last_write_time(copy);
    {
        ScopedEnv noOffice("PATH", (dir_ / "empty").string());
        ASSERT_EQ(run(), kExitDone);
    }
    EXPECT_TRUE(desktop_.warnings.empty());
    EXPECT_EQ(fs::last_write_time(copy), made);

    // A template changed since is converted again.
    fs::last_write_time(copy, made - std::chrono::seconds(10));
    fs::last_write_time(templ, made - std::chrono::seconds(5));
    ASSERT_EQ(run(), kExitDone);
    EXPECT_TRUE(desktop_.warnings.empty());
    EXPECT_GT(fs::last_write_time(copy), fs::last_write_time(templ));
    EXPECT_EQ(readFile(templ), original);
}

TEST_F(BinaryTemplateTest, WithoutLibreOfficeTheWarningSaysWhatToDo) {
    std::string templ = (dir_ / "Old.XLT").string();
    {
        // The binary format's signature is all the builder looks at before converting.
        std::ofstream out(templ, std::ios::binary);
        out << "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1" << std::string(504, '\0');
    }
    writeData({{"Acme"}});
    stage(with(kOneColumn, {{"Path", templ}}));
    ScopedEnv noOffice("PATH", (dir_ / "empty").string());
    ASSERT_EQ(run(), kExitDone);
    ASSERT_EQ(desktop_.warnings.size(), 1u);
    const std::string& warning = desktop_.warnings[0];
    EXPECT_NE(warning.find("Excel 97-2003"), std::string::npos) << warning;
    EXPECT_NE(warning.find("Install LibreOffice"), std::string::npos) << warning;
    EXPECT_NE(warning.find(".xltx"), std::string::npos) << warning;
    EXPECT_NE(warning.find("plain workbook"), std::string::npos) << warning;
    EXPECT_EQ(report().text("A1"), "Acme");
    EXPECT_FALSE(fs::exists(convertedTemplatePath(templ)));
}

}  // namespace
}  // namespace bp::launcher::test
