// The report's template, as the report builder fills it. A fixed definition and data file are
// staged once per process; each input becomes the template and one report is built. Either the
// build is refused with bp::Error and a message, leaving nothing behind, or it writes a workbook
// in which every XML part the build wrote or changed is well-formed, the report's first sheet can
// be found from the package's relationships, and that sheet holds every data row where the
// definition puts it. A part carried over byte for byte is the template's own and is left as is.
//
// What the input is. Mutating a zip file byte by byte mostly breaks its checksums, so nearly
// every mutant would only test the refusal of an unreadable package. Most inputs are therefore
// the template's XML parts, one after another, split at kPartBreak: the sheet, the styles, the
// workbook, the workbook's relationships, the shared strings, the content types and the
// package's relationships, in that order. The harness zips them into the template; a part the
// input does not reach takes the starter template's text, and a part given empty is left out of
// the package. An input that begins "PK" is the template file itself instead: the package layer
// (sizes that lie, entries that expand enormously, names, missing or doubled entries) still
// gets mutated, and a seed of that form starts from the starter template exactly as built.

#include <zip.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

#include "FuzzCheck.h"
#include "launcher/Regional.h"
#include "launcher/ReportBuilder.h"
#include "launcher/WorkbookPackage.h"
#include "platform/Error.h"
#include "platform/MemorySettingsStore.h"

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kPartBreak = "\n@@@@\n";

// The starter template's parts, with a shared string table added so the placeholder lookup
// through it is reached too.
constexpr const char* kSheet =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" )"
    R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">)"
    R"(<sheetPr><pageSetUpPr fitToPage="1"/></sheetPr><dimension ref="A1:H2"/>)"
    R"(<sheetViews><sheetView workbookViewId="0" showGridLines="0"/></sheetViews>)"
    R"(<sheetFormatPr defaultRowHeight="13.2"/>)"
    R"(<cols><col min="1" max="1" width="26" customWidth="1"/></cols><sheetData>)"
    R"(<row r="1" ht="24" customHeight="1"><c r="A1" s="1" t="s"><v>0</v></c>)"
    R"(<c r="B1" s="3"/></row><row r="2"><c r="A2" s="2" t="inlineStr"><is><t>&lt;date&gt;)"
    R"(</t></is></c></row><row r="6"><c r="A6"><v>1</v></c><c r="D6" t="inlineStr"><is><t>)"
    R"(kept</t></is></c></row></sheetData><pageMargins left="0.5" right="0.5" top="0.75" )"
    R"(bottom="0.75" header="0.3" footer="0.3"/></worksheet>)";
constexpr const char* kStyles =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)"
    R"(<numFmts count="1"><numFmt numFmtId="164" formatCode="d mmmm yyyy"/></numFmts>)"
    R"(<fonts count="2"><font><sz val="10"/><name val="Arial"/></font><font><b/><sz val="16"/>)"
    R"(<name val="Arial"/></font></fonts><fills count="1"><fill><patternFill )"
    R"(patternType="none"/></fill></fills><borders count="1"><border><left/><right/><top/>)"
    R"(<bottom/><diagonal/></border></borders><cellStyleXfs count="1"><xf numFmtId="0" )"
    R"(fontId="0" fillId="0" borderId="0"/></cellStyleXfs><cellXfs count="4"><xf numFmtId="0" )"
    R"(fontId="0" fillId="0" borderId="0" xfId="0"/><xf numFmtId="0" fontId="1" fillId="0" )"
    R"(borderId="0" xfId="0"/><xf numFmtId="164" fontId="0" fillId="0" borderId="0" xfId="0"/>)"
    R"(<xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0"/></cellXfs>)"
    R"(<cellStyles count="1"><cellStyle name="Normal" xfId="0" builtinId="0"/></cellStyles>)"
    R"(</styleSheet>)";
constexpr const char* kWorkbook =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" )"
    R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">)"
    R"(<sheets><sheet name="Report" sheetId="1" r:id="rId1"/></sheets>)"
    R"(<calcPr fullCalcOnLoad="1"/></workbook>)";
