#pragma once
// Texts the criteria panel shows and rewrites as the user's choices change.

namespace bp::criteria {

inline constexpr const char* kSelectPrefix = "Select one or more ";
inline constexpr const char* kExplanationAtLeastOne =
    "Contacts with Sales/Opportunities for AT LEAST ONE of the selected items will be "
    "included.";
inline constexpr const char* kExplanationAll =
    "Contacts with Sales/Opportunities for ALL of the selected items will be included.";
inline constexpr const char* kReverseDesign =
    "Brindlepath will select records meeting Condition 1 AND Condition 2";
inline constexpr const char* kReverseAnd =
    "Brindlepath will select contacts meeting Condition 1 AND Condition 2";
inline constexpr const char* kReverseAndNot =
    "Brindlepath will select contacts meeting Condition 1 AND NOT Condition 2";
inline constexpr const char* kConflictTitle = "Conflicting conditions";
inline constexpr const char* kConflictText =
    "You can't have both conditions based on the same field!";
// Output kinds of cboOutput, by iOutputType.
inline constexpr const char* kOutputExcel = "Excel Report";
inline constexpr const char* kOutputCsv = "CSV File (Export)";

}  // namespace bp::criteria
