#include "launcher/ReportDefinition.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "core/CaseFold.h"
#include "core/Trim.h"
#include "definitions/DefinitionKeys.h"
#include "platform/Error.h"
#include "platform/PathText.h"
#include "platform/TextCodec.h"

namespace bp::launcher {
namespace {

using definitions::columnKey;
using definitions::keyDefault;
using definitions::sectionKey;
using definitions::ValueKind;

constexpr size_t kSheetColumns = 16384;
constexpr const char* kNothingStaged = "\x01";

std::optional<long> toInteger(const std::string& text) {
    std::string t(core::trimmed(text));
    long value = 0;
    auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (t.empty() || ec != std::errc() || end != t.data() + t.size()) {
        return std::nullopt;
    }
    return value;
}

std::vector<std::string> splitItems(const std::string& list) {
    std::vector<std::string> items;
    std::string item;
    for (char c : list) {
        if (c == definitions::kItemEnd) {
            items.push_back(item);
            item.clear();
        } else {
            item += c;
        }
    }
    if (!item.empty()) {
        items.push_back(item);  // a last item without its form-feed still counts
    }
    return items;
}

// Reads keys of the staging section with the catalogue's defaults.
class Keys {
public:
    explicit Keys(const platform::SettingsStore& settings) : settings_(settings) {}

    // Text for the workbook: always UTF-8, whatever code page the definition was saved in.
    std::string text(const std::string& key) const {
        std::string bytes = stored(key);
        return platform::TextCodec::toUtf8(bytes, platform::TextCodec::detect(bytes));
    }
    // The value as stored: a file path must keep its bytes to be found.
    std::string stored(const std::string& key) const {
        return settings_.GetSetting(definitions::kStagingSection, key, keyDefault(key));
    }
    bool flag(const std::string& key) const {
        std::string v(core::trimmed(text(key)));
        if (v == "1" || v == "-1") {
            return true;
        }
        return core::equalNoCase(v, "true");
    }
    long integer(const std::string& key) const {
        auto value = toInteger(text(key));
        return value ? *value : toInteger(keyDefault(key)).value_or(0);
    }
    uint32_t color(const std::string& key) const {
        return static_cast<uint32_t>(std::clamp<long>(integer(key), 0, 0xFFFFFF));
    }
    double size(const std::string& key) const {
        std::string v(core::trimmed(text(key)));
        std::replace(v.begin(), v.end(), ',', '.');  // a regional "10,5" from the font dialog
        double value = 0;
        auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), value);
        if (v.empty() || ec != std::errc() || end != v.data() + v.size() || value < 1) {
            return std::stod(keyDefault(key));
        }
        return std::min(value, 409.0);
    }
    BorderSpec border(const std::string& prefix, int n) const {
        BorderSpec b;
        b.line = static_cast<BorderLine>(
            std::clamp<long>(integer(sectionKey(prefix + "BorderStyle", n)), 0, 3));
        b.color = color(sectionKey(prefix + "BorderColor", n));
        return b;
    }
    // The seven keys of one font: `nameKey` and `stem` + Bold, Italic, ... + `suffix`.
    FontSpec font(const std::string& nameKey, const std::string& stem, int n) const {
        auto key = [&](const char* property) { return stem + property + std::to_string(n); };
        FontSpec f;
        f.name = text(nameKey);
        f.bold = flag(key("Bold"));
        f.italic = flag(key("Italic"));
        f.underline = flag(key("Underline"));
        f.strikeThrough = flag(key("StrikeThru"));
        f.color = color(key("Color"));
        f.size = size(key("Size"));
        return f;
    }

private:
    const platform::SettingsStore& settings_;
};

