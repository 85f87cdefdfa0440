// How a report looks: fonts, borders and colours from the definition, number formats, and the
// template's own content carried into the report.

#include <zip.h>

#include <fstream>
#include <iterator>

#include "LauncherFixture.h"
#ifndef _WIN32
#include <sys/stat.h>

#include "support/FifoWatchdog.h"
#endif
#include "platform/Locale.h"

namespace bp::launcher::test {
namespace {

const Keys kTwoColumns = LauncherTest::fields({{1025, "Company"}, {34, "Amount"}});

TEST_F(LauncherTest, TitleRowTakesItsFontAndBorderFromTheDefinition) {
    writeData({{"Acme", "100"}});
    stage(with(kTwoColumns, {{"Sort0", "1025"},
                             {"SortCol0", "1"},
                             {"Title0", "1"},
                             {"TitleFont0", "Times New Roman"},
                             {"TitleFontSize0", "12.5"},
                             {"TitleFontBold0", "False"},
                             {"TitleFontItalic0", "True"},
                             {"TitleFontUnderline0", "True"},
                             {"TitleFontColor0", "255"},
                             {"TitleBorderStyle0", "1"},
                             {"TitleBorderColor0", "16711680"}}));
    ASSERT_EQ(run(), kExitDone);

    XlsxReader r = report();
    Font f = r.font("A1");
    EXPECT_EQ(f.name, "Times New Roman");
    EXPECT_DOUBLE_EQ(f.size, 12.5);
    EXPECT_FALSE(f.bold);
    EXPECT_TRUE(f.italic);
    EXPECT_TRUE(f.underline);
    EXPECT_EQ(f.color, "FFFF0000");  // stored colours keep red in the low byte
    EXPECT_EQ(r.bottom("A1").style, "medium");
    EXPECT_EQ(r.bottom("A1").color, "FF0000FF");
    EXPECT_EQ(r.bottom("B1").style, "medium");  // the line runs under the whole row
}

TEST_F(LauncherTest, TitleDefaultsAreArialEightBoldWithAThinLine) {
    writeData({{"Acme", "100"}});
    stage(with(kTwoColumns, {{"Sort0", "1025"}, {"SortCol0", "1"}, {"Title0", "1"}}));
    ASSERT_EQ(run(), kExitDone);
    XlsxReader r = report();
    EXPECT_EQ(r.font("A1").name, "Arial");
    EXPECT_DOUBLE_EQ(r.font("A1").size, 8);
    EXPECT_TRUE(r.font("A1").bold);
    EXPECT_EQ(r.bottom("A1").style, "thin");

    stage(
        with(kTwoColumns,
             {{"Sort0", "1025"}, {"SortCol0", "1"}, {"Title0", "1"}, {"TitleBorderBelow0", "0"}}));
    ASSERT_EQ(run(), kExitDone);
    EXPECT_EQ(report().bottom("A1").style, "");
}

TEST_F(LauncherTest, TotalColumnWithItsOwnFontAndLineAbove) {
    writeData({{"Acme", "100"}, {"Beta", "250"}});
    stage(with(kTwoColumns, {{"Totals99", "1"},
                             {"TotalBorder99", "0"},
                             {"TotalFontName99", "Verdana"},
                             {"TotalFontSize99", "9"},
                             {"TotalFontColor99", "8421504"},
                             {"34CalcType99", "1"},
                             {"34Different99", "1"},
                             {"34LineAbove99", "1"},
                             {"34FontName99", "Courier New"},
                             {"34FontSize99", "10,5"},
                             {"34FontBold99", "True"},
                             {"34FontStrikeThru99", "True"},
                             {"34FontColor99", "32768"}}));
    ASSERT_EQ(run(), kExitDone);

    XlsxReader r = report();
    Font caption = r.font("A3");
    EXPECT_EQ(caption.name, "Verdana");
    EXPECT_DOUBLE_EQ(caption.size, 9);
    EXPECT_TRUE(caption.bold);
    EXPECT_EQ(caption.color, "FF808080");
    Font own = r.font("B3");
    EXPECT_EQ(own.name, "Courier New");
    EXPECT_DOUBLE_EQ(own.size, 10.5);
    EXPECT_TRUE(own.bold);
    EXPECT_TRUE(own.strike);
    EXPECT_EQ(own.color, "FF008000");
    EXPECT_EQ(r.top("B3").style, "thin");  // the column's own line
    EXPECT_EQ(r.top("A3").style, "");      // no border for the row
    EXPECT_EQ(r.text("B3"), "350");
}

TEST_F(LauncherTest, TotalBorderStylesAndColour) {
    const std::pair<const char*, const char*> styles[] = {
        {"0", "thin"}, {"1", "medium"}, {"2", "thick"}, {"3", "double"}};
    writeData({{"Acme", "100"}});
    for (const auto& [stored, line] : styles) {
        SCOPED_TRACE(stored);
        stage(with(
            kTwoColumns,
            {{"Totals99", "1"}, {"TotalBorderStyle99", stored}, {"TotalBorderColor99", "65535"}}));
        ASSERT_EQ(run(), kExitDone);
        XlsxReader r = report();
        EXPECT_EQ(r.top("B2").style, line);
        EXPECT_EQ(r.top("B2").color, "FFFFFF00");
    }
}

TEST_F(LauncherTest, MoneyColumnsShowTwoDecimals) {
    writeData({{"Acme", "1250.5", "3"}});
    stage(fields({{1025, "Company"}, {34, "Amount"}, {32, "Units"}}));
    ASSERT_EQ(run(), kExitDone);
    XlsxReader r = report();
    EXPECT_EQ(r.numberFormat("B1"), "4");
    EXPECT_EQ(r.numberFormat("C1"), "0");
}

// The data file as the program writes it in each region: the host's amounts with a ".",
// forecasts and dates in the regional form. Every region builds the same numbers and rows.
TEST_F(LauncherTest, EveryRegionBuildsTheSameNumbersAndRows) {
    struct Region {
        const char* name;
        const char* forecast;  // 625.25 written the region's way
    };
    const Region regions[] = {
        {"en_US", "625.25"}, {"de_DE", "625,25"}, {"fr_FR", "625,25"}, {"en_GB", "625.25"}};
    for (const Region& region : regions) {
        platform::Locale locale(region.name);
        regional_ = Regional::fromLocale(locale);
        std::string closes = locale.formatDate({2026, 3, 14, 0, 0, 0});
        std::string opened = locale.formatDate({2025, 12, 1, 0, 0, 0});
        writeData({{"Zeta", "1250.50", region.forecast, closes},
                   {"Acme", "99.99", "0", opened},
                   {"Beta", "1234567.00", "-3", closes}});
        stage(with(fields({{1025, "Company"},
                           {34, "Amount"},
                           {101, "Forecasted amount"},
                           {31, "Close Date"}}),
                   {{"Sort0", "34"}, {"SortType0", "N"}, {"SortCol0", "2"}, {"NoRepeat0", "0"}}));
        ASSERT_EQ(run(), kExitDone) << region.name;
        XlsxReader r = report();
        EXPECT_EQ(r.text("A1"), "Acme") << region.name;
        EXPECT_EQ(r.text("A2"), "Zeta") << region.name;
        EXPECT_EQ(r.text("A3"), "Beta") << region.name;
        EXPECT_DOUBLE_EQ(r.cell("B1").number(), 99.99) << region.name;
        EXPECT_DOUBLE_EQ(r.cell("B2").number(), 1250.5) << region.name;
        EXPECT_DOUBLE_EQ(r.cell("B3").number(), 1234567) << region.name;
        EXPECT_DOUBLE_EQ(r.cell("C2").number(), 625.25) << region.name;
        EXPECT_DOUBLE_EQ(r.cell("D1").number(), 45992) << region.name;
        EXPECT_DOUBLE_EQ(r.cell("D2").number(), 46095) << region.name;
    }
}

TEST_F(LauncherTest, StarterTemplateKeepsItsTitleAreaAndPageSetup) {
    std::string templ = (dir_ / "Quarterly sales.XLT").string();
    std::filesystem::copy_file(starterTemplate(), templ);
    writeData({{"Acme", "100"}});
    stage(with(kTwoColumns, {{"Path", templ}, {"TopLeftRow", "4"}, {"Header", "1"}}));
    ASSERT_EQ(run(), kExitDone);
    EXPECT_TRUE(desktop_.warnings.empty());

    XlsxReader r = report();
    EXPECT_EQ(r.text("A1"), "Quarterly sales");
    EXPECT_DOUBLE_EQ(r.cell("A2").number(), 46101);  // the build date, 20 March 2026
    EXPECT_EQ(r.numberFormat("A2"), "d mmmm yyyy");
    EXPECT_EQ(r.bottom("H1").style, "medium");  // the template's own styled cells
    EXPECT_EQ(r.text("A4"), "Company");
    EXPECT_EQ(r.text("A5"), "Acme");
    auto sheet = r.sheet().child("worksheet");
    EXPECT_DOUBLE_EQ(sheet.child("cols").child("col").attribute("width").as_double(), 26);
    EXPECT_STREQ(sheet.child("pageSetup").attribute("orientation").as_string(), "landscape");
    EXPECT_NE(
        std::string(sheet.child("headerFooter").child("oddFooter").text().as_string()).find("&P"),
        std::string::npos);
    EXPECT_NE(r.part("[Content_Types].xml").find("sheet.main+xml"), std::string::npos);
    EXPECT_EQ(r.part("[Content_Types].xml").find("template.main+xml"), std::string::npos);
}

// A template whose first sheet holds cells where the report goes and beyond it.
std::string makeTemplate(const std::string& from, const std::string& to,
                         const std::string& sheetData) {
    std::filesystem::copy_file(from, to);
    int error = 0;
    zip_t* archive = zip_open(to.c_str(), 0, &error);
    static std::string sheet;
    sheet =
        R"(<?xml version="1.0"?><worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)"
        "<sheetData>" +
        sheetData +
        R"(</sheetData><mergeCells count="1"><mergeCell ref="F1:G1"/></mergeCells></worksheet>)";
    zip_source_t* source = zip_source_buffer(archive, sheet.data(), sheet.size(), 0);
    zip_file_add(archive, "xl/worksheets/sheet1.xml", source, ZIP_FL_OVERWRITE);
    zip_close(archive);
    return to;
}

TEST_F(LauncherTest, TemplateCellsAroundTheDataStay) {
    std::string templ = makeTemplate(
        starterTemplate(), (dir_ / "Own.XLT").string(),
        R"(<row r="1"><c r="F1" t="inlineStr"><is><t>Prepared by sales</t></is></c></row>)"
        R"(<row r="2" ht="30" customHeight="1"><c r="A2" t="inlineStr"><is><t>overwritten</t></is></c>)"
        R"(<c r="D2"><v>42</v></c></row>)"
        R"(<row r="9"><c r="A9" t="inlineStr"><is><t>Footnote</t></is></c></row>)");
    writeData({{"Acme", "100"}, {"Beta", "200"}});
    stage(with(kTwoColumns, {{"Path", templ}, {"TopLeftRow", "2"}}));
    ASSERT_EQ(run(), kExitDone);

    XlsxReader r = report();
    EXPECT_EQ(r.text("F1"), "Prepared by sales");
    EXPECT_EQ(r.text("A2"), "Acme");  // the report's cell wins where both have one
    EXPECT_EQ(r.text("D2"), "42");
    EXPECT_EQ(r.text("A3"), "Beta");
    EXPECT_EQ(r.text("A9"), "Footnote");
    auto row2 = r.sheet().select_node("//row[@r='2']").node();
    EXPECT_STREQ(row2.attribute("ht").as_string(), "30");
    EXPECT_TRUE(r.sheet().select_node("//mergeCell[@ref='F1:G1']"));
    EXPECT_STREQ(r.sheet().child("worksheet").child("dimension").attribute("ref").as_string(),
                 "A1:F9");
}

TEST_F(LauncherTest, MissingOrBrokenTemplateGivesAPlainWorkbookAndAWarning) {
    std::string broken = (dir_ / "Broken.XLT").string();
    std::ofstream(broken) << "not a spreadsheet";
    for (const std::string& templ : {(dir_ / "Gone.XLT").string(), broken}) {
        SCOPED_TRACE(templ);
        buildOnUnusableTemplate(templ, kTwoColumns);
        ASSERT_FALSE(HasFatalFailure());
        // Without a template the columns are made wide enough for their values.
        XlsxReader r = report();
        auto col = r.sheet().child("worksheet").child("cols").child("col");
        EXPECT_DOUBLE_EQ(col.attribute("width").as_double(), 9);
        EXPECT_DOUBLE_EQ(col.next_sibling().attribute("width").as_double(), 14);
    }
    EXPECT_TRUE(std::filesystem::exists(broken));  // the template itself is never touched
}

TEST_F(LauncherTest, TemplateWithBadContentTypesGivesAPlainWorkbookAndAWarning) {
    const std::map<std::string, std::string> damages = {
        {"not XML", "<Types xmlns=\"x\"><Default"},
        {"missing", ""},
        {"no type list", "<Other/>"},
    };
    for (const auto& [name, content] : damages) {
        SCOPED_TRACE(name);
        std::string templ = (dir_ / "Damaged.xltx").string();
        writePackage(templ, XlsxReader(starterTemplate()).parts(),
                     {{"[Content_Types].xml", content}});
        buildOnUnusableTemplate(templ, kTwoColumns);
        ASSERT_FALSE(HasFatalFailure());
        EXPECT_NE(desktop_.warnings[0].find("Content_Types"), std::string::npos);
        XlsxReader r = report();
        EXPECT_NE(r.part("[Content_Types].xml").find("sheet.main+xml"), std::string::npos);
    }
}

// Parts the report rewrites, each with a second root element before or after its own: the XML
// library reads them, but written back they are parts no spreadsheet program opens. Each such
// template is refused for a plain workbook, whose every part has a single root.
TEST_F(LauncherTest, ATemplatePartWithTwoRootsGivesAPlainWorkbookAndAWarning) {
    const auto parts = XlsxReader(starterTemplate()).parts();
    const std::string names[] = {"xl/worksheets/sheet1.xml", "xl/styles.xml", "xl/workbook.xml",
                                 "[Content_Types].xml"};
    for (const std::string& name : names) {
        const std::string& part = parts.at(name);
        size_t root = part.find('<', part.find("?>"));
        for (const std::string& damaged :
             {part.substr(0, root) + "<calcPr/>\n" + part.substr(root), part + "<calcPr/>"}) {
            SCOPED_TRACE(name + ": " + damaged.substr(0, 80));
            std::string templ = (dir_ / "TwoRoots.xltx").string();
            writePackage(templ, parts, {{name, damaged}});
            buildOnUnusableTemplate(templ, kTwoColumns);
            ASSERT_FALSE(HasFatalFailure());
            XlsxReader r = report();
            for (const auto& [written, xml] : r.parts()) {
                pugi::xml_document doc;
                ASSERT_TRUE(doc.load_string(xml.c_str())) << written;
                EXPECT_EQ(std::distance(doc.children().begin(), doc.children().end()), 1)
                    << written;
            }
        }
    }
}

// A zip bomb: a template of a few hundred kilobytes whose sheet expands to 40 MB of blanks.
TEST_F(LauncherTest, ATemplateWhoseSheetExpandsFarIsRefusedWithAPlainWorkbook) {
    const std::string templ = (dir_ / "Bomb.xltx").string();
    std::string sheet = XlsxReader(starterTemplate()).parts().at("xl/worksheets/sheet1.xml");
    sheet.insert(sheet.rfind("</worksheet>"), std::string(40u << 20, ' '));
    writePackage(templ, XlsxReader(starterTemplate()).parts(),
                 {{"xl/worksheets/sheet1.xml", sheet}});
    ASSERT_LT(std::filesystem::file_size(templ), 1u << 20);
    buildOnUnusableTemplate(templ, kTwoColumns);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_NE(desktop_.warnings[0].find("larger than 32 MB"), std::string::npos)
        << desktop_.warnings[0];
}

TEST_F(LauncherTest, ATemplateThatIsAPipeOrADeviceGivesAPlainWorkbookWithoutWaiting) {
#ifdef _WIN32
    GTEST_SKIP() << "FIFOs and device files are POSIX ones";
#else
    const std::string fifo = (dir_ / "Pipe.XLT").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    bp::test::FifoWatchdog watchdog(fifo);
    const std::string device = (dir_ / "Device.XLT").string();
    std::filesystem::create_symlink("/dev/zero", device);
    for (const std::string& templ : {fifo, device}) {
        SCOPED_TRACE(templ);
        buildOnUnusableTemplate(templ, kTwoColumns);
    }
#endif
}

// The starter template with the central directory claiming `claimed` bytes for one entry.
std::string templateClaiming(const std::string& from, const std::string& entry, uint32_t claimed) {
    std::ifstream in(from, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string central("PK\x01\x02", 4);
    for (size_t at = bytes.find(central); at != std::string::npos;
         at = bytes.find(central, at + 4)) {
        size_t nameLength = static_cast<unsigned char>(bytes[at + 28]) |
                            static_cast<size_t>(static_cast<unsigned char>(bytes[at + 29])) << 8;
        if (bytes.compare(at + 46, nameLength, entry) == 0) {
            for (size_t i = 0; i < 4; ++i) {
                bytes[at + 24 + i] = static_cast<char>((claimed >> (8 * i)) & 0xFF);
            }
            return bytes;
        }
    }
    ADD_FAILURE() << "no entry " << entry;
    return bytes;
}

TEST_F(LauncherTest, TemplatePartClaimingGigabytesIsRefusedWithoutTakingTheMemory) {
    std::string templ = (dir_ / "Claims.xltx").string();
    std::ofstream(templ, std::ios::binary)
        << templateClaiming(starterTemplate(), "xl/styles.xml", 0xFFFFFFF0u);
    buildOnUnusableTemplate(templ, kTwoColumns);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_NE(desktop_.warnings[0].find("larger than 32 MB"), std::string::npos)
        << desktop_.warnings[0];
}

}  // namespace
}  // namespace bp::launcher::test
