// The snapshot's storage: a column gives back every record's text, whether its values repeat
// (kept once) or hardly do (kept per record), across the point where it decides; and an ID
// list indexed a part at a time finds every ID, an ID given twice at its first position.

#include <gtest/gtest.h>

#include <string>

#include "filter/ChunkedVector.h"
#include "filter/IdList.h"
#include "filter/ValueColumn.h"

namespace bp::filter {
namespace {

std::string idOf(int n) {
    std::string digits = std::to_string(n);
    return "S" + std::string(11 - digits.size(), '0') + digits;
}

TEST(ValueColumnTest, RepeatedValuesAreKeptOnceAndReadBackPerRecord) {
    ValueColumn column;
    const char* statuses[] = {"Sales Opportunity", "Closed/Won Sale", "", "Lost Sale"};
    for (int row = 0; row < 50000; ++row) {
        column.push(statuses[row % 4]);
    }
    column.seal();
    EXPECT_EQ(column.size(), 50000u);
    EXPECT_EQ(column.distinct(), 4u);
    for (int row : {0, 1, 2, 3, 4095, 4096, 4097, 49999}) {
        EXPECT_EQ(column.at(static_cast<std::size_t>(row)), statuses[row % 4]) << row;
    }
}

TEST(ValueColumnTest, ValuesThatHardlyRepeatAreKeptPerRecordAcrossTheDecision) {
    ValueColumn column;
    for (int row = 0; row < 40000; ++row) {
        // A creation time: new nearly every record, with an empty one now and then.
        column.push(row % 97 == 0 ? std::string() : "3/14/2026 9:" + std::to_string(row));
    }
    for (int row : {0, 1, 96, 97, 4095, 4096, 4097, 16383, 16384, 39999}) {
        std::string expected = row % 97 == 0 ? std::string() : "3/14/2026 9:" + std::to_string(row);
        EXPECT_EQ(column.at(static_cast<std::size_t>(row)), expected) << row;
    }
    EXPECT_EQ(column.size(), 40000u);
}

TEST(ValueColumnTest, ALongTextGetsABlockOfItsOwn) {
    ValueColumn column;
    std::string longText(600 * 1024, 'x');
    column.push("short");
    column.push(longText);
    column.push("after");
    EXPECT_EQ(column.at(1), longText);
    EXPECT_EQ(column.at(0), "short");
    EXPECT_EQ(column.at(2), "after");
}

TEST(ChunkedVectorTest, EntriesStayWhereTheyWereAcrossChunks) {
    ChunkedVector<std::uint32_t> values;
    const std::uint32_t* first = nullptr;
    for (std::uint32_t i = 0; i < 3 * ChunkedVector<std::uint32_t>::kChunkSize + 5; ++i) {
        values.push_back(i * 7);
        if (i == 0) {
            first = &values[0];
        }
    }
    EXPECT_EQ(first, &values[0]);
    for (std::size_t i : {std::size_t{0}, ChunkedVector<std::uint32_t>::kChunkSize - 1,
                          ChunkedVector<std::uint32_t>::kChunkSize, values.size() - 1}) {
        EXPECT_EQ(values[i], i * 7) << i;
    }
}

TEST(IdListIndexSomeTest, IndexedAPartAtATimeEveryIdIsFoundAndATwiceGivenOneAtItsFirst) {
    IdList list;
    for (int n = 0; n < 20000; ++n) {
        list.appendDistinct(idOf(n));
    }
    list.appendDistinct(idOf(5));  // the host listed it twice
    int parts = 1;
    while (!list.indexSome(1000)) {
        ++parts;
    }
    EXPECT_EQ(parts, 21);
    for (int n : {0, 5, 999, 1000, 19999}) {
        EXPECT_EQ(list.indexOf(idOf(n)), static_cast<std::size_t>(n)) << n;
    }
    EXPECT_EQ(list.indexOf(idOf(20000)), IdList::npos);
    EXPECT_TRUE(list.indexSome(1000));
}

}  // namespace
}  // namespace bp::filter
