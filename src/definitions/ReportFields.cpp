#include "definitions/ReportFields.h"

#include <algorithm>
#include <array>

namespace bp::definitions {
namespace {

using enum FieldTable;
using enum ValueKind;

constexpr std::array<ReportField, 27> kFields{{
    {1025, "Company", Contact, Text},
    {1026, "Contact", Contact, Text},
    {1030, "City", Contact, Text},
    {202, "Main competitor", Sales, Text},
    {35, "Creation Date", Sales, Date},
    {30, "Probability", Sales, Number},
    {200, "Product", Sales, Text},
    {38, "Reason", Sales, Text},
    {39, "Sales Stage", Sales, Text},
    {34, "Amount", Sales, Number},
    {31, "Close Date", Sales, Date},
    {36, "Details", Sales, Text},
    {27, "Status", Sales, Text},
    {201, "Type", Sales, Text},
    {33, "Price", Sales, Number},
    {32, "Units", Sales, Number},
    {6, "Sales Record Manager", Sales, Text},
    {100, "Forecasted units", Sales, Number},
    {101, "Forecasted amount", Sales, Number},
    {525, "Group", Group, Text},
    {994, "Custom1", Contact, Text},
    {995, "Custom2", Contact, Text},
    {996, "Custom3", Contact, Text},
    {997, "Custom4", Contact, Text},
    {998, "Custom5", Contact, Text},
    {999, "Custom6", Contact, Text},
    {kEmptyColumnId, "Empty column", Contact, Text},
}};

}  // namespace

std::span<const ReportField> reportFields() {
    return kFields;
}

std::optional<ReportField> findReportField(int id) {
    auto it = std::ranges::find(kFields, id, &ReportField::id);
    if (it == kFields.end()) {
        return std::nullopt;
    }
    return *it;
}

std::optional<ReportField> findReportField(std::string_view caption) {
    auto it = std::ranges::find(kFields, caption, &ReportField::caption);
    if (it == kFields.end()) {
        return std::nullopt;
    }
    return *it;
}

bool isCustomSlot(int id) {
    return id >= kFirstCustomId && id <= kLastCustomId;
}

}  // namespace bp::definitions
