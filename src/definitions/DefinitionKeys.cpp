#include "definitions/DefinitionKeys.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <sstream>

#include "core/CaseFold.h"

namespace bp::definitions {
namespace {

// Plain keys stand alone; Indexed keys end in a section or slot number; Column keys also start
// with the field ID of the column they belong to.
enum class Form { Plain, Indexed, Column };

struct KeyEntry {
    std::string_view base;
    Form form;
    std::string_view value;
    std::string_view summaryValue;  // for section 99 where it differs
};

constexpr std::string_view kSame = "\x01";

constexpr std::array<KeyEntry, 50> kCatalogue{{
    {"TopLeftCol", Form::Plain, "A", kSame},
    {"TopLeftRow", Form::Plain, "1", kSame},
    {"Header", Form::Plain, "0", kSame},
    {"FieldsIncluded", Form::Plain, "\f", kSame},
    {"FieldNamesIncluded", Form::Plain, "", kSame},
    {"Path", Form::Plain, "", kSame},
    {"FieldID", Form::Indexed, "0", kSame},
    {"FieldName", Form::Indexed, "", kSame},
    {"Sort", Form::Indexed, "0", kSame},
    {"SortType", Form::Indexed, "", kSame},
    {"SortOrder", Form::Indexed, "1", kSame},
    {"SortCol", Form::Indexed, "-1", kSame},
    {"Title", Form::Indexed, "0", kSame},
    {"TitleCaption", Form::Indexed, "<value>", kSame},
    {"NoRepeat", Form::Indexed, "1", kSame},
    {"TitleBorderBelow", Form::Indexed, "1", kSame},
    {"TitleEmptyBefore", Form::Indexed, "0", kSame},
    {"TitleEmptyAfter", Form::Indexed, "0", kSame},
    {"TitleFont", Form::Indexed, "Arial", kSame},
    {"TitleFontBold", Form::Indexed, "True", kSame},
    {"TitleFontItalic", Form::Indexed, "False", kSame},
    {"TitleFontUnderline", Form::Indexed, "False", kSame},
    {"TitleFontStrikeThru", Form::Indexed, "False", kSame},
    {"TitleFontColor", Form::Indexed, "0", kSame},
    {"TitleFontSize", Form::Indexed, "8", kSame},
    {"TitleBorderStyle", Form::Indexed, "0", kSame},
    {"TitleBorderColor", Form::Indexed, "0", kSame},
    {"Totals", Form::Indexed, "0", "1"},
    {"TotalPos", Form::Indexed, "1", kSame},
    {"TotalBorder", Form::Indexed, "1", kSame},
    {"TotalEmptyBefore", Form::Indexed, "0", kSame},
    {"TotalEmptyAfter", Form::Indexed, "0", kSame},
    {"TotalCaption", Form::Indexed, "Total for <value> :", "Total Sales :"},
    {"TotalCaptionCol", Form::Indexed, "1", kSame},
    {"TotalFontName", Form::Indexed, "Arial", kSame},
    {"TotalFontBold", Form::Indexed, "True", kSame},
    {"TotalFontItalic", Form::Indexed, "False", kSame},
    {"TotalFontUnderline", Form::Indexed, "False", kSame},
    {"TotalFontStrikeThru", Form::Indexed, "False", kSame},
    {"TotalFontColor", Form::Indexed, "0", kSame},
    {"TotalFontSize", Form::Indexed, "8", kSame},
    {"TotalBorderStyle", Form::Indexed, "0", kSame},
    {"TotalBorderColor", Form::Indexed, "0", kSame},
    {"CalcType", Form::Column, "0", kSame},
    {"LineAbove", Form::Column, "0", kSame},
    {"Different", Form::Column, "0", kSame},
    {"FontName", Form::Column, "", kSame},
    {"FontBold", Form::Column, "False", kSame},
    {"FontItalic", Form::Column, "False", kSame},
    {"FontSize", Form::Column, "11", kSame},
}};

// Column font keys not in the table above share the style defaults.
constexpr std::array<KeyEntry, 3> kMoreColumnKeys{{
    {"FontUnderline", Form::Column, "False", kSame},
    {"FontStrikeThru", Form::Column, "False", kSame},
    {"FontColor", Form::Column, "0", kSame},
}};

bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

struct SplitKey {
    bool hasColumn = false;
    std::string_view base;
    bool hasIndex = false;
    int index = 0;
};

SplitKey split(std::string_view key) {
    SplitKey s;
    size_t head = 0;
    while (head < key.size() && isDigit(key[head])) {
        ++head;
    }
    s.hasColumn = head > 0;
    size_t tail = key.size();
    while (tail > head && isDigit(key[tail - 1])) {
        --tail;
    }
    s.base = key.substr(head, tail - head);
    s.hasIndex = tail < key.size();
    if (s.hasIndex) {
        s.index = std::stoi(std::string(key.substr(tail, 6)));
    }
    return s;
}

const KeyEntry* find(std::string_view key, int* section) {
    if (key.empty()) {
        return nullptr;
    }
    for (const auto& e : kCatalogue) {
        if (e.form == Form::Plain && core::equalNoCase(e.base, key)) {
            return &e;
        }
    }
    SplitKey s = split(key);
    if (!s.hasIndex) {
        return nullptr;
    }
    *section = s.index;
    Form wanted = s.hasColumn ? Form::Column : Form::Indexed;
    auto matches = [&](const KeyEntry& e) {
        return e.form == wanted && core::equalNoCase(e.base, s.base);
    };
    for (const auto& e : kCatalogue) {
        if (matches(e)) {
            return &e;
        }
    }
    for (const auto& e : kMoreColumnKeys) {
        if (matches(e)) {
            return &e;
        }
    }
    return nullptr;
}

}  // namespace

std::vector<std::string> splitItems(const std::string& list) {
    std::vector<std::string> items;
    std::string item;
    std::istringstream in(list);
    while (std::getline(in, item, kItemEnd)) {
        items.push_back(item);
    }
    return items;
}

std::string sectionKey(std::string_view base, int section) {
    return std::string(base) + std::to_string(section);
}

std::string columnKey(int fieldId, std::string_view base, int section) {
    return std::to_string(fieldId) + std::string(base) + std::to_string(section);
}

std::string keyDefault(std::string_view key) {
    int section = 0;
    const KeyEntry* e = find(key, &section);
    if (!e) {
        return {};
    }
    if (section == kSummarySection && e->summaryValue != kSame) {
        return std::string(e->summaryValue);
    }
    return std::string(e->value);
}

bool isCatalogued(std::string_view key) {
    int section = 0;
    return find(key, &section) != nullptr;
}

}  // namespace bp::definitions