constexpr const char* kWorkbookRels =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/)"
    R"(relationships/worksheet" Target="worksheets/sheet1.xml"/><Relationship Id="rId2" )"
    R"(Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" )"
    R"(Target="styles.xml"/><Relationship Id="rId3" Type="http://schemas.openxmlformats.org/)"
    R"(officeDocument/2006/relationships/sharedStrings" Target="sharedStrings.xml"/>)"
    R"(</Relationships>)";
constexpr const char* kSharedStrings =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" count="2" )"
    R"(uniqueCount="2"><si><t>&lt;report&gt; summary</t></si><si><r><t>&lt;rep</t></r><r><t>)"
    R"(ort&gt;</t></r></si></sst>)";
constexpr const char* kContentTypes =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
    R"(<Default Extension="rels" )"
    R"(ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
    R"(<Default Extension="xml" ContentType="application/xml"/><Override )"
    R"(PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.)"
    R"(spreadsheetml.template.main+xml"/><Override PartName="/xl/calcChain.xml" )"
    R"(ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.calcChain+xml"/>)"
    R"(</Types>)";
constexpr const char* kRootRels =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/)"
    R"(relationships/officeDocument" Target="xl/workbook.xml"/></Relationships>)";

struct Slot {
    const char* name;
    const char* starter;
};
constexpr std::array<Slot, 7> kSlots{{
    {"xl/worksheets/sheet1.xml", kSheet},
    {"xl/styles.xml", kStyles},
    {"xl/workbook.xml", kWorkbook},
    {"xl/_rels/workbook.xml.rels", kWorkbookRels},
    {"xl/sharedStrings.xml", kSharedStrings},
    {"[Content_Types].xml", kContentTypes},
    {"_rels/.rels", kRootRels},
}};

// The data rows (company, amount) and where the definition puts them: a header at A4, the rows
// from A5 down. Texts that need escaping, spaces kept at an end and a grouped number all cross
// the template's own cells at row 6.
struct DataRow {
    const char* company;
    const char* amount;
    double value;
};
constexpr std::array<DataRow, 3> kRows{{
    {"Acme & Co <Ltd>", "100", 100},
    {" Beta \"B\" ", "1,250.50", 1250.5},
    {"Zeta ]]> \xC3\x98resund", "3", 3},
}};
constexpr size_t kFirstDataRow = 5;

struct Staged {
    std::string templatePath;
    std::string dataPath;
    std::string outPath;
    bp::platform::MemorySettingsStore settings;
    bp::launcher::Regional regional;
};

Staged& staged() {
    static Staged* once = [] {
        auto* s = new Staged;
        s->templatePath = bp::fuzz::Scratch::file("Fuzzed report.xltx");
        s->dataPath = bp::fuzz::Scratch::file("data.CSV");
        s->outPath = bp::fuzz::Scratch::file("report.xlsx");
        std::ofstream data(s->dataPath, std::ios::binary | std::ios::trunc);
        for (const auto& row : kRows) {
            std::string company;
            for (const char* c = row.company; *c; ++c) {
                company += *c;
                if (*c == '"') {
                    company += '"';
                }
            }
            data << '"' << company << "\",\"" << row.amount << "\"\r\n";
        }
        auto& store = s->settings;
        store.SaveSetting("Settings", "DataFile", s->dataPath);
        store.SaveSetting("Report", "Path", s->templatePath);
        store.SaveSetting("Report", "FieldsIncluded", "1025\f34\f");
        store.SaveSetting("Report", "FieldNamesIncluded", "Company\fAmount\f");
        store.SaveSetting("Report", "Header", "1");
        store.SaveSetting("Report", "TopLeftRow", "4");
        store.SaveSetting("Report", "Totals99", "1");
        store.SaveSetting("Report", "34CalcType99", "1");
        store.SaveSetting("Report", "TotalFontBold99", "1");
        return s;
    }();
    return *once;
}

void writeFile(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    BP_FUZZ_CHECK(out.good());
}

// The parts the input gives, in slot order; the rest are the starter's.
std::vector<std::string> splitParts(std::string_view input) {
    std::vector<std::string> parts;
    for (;;) {
        size_t at = input.find(kPartBreak);
        parts.emplace_back(input.substr(0, at));
        if (at == std::string_view::npos || parts.size() == kSlots.size()) {
            break;
        }
        input.remove_prefix(at + kPartBreak.size());
    }
    for (size_t i = parts.size(); i < kSlots.size(); ++i) {
        parts.emplace_back(kSlots[i].starter);
    }
    return parts;
}

