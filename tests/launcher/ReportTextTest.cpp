// Text from definitions saved in the Windows-1252 code page, and text no part may hold: the
// report is either a workbook every spreadsheet program reads, or an error, never a broken file.

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

#include "LauncherFixture.h"
#include "platform/PathText.h"

namespace bp::launcher::test {
namespace {

namespace fs = std::filesystem;

// Decodes with the system's own converter, which refuses any byte sequence that is not UTF-8.
bool decodesAsUtf8(const std::string& text) {
#ifdef _WIN32
    if (text.empty()) {
        return true;
    }
    return ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(),
                                 static_cast<int>(text.size()), nullptr, 0) > 0;
#else
    iconv_t converter = iconv_open("UTF-32LE", "UTF-8");
    std::string in = text;
    std::string out(in.size() * 4 + 4, '\0');
    char* inPtr = in.data();
    char* outPtr = out.data();
    size_t inLeft = in.size();
    size_t outLeft = out.size();
    size_t result = iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(converter);
    return result != static_cast<size_t>(-1) && inLeft == 0;
#endif
}

// Every XML part is UTF-8 and parses.
void expectReadableParts(const XlsxReader& reader) {
    for (const auto& [name, content] : reader.parts()) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(decodesAsUtf8(content));
        pugi::xml_document doc;
        EXPECT_TRUE(doc.load_string(content.c_str()));
    }
}

TEST_F(LauncherTest, TextSavedInTheWindowsCodePageReachesTheWorkbookReadable) {
    // "Größe", "für", "€" and "Ä" as single Windows-1252 bytes.
    const std::string latinName =
        "Gr\xF6\xDF"
        "e";
    // The path as the definition saved it; the file is there under the letters it means.
    std::string templ = (dir_ / "").string() + latinName + ".XLT";
    fs::copy_file(starterTemplate(), platform::pathFromUtf8(platform::storedPathText(templ)));
    writeData({{"M\xFCller"}});
    stage(with(LauncherTest::fields({{1025, latinName}}),
               {{"Path", templ},
                {"TopLeftRow", "4"},
                {"Header", "1"},
                {"Totals99", "1"},
                {"TotalCaption99", "Summe f\xFCr alle \x80"},
                {"TotalFontName99", "Arial \xC4"}}));
    ASSERT_EQ(run(), kExitDone) << lastError();
    EXPECT_TRUE(desktop_.warnings.empty());  // the template with its single-byte name was found

    XlsxReader r = report();
    expectReadableParts(r);
    EXPECT_EQ(r.text("A1"), "Größe");  // the report name from the template's file name
    EXPECT_EQ(r.text("A4"), "Größe");
    EXPECT_EQ(r.text("A5"), "Müller");
    EXPECT_NE(r.part("xl/worksheets/sheet1.xml").find("Summe für alle €"), std::string::npos);
    EXPECT_NE(r.part("xl/styles.xml").find("Arial Ä"), std::string::npos);
}

TEST_F(LauncherTest, ATemplateSheetThatIsNotUtf8GivesAPlainWorkbook) {
    std::string templ = (dir_ / "Broken.xltx").string();
    {
        XlsxReader starter(starterTemplate());
        std::string sheet = starter.part("xl/worksheets/sheet1.xml");
        sheet.replace(sheet.find("&lt;report&gt;"), 14,
                      "Gr\xF6\xDF"
                      "e");
        writePackage(templ, starter.parts(), {{"xl/worksheets/sheet1.xml", sheet}});
    }
    buildOnUnusableTemplate(templ, kOneColumn);
    expectReadableParts(report());
}

TEST_F(LauncherTest, ATemplateSheetWithRowsPastTheSheetsEndGivesAPlainWorkbook) {
    const std::vector<std::string> sheetData = {
        R"(<row r="1048577"><c r="A1048577"><v>1</v></c></row>)",
        R"(<row r="1048576"/><row><c><v>1</v></c></row>)",
    };
    for (const auto& rows : sheetData) {
        SCOPED_TRACE(rows);
        std::string templ = (dir_ / "Long.xltx").string();
        {
            XlsxReader starter(starterTemplate());
            std::string sheet = starter.part("xl/worksheets/sheet1.xml");
            size_t from = sheet.find("<sheetData>") + 11;
            sheet.replace(from, sheet.find("</sheetData>") - from, rows);
            writePackage(templ, starter.parts(), {{"xl/worksheets/sheet1.xml", sheet}});
        }
        buildOnUnusableTemplate(templ, kOneColumn);
        ASSERT_FALSE(HasFatalFailure());
        EXPECT_NE(desktop_.warnings[0].find("past the sheet's last row"), std::string::npos)
            << desktop_.warnings[0];
        XlsxReader r = report();
        expectReadableParts(r);
        EXPECT_EQ(r.lastRow(), 4u);  // none of the template's rows came along
    }
}

TEST_F(LauncherTest, LongCellTextIsCutByCharactersNotBytes) {
    std::string umlauts;
    for (int i = 0; i < 20000; ++i) {
        umlauts += "ä";  // 40,000 bytes, but well within a cell's 32,767 characters
    }
    writeData({{umlauts}, {std::string(40000, 'a')}});
    stage(LauncherTest::fields({{1025, "Company"}}));
    ASSERT_EQ(run(), kExitDone);
    XlsxReader r = report();
    expectReadableParts(r);
    EXPECT_EQ(r.text("A1"), umlauts);
    EXPECT_EQ(r.text("A2"), std::string(32767, 'a'));
}

}  // namespace
}  // namespace bp::launcher::test
