#pragma once
// The fixed set of report fields: every column of a report or CSV export is one of them.
// IDs are stored in definitions ("FieldsIncluded", "Sort0", "34CalcType0"), so they never change.

#include <optional>
#include <span>
#include <string_view>

namespace bp::definitions {

enum class FieldTable { Contact, Sales, Group };

// How the spreadsheet side should treat a column's values when the host is not at hand.
enum class ValueKind { Text, Number, Date };

struct ReportField {
    int id;
    std::string_view caption;
    FieldTable table;
    ValueKind kind;
};

inline constexpr int kEmptyColumnId = 950;
inline constexpr int kFirstCustomId = 994;
inline constexpr int kLastCustomId = 999;
inline constexpr int kContactNameId = 1026;  // sorting by it sorts by kContactSortNameId
inline constexpr int kContactSortNameId = 1079;

// All fields in the program's order (the order the field lists offer them).
std::span<const ReportField> reportFields();
std::optional<ReportField> findReportField(int id);
std::optional<ReportField> findReportField(std::string_view caption);

// The ID range says which host table a field ID stands for: below 500 a sales field,
// 500 to 993 a group field (ID - 500), 994 to 999 a custom slot, 1000 and above a contact field.
bool isCustomSlot(int id);

}  // namespace bp::definitions
