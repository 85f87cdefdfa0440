#pragma once
// The catalogue of every key a staged report definition can hold, with the default its readers
// use when the key is absent. Readers everywhere (the run, the settings dialogs, the report
// builder) take defaults from here, never from literals at the call site.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bp::definitions {

inline constexpr std::string_view kStagingSection = "Report";
inline constexpr int kSummarySection = 99;
inline constexpr char kItemEnd = '\f';  // ends every item of FieldsIncluded and similar lists

// The items of such a list, each without its end mark; a last item missing its mark counts.
std::vector<std::string> splitItems(const std::string& list);

// "Title" + 0 -> "Title0"; the summary row uses section 99.
std::string sectionKey(std::string_view base, int section);
// 34, "CalcType", 0 -> "34CalcType0".
std::string columnKey(int fieldId, std::string_view base, int section);

// The catalogue default for any key ("TitleCaption1", "34FontSize99", "TopLeftCol"), compared
// without regard to case; "" for a key that has no default (Path, FieldName2, ...)
// or that the catalogue does not know.
std::string keyDefault(std::string_view key);
bool isCatalogued(std::string_view key);

}  // namespace bp::definitions
