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
enum class KeyForm { Plain, Indexed, Column };

struct KeyEntry {
    std::string_view base;
    KeyForm form;
    std::string_view value;
    std::string_view summaryValue;  // for section 99 where it differs
};

constexpr std::string_view kSame = "\x01";

constexpr std::array<KeyEntry, 50> kCatalogue{{
    {"TopLeftCol", KeyForm::Plain, "A", kSame},
    {"TopLeftRow", KeyForm::Plain, "1", kSame},
    {"Header", KeyForm::Plain, "0", kSame},
    {"FieldsIncluded", KeyForm::Plain, "\f", kSame},
    {"FieldNamesIncluded", KeyForm::Plain, "", kSame},
    {"Path", KeyForm::Plain, "", kSame},
    {"FieldID", KeyForm::Indexed, "0", kSame},
    {"FieldName", KeyForm::Indexed, "", kSame},
    {"Sort", KeyForm::Indexed, "0", kSame},
    {"SortType", KeyForm::Indexed, "", kSame},
    {"SortOrder", KeyForm::Indexed, "1", kSame},
    {"SortCol", KeyForm::Indexed, "-1", kSame},
    {"Title", KeyForm::Indexed, "0", kSame},
    {"TitleCaption", KeyForm::Indexed, "<value>", kSame},
    {"NoRepeat", KeyForm::Indexed, "1", kSame},
    {"TitleBorderBelow", KeyForm::Indexed, "1", kSame},
    {"TitleEmptyBefore", KeyForm::Indexed, "0", kSame},
    {"TitleEmptyAfter", KeyForm::Indexed, "0", kSame},
    {"TitleFont", KeyForm::Indexed, "Arial", kSame},
    {"TitleFontBold", KeyForm::Indexed, "True", kSame},
    {"TitleFontItalic", KeyForm::Indexed, "False", kSame},
    {"TitleFontUnderline", KeyForm::Indexed, "False", kSame},
    {"TitleFontStrikeThru", KeyForm::Indexed, "False", kSame},
    {"TitleFontColor", KeyForm::Indexed, "0", kSame},
    {"TitleFontSize", KeyForm::Indexed, "8", kSame},
    {"TitleBorderStyle", KeyForm::Indexed, "0", kSame},
    {"TitleBorderColor", KeyForm::Indexed, "0", kSame},
    {"Totals", KeyForm::Indexed, "0", "1"},
    {"TotalPos", KeyForm::Indexed, "1", kSame},
    {"TotalBorder", KeyForm::Indexed, "1", kSame},
    {"TotalEmptyBefore", KeyForm::Indexed, "0", kSame},
    {"TotalEmptyAfter", KeyForm::Indexed, "0", kSame},
    {"TotalCaption", KeyForm::Indexed, "Total for <value> :", "Total Sales :"},
    {"TotalCaptionCol", KeyForm::Indexed, "1", kSame},
    {"TotalFontName", KeyForm::Indexed, "Arial", kSame},
    {"TotalFontBold", KeyForm::Indexed, "True", kSame},
    {"TotalFontItalic", KeyForm::Indexed, "False", kSame},
    {"TotalFontUnderline", KeyForm::Indexed, "False", kSame},
    {"TotalFontStrikeThru", KeyForm::Indexed, "False", kSame},
    {"TotalFontColor", KeyForm::Indexed, "0", kSame},
    {"TotalFontSize", KeyForm::Indexed, "8", kSame},
    {"TotalBorderStyle", KeyForm::Indexed, "0", kSame},
    {"TotalBorderColor", KeyForm::Indexed, "0", kSame},
    {"CalcType", KeyForm::Column, "0", kSame},
    {"LineAbove", KeyForm::Column, "0", kSame},
    {"Different", KeyForm::Column, "0", kSame},
    {"FontName", KeyForm::Column, "", kSame},
    {"FontBold", KeyForm::Column, "False", kSame},
    {"FontItalic", KeyForm::Column, "False", kSame},
    {"FontSize", KeyForm::Column, "11", kSame},
}};

// Column font keys not in the table above share the style defaults.
constexpr std::array<KeyEntry, 3> kMoreColumnKeys{{
    {"FontUnderline", KeyForm::Column, "False", kSame},
    {"FontStrikeThru", KeyForm::Column, "False", kSame},
    {"FontColor", KeyForm::Column, "0", kSame},
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
        if (e.form == KeyForm::Plain && core::equalNoCase(e.base, key)) {
            return &e;
        }
    }
    SplitKey s = split(key);
    if (!s.hasIndex) {
        return nullptr;
    }
    *section = s.index;
    KeyForm wanted = s.hasColumn ? KeyForm::Column : KeyForm::Indexed;
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