void zipParts(const std::string& path, const std::vector<std::string>& parts) {
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    BP_FUZZ_CHECK(archive != nullptr);
    for (size_t i = 0; i < kSlots.size(); ++i) {
        if (parts[i].empty()) {
            continue;
        }
        zip_source_t* source = zip_source_buffer(archive, parts[i].data(), parts[i].size(), 0);
        BP_FUZZ_CHECK(source != nullptr);
        zip_int64_t index = zip_file_add(archive, kSlots[i].name, source, ZIP_FL_ENC_UTF_8);
        BP_FUZZ_CHECK(index >= 0);
        // Stored, not compressed: the fuzzer's time goes to the builder.
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
    }
    BP_FUZZ_CHECK(zip_close(archive) == 0);
}

// A package's entries: name -> (size, checksum).
using Entries = std::map<std::string, std::pair<zip_uint64_t, zip_uint32_t>>;

Entries entriesOf(zip_t* archive) {
    Entries entries;
    zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &stat) == 0 && stat.name) {
            entries.try_emplace(stat.name, stat.size, stat.crc);
        }
    }
    return entries;
}

Entries templateEntries(const std::string& path) {
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY, &error);
    if (!archive) {
        return {};
    }
    Entries entries = entriesOf(archive);
    zip_discard(archive);
    return entries;
}

// A part the build wrote: its sizes are its own, so it can be read whole.
std::string readPart(zip_t* archive, const std::string& name) {
    zip_stat_t stat;
    zip_stat_init(&stat);
    BP_FUZZ_CHECK(zip_stat(archive, name.c_str(), 0, &stat) == 0);
    std::string content(static_cast<size_t>(stat.size), '\0');
    zip_file_t* file = zip_fopen(archive, name.c_str(), 0);
    BP_FUZZ_CHECK(file != nullptr);
    zip_int64_t got = zip_fread(file, content.data(), stat.size);
    zip_fclose(file);
    BP_FUZZ_CHECK(got == static_cast<zip_int64_t>(stat.size));
    return content;
}

// XML with one root element and no text beside it: the library itself also takes several.
bool wellFormed(const std::string& xml, pugi::xml_document& doc) {
    if (doc.load_buffer(xml.data(), xml.size()).status != pugi::status_ok) {
        return false;
    }
    int roots = 0;
    for (pugi::xml_node node : doc.children()) {
        if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata) {
            return false;
        }
        roots += node.type() == pugi::node_element ? 1 : 0;
    }
    return roots == 1;
}

std::string relsOf(const std::string& part) {
    size_t slash = part.rfind('/');
    return slash == std::string::npos
               ? "_rels/" + part + ".rels"
               : part.substr(0, slash + 1) + "_rels/" + part.substr(slash + 1) + ".rels";
}

std::string target(const pugi::xml_document& rels, std::string_view typeSuffix,
                   std::string_view id) {
    for (auto rel : rels.child("Relationships").children("Relationship")) {
        if (std::string_view(rel.attribute("Type").as_string()).ends_with(typeSuffix) &&
            (id.empty() || id == rel.attribute("Id").as_string())) {
            return rel.attribute("Target").as_string();
        }
    }
    return {};
}

// The report's first sheet, found as a spreadsheet program finds it.
std::string firstSheet(const std::map<std::string, pugi::xml_document>& xml) {
    auto rels = xml.find("_rels/.rels");
    BP_FUZZ_CHECK(rels != xml.end());
    std::string workbook =
        bp::launcher::resolvePartPath("", target(rels->second, "/officeDocument", ""));
    auto book = xml.find(workbook);
    auto bookRels = xml.find(relsOf(workbook));
    BP_FUZZ_CHECK(book != xml.end() && bookRels != xml.end());
    std::string id =
        book->second.child("workbook").child("sheets").child("sheet").attribute("r:id").as_string();
    BP_FUZZ_CHECK(!id.empty());
    std::string sheet = target(bookRels->second, "", id);
    BP_FUZZ_CHECK(!sheet.empty());
    return bp::launcher::resolvePartPath(workbook, sheet);
}