std::vector<ShownColumn> readColumns(const Keys& keys) {
    auto ids = splitItems(keys.text("FieldsIncluded"));
    auto names = splitItems(keys.text("FieldNamesIncluded"));
    std::vector<ShownColumn> columns;
    for (size_t i = 0; i < ids.size(); ++i) {
        if (core::trimmed(ids[i]).empty()) {
            continue;
        }
        ShownColumn column;
        column.fieldId = static_cast<int>(toInteger(ids[i]).value_or(0));
        column.caption = i < names.size() ? names[i] : "";
        if (auto field = definitions::findReportField(column.fieldId)) {
            column.kind = field->kind;
            if (column.caption.empty()) {
                column.caption = std::string(field->caption);
            }
        }
        if (definitions::isCustomSlot(column.fieldId)) {
            column.kind = ValueKind::Text;  // a custom slot may show any contact field
            std::string label =
                keys.text(sectionKey("FieldName", column.fieldId - definitions::kFirstCustomId));
            if (!label.empty()) {
                column.caption = label;
            }
        }
        columns.push_back(column);
    }
    return columns;
}

TotalSpec readTotal(const Keys& keys, int n, const std::vector<ShownColumn>& columns) {
    TotalSpec t;
    t.enabled = keys.flag(sectionKey("Totals", n));
    t.below = keys.flag(sectionKey("TotalPos", n));
    t.border = keys.flag(sectionKey("TotalBorder", n));
    t.borderLine = keys.border("Total", n);
    t.emptyBefore = keys.flag(sectionKey("TotalEmptyBefore", n));
    t.emptyAfter = keys.flag(sectionKey("TotalEmptyAfter", n));
    t.caption = keys.text(sectionKey("TotalCaption", n));
    long col = keys.integer(sectionKey("TotalCaptionCol", n));
    t.captionColumn =
        static_cast<size_t>(std::clamp<long>(col, 1, static_cast<long>(columns.size())) - 1);
    t.font = keys.font(sectionKey("TotalFontName", n), "TotalFont", n);
    for (const auto& column : columns) {
        ColumnTotal c;
        long calc = keys.integer(columnKey(column.fieldId, "CalcType", n));
        c.calc = calc >= 0 && calc <= 3 ? static_cast<CalcType>(calc) : CalcType::None;
        c.lineAbove = keys.flag(columnKey(column.fieldId, "LineAbove", n));
        if (keys.flag(columnKey(column.fieldId, "Different", n))) {
            std::string stem = std::to_string(column.fieldId) + "Font";
            c.ownFont = keys.font(columnKey(column.fieldId, "FontName", n), stem, n);
            if (c.ownFont->name.empty()) {
                c.ownFont->name = t.font.name;
            }
        }
        t.columns.push_back(c);
    }
    return t;
}

std::optional<size_t> findColumn(const std::vector<ShownColumn>& columns, int fieldId) {
    for (size_t i = 0; i < columns.size(); ++i) {
        if (columns[i].fieldId == fieldId) {
            return i;
        }
    }
    return std::nullopt;
}

// Where the rows of section n are ordered from: "SortCol<n>" as the run left it, or, when a run
// of an older program left none, the place the run would have put it.
std::optional<size_t> sortColumnOf(const Keys& keys, int n, int fieldId,
                                   const std::vector<ShownColumn>& columns, size_t dataColumns) {
    auto stored = toInteger(keys.text(sectionKey("SortCol", n)));
    long col = -1;
    if (stored) {
        col = *stored;
    } else if (fieldId == definitions::kContactNameId) {
        col = static_cast<long>(columns.size()) + 1;
    } else if (auto found = findColumn(columns, fieldId)) {
        col = static_cast<long>(*found) + 1;
    }
    if (col < 1 || static_cast<size_t>(col) > std::max(dataColumns, columns.size())) {
        return std::nullopt;
    }
    return static_cast<size_t>(col - 1);
}

