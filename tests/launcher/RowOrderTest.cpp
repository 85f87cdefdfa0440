// The order of a report's rows and the groups of each section, straight from a data file.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <numeric>
#include <string>
#include <vector>

#include "launcher/DataFile.h"
#include "launcher/Regional.h"
#include "launcher/RowOrder.h"

namespace bp::launcher {
namespace {

SectionSpec section(size_t column, char type, bool descending = false) {
    SectionSpec section;
    section.sortColumn = column;
    section.sortType = type;
    section.descending = descending;
    return section;
}

struct OrderCase {
    const char* name;
    std::string data;
    std::vector<SectionSpec> sections;
    std::vector<uint32_t> rows;                    // data rows in report order
    std::vector<std::vector<size_t>> groupStarts;  // per section
};

void PrintTo(const OrderCase& c, std::ostream* out) {
    *out << c.name;
}

class RowOrderCases : public testing::TestWithParam<OrderCase> {};

TEST_P(RowOrderCases, OrdersRowsAndFindsGroups) {
    const OrderCase& c = GetParam();
    DataFile data = DataFile::parse(c.data);
    Regional regional;
    RowOrder order(data, c.sections, regional);
    EXPECT_EQ(order.rows(), c.rows);
    for (size_t level = 0; level < c.sections.size(); ++level) {
        std::vector<size_t> starts;
        for (const auto& group : order.groups(level)) {
            starts.push_back(group.begin);
        }
        EXPECT_EQ(starts, c.groupStarts[level]) << "section " << level;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RowOrderCases,
    testing::Values(
        OrderCase{"text_without_regard_to_case_ties_keep_file_order",
                  "\"beta\"\r\n\"Alpha\"\r\n\"BETA\"\r\n\"alpha\"\r\n\"\xC3\x84rger\"\r\n"
                  "\"\xC3\xA4rger\"\r\n",
                  {section(0, 'S')},
                  {1, 3, 0, 2, 4, 5},
                  {{0, 2, 4}}},
        OrderCase{"descending_text",
                  "\"b\"\r\n\"a\"\r\n\"c\"\r\n\"A\"\r\n",
                  {section(0, 'S', true)},
                  {2, 0, 1, 3},
                  {{0, 1, 2}}},
        OrderCase{"numbers_by_value_and_other_text_first",
                  "\"100\"\r\n\"x\"\r\n\"20\"\r\n\"\"\r\n\"20.0\"\r\n\"X\"\r\n",
                  {section(0, 'N')},
                  {3, 1, 5, 2, 4, 0},
                  {{0, 1, 3, 5}}},
        OrderCase{"dates_descending",
                  "\"1/5/2026\"\r\n\"12/1/2025\"\r\n\"01/05/2026\"\r\n\"soon\"\r\n",
                  {section(0, 'D', true)},
                  {0, 2, 1, 3},
                  {{0, 2, 3}}},
        OrderCase{"two_sections_inner_groups_end_with_outer",
                  "\"b\",\"2\"\r\n\"a\",\"2\"\r\n\"b\",\"1\"\r\n\"a\",\"2\"\r\n\"c\",\"2\"\r\n",
                  {section(0, 'S'), section(1, 'N')},
                  {1, 3, 2, 0, 4},
                  {{0, 2, 4}, {0, 2, 3, 4}}},
        OrderCase{"no_sections_keep_file_order", "\"b\"\r\n\"a\"\r\n", {}, {0, 1}, {}}),
    [](const auto& test) { return std::string(test.param.name); });

// Sections with thousands of distinct values each: the rows order the same however many there are.
TEST(RowOrderMany, ThousandsOfDistinctValuesInEverySection) {
    constexpr uint32_t kRows = 6000;
    std::string text;
    std::vector<std::array<uint32_t, 3>> values;
    for (uint32_t r = 0; r < kRows; ++r) {
        std::array<uint32_t, 3> v{(r * 7) % 2500, (r * 13) % 2600, (kRows - r) % 2100};
        values.push_back(v);
        text += "\"" + std::to_string(v[0]) + "\",\"" + std::to_string(v[1]) + "\",\"" +
                std::to_string(v[2]) + "\"\r\n";
    }
    std::vector<uint32_t> expected(kRows);
    std::iota(expected.begin(), expected.end(), 0u);
    std::stable_sort(expected.begin(), expected.end(),
                     [&](uint32_t a, uint32_t b) { return values[a] < values[b]; });
    DataFile data = DataFile::parse(text);
    Regional regional;
    std::vector<SectionSpec> sections{section(0, 'N'), section(1, 'N'), section(2, 'N')};
    RowOrder order(data, sections, regional);
    EXPECT_EQ(order.rows(), expected);

    std::vector<uint32_t> descending = expected;
    std::reverse(descending.begin(), descending.end());
    sections[0].descending = sections[1].descending = sections[2].descending = true;
    RowOrder reversed(data, sections, regional);
    EXPECT_EQ(reversed.rows(), descending);  // every row differs, so no ties to keep in order
}

}  // namespace
}  // namespace bp::launcher