void checkDataRows(const pugi::xml_document& sheet) {
    BP_FUZZ_CHECK(std::string_view(sheet.document_element().name()) == "worksheet");
    std::multimap<std::string, pugi::xml_node> cells;
    for (auto row : sheet.document_element().child("sheetData").children("row")) {
        for (auto cell : row.children("c")) {
            cells.emplace(cell.attribute("r").as_string(), cell);
        }
    }
    auto holds = [&](const std::string& ref, auto&& matches) {
        auto [from, to] = cells.equal_range(ref);
        for (auto it = from; it != to; ++it) {
            if (matches(it->second)) {
                return true;
            }
        }
        return false;
    };
    for (size_t i = 0; i < kRows.size(); ++i) {
        std::string row = std::to_string(kFirstDataRow + i);
        BP_FUZZ_CHECK(holds("A" + row, [&](pugi::xml_node c) {
            return std::string_view(c.attribute("t").as_string()) == "inlineStr" &&
                   std::string_view(c.child("is").child("t").text().as_string()) ==
                       kRows[i].company;
        }));
        BP_FUZZ_CHECK(holds("B" + row, [&](pugi::xml_node c) {
            return c.child("v").text().as_double(-1) == kRows[i].value;
        }));
    }
}

// Nothing but the template, the data file and the finished report stays in the folder.
void checkNothingLeft(const Staged& s, bool reportExpected) {
    std::set<std::string> expected{s.templatePath, s.dataPath};
    if (reportExpected) {
        expected.insert(s.outPath);
    }
    for (const auto& entry : fs::directory_iterator(bp::fuzz::Scratch::folder())) {
        BP_FUZZ_CHECK(expected.contains(entry.path().string()));
    }
}

void checkReport(const Staged& s) {
    const Entries before = templateEntries(s.templatePath);
    int error = 0;
    zip_t* archive = zip_open(s.outPath.c_str(), ZIP_RDONLY, &error);
    BP_FUZZ_CHECK(archive != nullptr);
    std::map<std::string, pugi::xml_document> xml;
    for (const auto& [name, sizes] : entriesOf(archive)) {
        if (!name.ends_with(".xml") && !name.ends_with(".rels")) {
            continue;
        }
        auto carried = before.find(name);
        if (carried != before.end() && carried->second == sizes) {
            continue;
        }
        pugi::xml_document doc;
        BP_FUZZ_CHECK(wellFormed(readPart(archive, name), doc));
        xml.emplace(name, std::move(doc));
    }
    // The package's relationships are carried when the template's were usable; they lead to
    // the sheet all the same.
    for (const char* name : {"_rels/.rels"}) {
        if (!xml.contains(name)) {
            pugi::xml_document doc;
            BP_FUZZ_CHECK(wellFormed(readPart(archive, name), doc));
            xml.emplace(name, std::move(doc));
        }
    }
    std::string sheet = firstSheet(xml);
    auto found = xml.find(sheet);
    BP_FUZZ_CHECK(found != xml.end());
    checkDataRows(found->second);
    zip_discard(archive);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Staged& s = staged();
    const std::string_view input = bp::fuzz::bytes(data, size);
    if (input.starts_with("PK")) {
        writeFile(s.templatePath, input);
    } else {
        zipParts(s.templatePath, splitParts(input));
    }
    std::error_code ignored;
    fs::remove(s.outPath, ignored);

    bp::launcher::ReportBuilder builder(s.settings, s.regional);
    bp::launcher::BuildResult result;
    try {
        result = builder.build(s.outPath, bp::launcher::BuildDate{2026, 3, 20});
    } catch (const bp::Error& error) {
        BP_FUZZ_CHECK(!error.description().empty());
        checkNothingLeft(s, false);
        return 0;
    }
    BP_FUZZ_CHECK(result.path == s.outPath);
    BP_FUZZ_CHECK(result.rows == kRows.size());
    checkNothingLeft(s, true);
    checkReport(s);
    return 0;
}
