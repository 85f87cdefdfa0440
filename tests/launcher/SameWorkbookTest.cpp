// The same inputs give the same workbook on Linux and on Windows: every XML part of the report
// is compared, after parsing, with a reference the Linux build wrote and that is kept with the
// sources (tests/launcher/data/same-workbook). Cells, formulas, shared strings and styles all
// take part; the zip bytes (timestamps, compression) do not.
//
// After a deliberate change to what the builder writes, scripts/update-workbook-reference.sh
// writes the reference anew from the Linux build.

#include <algorithm>
#include <cstdlib>
#include <set>
#include <sstream>

#include "LauncherFixture.h"
#include "platform/PathText.h"

namespace bp::launcher::test {
namespace {

namespace fs = std::filesystem;

const fs::path kReferences =
    fs::path(BRINDLEPATH_TEST_SOURCE_DIR) / "tests" / "launcher" / "data" / "same-workbook";

// Text and numbers that formatting could turn out differently on the two systems: decimals,
// negatives, thousands, an empty amount, characters outside ASCII and markup characters.
const Rows kData = {
    {"Company", "Amount", "Closes", "Manager"},    {"Acme & Sons", "1234.5", "2026-03-01", "Dana"},
    {"Beta <Ltd>", "0.1", "2026-01-15", "Lee"},    {"Acme & Sons", "-3", "2025-12-31", "Dana"},
    {"\xC3\x96l \"AG\"", "", "2026-02-28", "Lee"}, {"Zeta", "1000000.25", "", "Sam"},
};

Keys definition() {
    return with(LauncherTest::fields(
                    {{1025, "Company"}, {34, "Amount"}, {31, "Closes"}, {1026, "Manager"}}),
                {{"Sort0", "1025"},
                 {"SortCol0", "1"},
                 {"SortType0", "S"},
                 {"Title0", "1"},
                 {"TitleCaption0", "Company: <value>"},
                 {"TitleFont0", "Times New Roman"},
                 {"TitleFontSize0", "12.5"},
                 {"TitleFontItalic0", "True"},
                 {"TitleFontColor0", "255"},
                 {"TitleBorderStyle0", "1"},
                 {"TitleBorderColor0", "16711680"},
                 {"Totals99", "1"},
                 {"TotalCaption99", "Summe f\xFCr alle \x80"},
                 {"TotalFontName99", "Verdana"},
                 {"TotalFontColor99", "8421504"},
                 {"34CalcType99", "1"},
                 {"34Different99", "1"},
                 {"34LineAbove99", "1"},
                 {"34FontBold99", "True"},
                 {"1026CalcType99", "3"},
                 {"Header", "1"}});
}

// The part as a parser sees it: attribute quoting, empty-element form, the declaration and
// the layout between elements no longer count; text, names and their order do.
std::string parsed(const std::string& xml, const std::string& name) {
    pugi::xml_document document;
    pugi::xml_parse_result result = document.load_buffer(
        xml.data(), xml.size(), pugi::parse_default | pugi::parse_ws_pcdata_single);
    if (!result) {
        ADD_FAILURE() << name << " does not parse: " << result.description();
        return "";
    }
    std::ostringstream out;
    document.save(out, "", pugi::format_raw | pugi::format_no_declaration);
    return out.str();
}

// Where two texts part, with a little of each around it.
std::string firstDifference(const std::string& expected, const std::string& actual) {
    size_t at = 0;
    while (at < expected.size() && at < actual.size() && expected[at] == actual[at]) {
        ++at;
    }
    size_t from = at < 60 ? 0 : at - 60;
    return "at character " + std::to_string(at) + "\n  reference: ..." +
           expected.substr(from, 160) + "\n  built:     ..." + actual.substr(from, 160);
}

class SameWorkbookTest : public LauncherTest {
protected:
    std::map<std::string, std::string> builtParts(const Keys& more) {
        writeData(kData);
        stage(with(definition(), more));
        EXPECT_EQ(run(), kExitDone);
        EXPECT_TRUE(desktop_.errors.empty());
        std::map<std::string, std::string> parts;
        XlsxReader book = report();
        for (const auto& [name, xml] : book.parts()) {
            parts[name] = parsed(xml, name);
        }
        return parts;
    }

    static std::map<std::string, std::string> referenceParts(const fs::path& folder) {
        std::map<std::string, std::string> parts;
        for (const auto& entry : fs::recursive_directory_iterator(folder)) {
            if (entry.is_regular_file()) {
                std::string name = platform::utf8FromPath(entry.path().lexically_relative(folder));
                std::replace(name.begin(), name.end(), '\\', '/');
                parts[name] =
                    parsed(platform::test::readFile(platform::utf8FromPath(entry.path())), name);
            }
        }
        return parts;
    }

    static void writeReference(const fs::path& folder,
                               const std::map<std::string, std::string>& parts) {
        fs::remove_all(folder);
        for (const auto& [name, xml] : parts) {
            fs::path path = folder / platform::pathFromUtf8(name);
            fs::create_directories(path.parent_path());
            std::ofstream(path, std::ios::binary) << xml;
        }
    }

    // The built report against the reference in `name`, part for part.
    void compareWithReference(const std::string& name, const Keys& more) {
        const fs::path folder = kReferences / name;
        std::map<std::string, std::string> built = builtParts(more);
        ASSERT_FALSE(built.empty());
        if (const char* update = std::getenv("BRINDLEPATH_UPDATE_WORKBOOK_REFERENCE");
            update && std::string(update) == "1") {
            writeReference(folder, built);
        }
        std::map<std::string, std::string> reference = referenceParts(folder);
        std::set<std::string> builtNames, referenceNames;
        for (const auto& part : built) {
            builtNames.insert(part.first);
        }
        for (const auto& part : reference) {
            referenceNames.insert(part.first);
        }
        ASSERT_EQ(builtNames, referenceNames);
        for (const auto& [part, xml] : reference) {
            EXPECT_EQ(built[part], xml) << part << " differs " << firstDifference(xml, built[part]);
        }
        // The reference itself is a report worth comparing: a formula and a style of its own.
        EXPECT_NE(reference["xl/worksheets/sheet1.xml"].find("<f>"), std::string::npos);
        EXPECT_NE(reference["xl/styles.xml"].find("Times New Roman"), std::string::npos);
    }
};

TEST_F(SameWorkbookTest, APlainWorkbookMatchesItsReference) {
    compareWithReference("plain", {});
}

// The starter template's title area, with the report's name and the build date filled in.
TEST_F(SameWorkbookTest, AReportInTheStarterTemplateMatchesItsReference) {
    const std::string templ = (dir_ / "Pipeline.XLT").string();
    fs::copy_file(starterTemplate(), templ);
    compareWithReference("template", {{"Path", templ}, {"TopLeftRow", "4"}});
}

}  // namespace
}  // namespace bp::launcher::test