std::optional<SectionSpec> readSection(const Keys& keys, int n, const ReportDefinition& report,
                                       size_t dataColumns) {
    SectionSpec s;
    s.index = n;
    s.fieldId = static_cast<int>(keys.integer(sectionKey("Sort", n)));
    if (s.fieldId == 0) {
        return std::nullopt;
    }
    auto sortColumn = sortColumnOf(keys, n, s.fieldId, report.columns, dataColumns);
    if (!sortColumn) {
        return std::nullopt;
    }
    s.sortColumn = *sortColumn;
    if (s.sortColumn < report.columns.size()) {
        s.shownColumn = s.sortColumn;
        s.hasShownColumn = true;
    } else if (auto shown = findColumn(report.columns, s.fieldId)) {
        s.shownColumn = *shown;  // the name column, sorted by its hidden sort key
        s.hasShownColumn = true;
    }
    std::string type(core::trimmed(keys.text(sectionKey("SortType", n))));
    if (type == "N" || type == "D" || type == "S") {
        s.sortType = type[0];
    } else if (auto field = definitions::findReportField(s.fieldId)) {
        s.sortType = field->kind == ValueKind::Number ? 'N'
                     : field->kind == ValueKind::Date ? 'D'
                                                      : 'S';
    }
    s.descending = core::trimmed(keys.text(sectionKey("SortOrder", n))) == "2";
    s.title = keys.flag(sectionKey("Title", n));
    s.titleCaption = keys.text(sectionKey("TitleCaption", n));
    s.noRepeat = keys.flag(sectionKey("NoRepeat", n));
    s.titleBorderBelow = keys.flag(sectionKey("TitleBorderBelow", n));
    s.titleBorder = keys.border("Title", n);
    s.titleEmptyBefore = keys.flag(sectionKey("TitleEmptyBefore", n));
    s.titleEmptyAfter = keys.flag(sectionKey("TitleEmptyAfter", n));
    s.titleFont = keys.font(sectionKey("TitleFont", n), "TitleFont", n);
    s.total = readTotal(keys, n, report.columns);
    return s;
}

}  // namespace

std::string reportNameOf(std::string path) {
    size_t slash = path.find_last_of("/\\");
    if (slash != std::string::npos) {
        path.erase(0, slash + 1);
    }
    size_t dot = path.rfind('.');
    if (dot != std::string::npos && dot > 0) {
        path.erase(dot);
    }
    return path;
}

std::optional<size_t> columnFromLetters(const std::string& letters) {
    std::string t(core::trimmed(letters));
    if (t.empty() || t.size() > 3) {
        return std::nullopt;
    }
    size_t column = 0;
    for (char c : t) {
        if (!std::isalpha(static_cast<unsigned char>(c))) {
            return std::nullopt;
        }
        column = column * 26 +
                 static_cast<size_t>(std::toupper(static_cast<unsigned char>(c)) - 'A' + 1);
    }
    if (column > kSheetColumns) {
        return std::nullopt;
    }
    return column - 1;
}

std::string columnLetters(size_t column) {
    std::string letters;
    for (size_t n = column + 1; n > 0; n = (n - 1) / 26) {
        letters.insert(letters.begin(), static_cast<char>('A' + (n - 1) % 26));
    }
    return letters;
}

ReportDefinition readDefinition(const platform::SettingsStore& settings, size_t dataColumns) {
    if (settings.GetSetting(definitions::kStagingSection, "FieldsIncluded", kNothingStaged) ==
        kNothingStaged) {
        raise(kErrInvalidCall,
              "No report definition is staged. Run the report again from brindlepath.");
    }
    Keys keys(settings);
    ReportDefinition report;
    report.templatePath = platform::storedPathText(keys.stored("Path"));
    report.reportName = reportNameOf(keys.text("Path"));
    report.columns = readColumns(keys);
    if (report.columns.empty()) {
        raise(kErrInvalidCall,
              "Please check the settings for this report: no fields are to be included!");
    }
    report.topLeftColumn = columnFromLetters(keys.text("TopLeftCol")).value_or(0);
    long row = toInteger(keys.text("TopLeftRow")).value_or(1);
    report.topLeftRow = static_cast<size_t>(std::clamp<long>(row, 1, kSheetRows));
    if (report.topLeftColumn + report.columns.size() > kSheetColumns) {
        report.topLeftColumn = 0;
    }
    report.header = keys.flag("Header");
    for (int n = 0; n < 3; ++n) {
        if (auto section = readSection(keys, n, report, dataColumns)) {
            report.sections.push_back(*section);
        }
    }
    report.summary = readTotal(keys, definitions::kSummarySection, report.columns);
    return report;
}

}  // namespace bp::launcher
