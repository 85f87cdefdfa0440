// Reading the data file and the regional forms of its numbers and dates.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "platform/Error.h"

#include "launcher/DataFile.h"
#include "launcher/Regional.h"

namespace bp::launcher {
namespace {

struct ParseCase {
    const char* name;
    std::string bytes;
    std::vector<std::vector<std::string>> rows;
};

void PrintTo(const ParseCase& c, std::ostream* out) {
    *out << c.name;
}

class DataFileParse : public testing::TestWithParam<ParseCase> {};

TEST_P(DataFileParse, ReadsRowsAndCells) {
    DataFile file = DataFile::parse(GetParam().bytes);
    ASSERT_EQ(file.rowCount(), GetParam().rows.size());
    for (size_t r = 0; r < file.rowCount(); ++r) {
        ASSERT_EQ(file.cellCount(r), GetParam().rows[r].size()) << "row " << r;
        for (size_t c = 0; c < file.cellCount(r); ++c) {
            EXPECT_EQ(file.cell(r, c), GetParam().rows[r][c]) << r << "," << c;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DataFileParse,
    testing::Values(
        ParseCase{"quoted", "\"a\",\"b\"\r\n\"c\",\"d\"\r\n", {{"a", "b"}, {"c", "d"}}},
        ParseCase{"doubled_quotes", "\"say \"\"hi\"\"\",\"x\"\r\n", {{"say \"hi\"", "x"}}},
        ParseCase{"comma_inside", "\"Smith, Jo\",\"1\"\r\n", {{"Smith, Jo", "1"}}},
        ParseCase{"lone_line_feed_inside", "\"two\nlines\",\"x\"\r\n", {{"two\nlines", "x"}}},
        ParseCase{"empty_cells", "\"\",\"\",\"z\"\r\n", {{"", "", "z"}}},
        ParseCase{"blank_lines_skipped", "\r\n\"a\"\r\n\r\n", {{"a"}}},
        ParseCase{"last_line_unterminated", "\"a\"\r\n\"b\"", {{"a"}, {"b"}}},
        ParseCase{"utf8_kept", "\"M\xC3\xBCller\"\r\n", {{"M\xC3\xBCller"}}},
        ParseCase{"latin1_taken_as_such", "\"M\xFCller\"\r\n", {{"M\xC3\xBCller"}}},
        ParseCase{"windows_code_page", "\"\x80 5\",\"\x93x\x94\"\r\n", {{"€ 5", "“x”"}}}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(DataFileRead, MissingFileIsAnError) {
    EXPECT_THROW(DataFile::read("/nonexistent/data.CSV"), Error);
}

TEST(DataFileRead, RowsLongerThan64KbKeepEveryCell) {
    std::string big(70000, 'x');
    std::string bigger(140000, 'y');
    DataFile file = DataFile::parse("\"a\",\"b\"\r\n\"" + big + "\",\"" + bigger +
                                    "\",\"z\"\r\n\"c\",\"" + big + "\"\r\n\"d\"\r\n");
    ASSERT_EQ(file.rowCount(), 4u);
    EXPECT_EQ(file.cell(0, 1), "b");
    EXPECT_EQ(file.cell(1, 0), big);
    EXPECT_EQ(file.cell(1, 1), bigger);
    EXPECT_EQ(file.cell(1, 2), "z");
    EXPECT_EQ(file.cell(1, 3), "");  // past the row's end
    EXPECT_EQ(file.cell(3, 1), "");
    EXPECT_EQ(file.cell(2, 0), "c");
    EXPECT_EQ(file.cell(2, 1), big);
    EXPECT_EQ(file.cell(3, 0), "d");
    EXPECT_EQ(file.widestRow(), 3u);
}

// The file is read in pieces of a megabyte: cells and doubled quotes that straddle a piece
// read as any other.
TEST(DataFileRead, CellsAcrossTheReadingPiecesStayWhole) {
    std::string path = testing::TempDir() + "bp-datafile-pieces.CSV";
    std::string text;
    std::vector<std::string> expected;
    for (size_t r = 0; text.size() < (3u << 20); ++r) {
        std::string value =
            "row " + std::to_string(r) + " says \"\"hi\"\" " + std::string(r % 97, 'x');
        text += "\"" + value + "\",\"" + std::to_string(r) + "\"\r\n";
        expected.push_back("row " + std::to_string(r) + " says \"hi\" " + std::string(r % 97, 'x'));
    }
    {
        std::ofstream out(path, std::ios::binary);
        out << text;
    }
    DataFile file = DataFile::read(path);
    std::remove(path.c_str());
    ASSERT_EQ(file.rowCount(), expected.size());
    for (size_t r = 0; r < expected.size(); ++r) {
        ASSERT_EQ(file.cell(r, 0), expected[r]) << "row " << r;
        ASSERT_EQ(file.cell(r, 1), std::to_string(r)) << "row " << r;
    }
}

// A line of ten megabytes spans ten reading pieces: its cell comes back whole, and so do the
// rows around it.
TEST(DataFileRead, ATenMegabyteLineIsReadWhole) {
    std::string path = testing::TempDir() + "bp-datafile-long-line.CSV";
    const std::string huge(10u << 20, 'q');
    {
        std::ofstream out(path, std::ios::binary);
        out << "\"before\"\r\n\"" << huge << "\",\"2\"\r\n\"after\"\r\n";
    }
    DataFile file = DataFile::read(path);
    std::remove(path.c_str());
    ASSERT_EQ(file.rowCount(), 3u);
    EXPECT_EQ(file.cell(0, 0), "before");
    EXPECT_TRUE(file.cell(1, 0) == huge) << "a cell of " << file.cell(1, 0).size() << " bytes";
    EXPECT_EQ(file.cell(1, 1), "2");
    EXPECT_EQ(file.cell(2, 0), "after");
}

struct NumberCase {
    const char* text;
    char decimal;
    std::optional<double> value;
};

TEST(RegionalNumbers, ReadTheRegionalForm) {
    const NumberCase cases[] = {
        {"1250.50", '.', 1250.5},     {"1,250.50", '.', 1250.5},  {"-3", '.', -3.0},
        {"12,50", '.', std::nullopt}, {"abc", '.', std::nullopt}, {"", '.', std::nullopt},
        {"-", '.', std::nullopt},     {"1.250,50", ',', 1250.5},  {"1250,5", ',', 1250.5},
        {"99.5", ',', 99.5},          {"1.250", ',', 1250.0},     {"1 250", ',', std::nullopt},
    };
    for (const auto& c : cases) {
        Regional regional(c.decimal, c.decimal == '.' ? ',' : '.', DateOrder::MonthDayYear);
        EXPECT_EQ(regional.toNumber(c.text), c.value) << c.text << " with '" << c.decimal << "'";
    }
}

TEST(RegionalDates, ReadTheShortDateInTheRegionsOrder) {
    Regional us('.', ',', DateOrder::MonthDayYear);
    Regional de(',', '.', DateOrder::DayMonthYear);
    Regional iso('.', ',', DateOrder::YearMonthDay);
    EXPECT_EQ(us.toDateSerial("3/14/2026"), 46095.0);
    EXPECT_EQ(de.toDateSerial("14.03.2026"), 46095.0);
    EXPECT_EQ(de.toDateSerial("1.2.2026"), 46054.0);
    EXPECT_EQ(iso.toDateSerial("2026-03-14"), 46095.0);
    EXPECT_EQ(us.toDateSerial("1/1/1900"), 2.0);  // the sheet's day numbers
    EXPECT_EQ(us.toDateSerial("2/29/2024"), 45351.0);
    EXPECT_EQ(us.toDateSerial("2/29/2025"), std::nullopt);
    EXPECT_EQ(us.toDateSerial("14/3/2026"), std::nullopt);
    EXPECT_EQ(us.toDateSerial("3/14/26"), 46095.0);
    EXPECT_EQ(us.toDateSerial("soon"), std::nullopt);
}

TEST(RegionalFromLocale, TakesSeparatorsAndDateOrderFromTheLocale) {
    Regional de = Regional::fromLocale(platform::Locale("de_DE"));
    EXPECT_EQ(de.toNumber("1.250,50"), 1250.5);
    EXPECT_EQ(de.toDateSerial("14.03.2026"), 46095.0);
    Regional us = Regional::fromLocale(platform::Locale("en_US"));
    EXPECT_EQ(us.toNumber("1,250.50"), 1250.5);
    EXPECT_EQ(us.toDateSerial("3/14/2026"), 46095.0);
}

}  // namespace
}  // namespace bp::launcher
