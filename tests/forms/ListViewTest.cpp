// List view rows and their sorting.

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "forms/Controls.h"
#include "forms/ScriptedUi.h"

namespace bp::forms {
namespace {

class ListViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 1; i <= 3; ++i) {
            lvw.addColumn(std::to_string(i));
        }
    }

    // Adds rows at the end: {text, sub-item 1, sub-item 2}.
    void addRows(const std::vector<std::vector<std::string>>& rows) {
        for (const auto& cells : rows) {
            const int row = lvw.addRow(cells[0]);
            for (std::size_t c = 1; c < cells.size(); ++c) {
                lvw.setCell(row, static_cast<int>(c), cells[c]);
            }
        }
    }

    std::vector<std::string> column(int c) const {
        std::vector<std::string> out;
        for (int r = 0; r < lvw.rowCount(); ++r) {
            out.emplace_back(lvw.cell(r, c));
        }
        return out;
    }

    ScriptedUi ui;
    Form form{ui, "frmMain"};
    ListView& lvw = form.add<ListView>("lvwSales");
    using Texts = std::vector<std::string>;
};

TEST_F(ListViewTest, OwnSortComparesTextsWithoutRegardToCase) {
    addRows({{"beta", "1"}, {"Alpha", "2"}, {"alpha", "3"}, {"Gamma", "4"}, {"BETA", "5"}});
    lvw.setSorted(true);
    EXPECT_EQ(column(0), (Texts{"Alpha", "alpha", "beta", "BETA", "Gamma"}));
    EXPECT_EQ(column(1), (Texts{"2", "3", "1", "5", "4"})) << "equal texts keep their order";
}

TEST_F(ListViewTest, OwnSortFoldsLettersOutsideAscii) {
    addRows({{"émile", "1"},
             {"Ärger", "2"},
             {"Zoe", "3"},
             {"Émile", "4"},
             {"ärger", "5"},
             {"ØRSTED", "6"},
             {"ørsted", "7"}});
    lvw.setSorted(true);
    EXPECT_EQ(column(1), (Texts{"3", "2", "5", "1", "4", "6", "7"}))
        << "names that differ only in case stand together";
}

TEST_F(ListViewTest, OwnSortDescendingKeepsEqualRowsInOrder) {
    addRows({{"b", "1"}, {"A", "2"}, {"B", "3"}, {"c", "4"}});
    lvw.setSortOrder(SortOrder::Descending);
    lvw.setSorted(true);
    EXPECT_EQ(column(1), (Texts{"4", "1", "3", "2"}));
}

TEST_F(ListViewTest, SortKeyPicksTheColumnAndResortsWhileSorted) {
    addRows({{"x", "30", "b"}, {"y", "100", "a"}, {"z", "20", "c"}});
    lvw.setSortKey(1);
    lvw.setSorted(true);
    EXPECT_EQ(column(0), (Texts{"y", "z", "x"})) << "a text sort: \"100\" < \"20\"";
    lvw.setSortKey(2);
    EXPECT_EQ(column(0), (Texts{"y", "x", "z"}));
}

TEST_F(ListViewTest, RowsAddedWhileSortedGoToTheirPlace) {
    lvw.setSorted(true);
    addRows({{"m"}, {"C"}, {"x"}, {"a"}});
    EXPECT_EQ(column(0), (Texts{"a", "C", "m", "x"}));
}

TEST_F(ListViewTest, RowsAddedAtTheTopReverseTheirOrder) {
    for (const char* id : {"1", "2", "3"}) {
        lvw.addRow(id, 0);
    }
    EXPECT_EQ(column(0), (Texts{"3", "2", "1"}));
}

TEST_F(ListViewTest, ComparisonRoutineSortsStablyAndSwitchesOwnSortOff) {
    addRows({{"r1", "5"}, {"r2", "-1"}, {"r3", "5"}, {"r4", "10"}});
    lvw.setSorted(true);
    lvw.setSortKey(1);
    lvw.sortWith([](const ListViewRow& a, const ListViewRow& b) {
        const int x = std::stoi(std::string(a.cell(1)));
        const int y = std::stoi(std::string(b.cell(1)));
        return x < y ? -1 : x > y ? 1 : 0;
    });
    EXPECT_FALSE(lvw.sorted());
    EXPECT_EQ(column(0), (Texts{"r2", "r1", "r3", "r4"}));
}

TEST_F(ListViewTest, SortByKeyReadsEachRowOnceAndIsStableBothWays) {
    addRows({{"r1", "5"}, {"r2", "-1"}, {"r3", "5"}, {"r4", "10"}});
    int reads = 0;
    auto keyOf = [&reads](const ListViewRow& row) {
        ++reads;
        return std::stod(std::string(row.cell(1)));
    };
    lvw.sortByKey(keyOf, SortOrder::Descending);
    EXPECT_EQ(reads, 4);
    EXPECT_EQ(column(0), (Texts{"r4", "r1", "r3", "r2"}));
    lvw.sortByKey(keyOf, SortOrder::Ascending);
    EXPECT_EQ(column(0), (Texts{"r2", "r1", "r3", "r4"}));
}

TEST_F(ListViewTest, KeysFollowTheirRowsThroughASort) {
    addRows({{"b"}, {"a"}});
    const auto keyOfB = lvw.key(0);
    lvw.setSorted(true);
    EXPECT_EQ(lvw.findKey(keyOfB), 1);
    EXPECT_NE(lvw.key(0), lvw.key(1));
    EXPECT_EQ(lvw.findKey(-7), -1);
}

TEST_F(ListViewTest, ACellBeyondTheLastColumnIsAnError) {
    lvw.addRow("only");
    lvw.setCell(0, 2, "third");
    EXPECT_THROW(lvw.setCell(0, 3, "fourth"), std::out_of_range);
    EXPECT_EQ(lvw.cell(0, 1), "") << "an unset sub-item reads empty";
    EXPECT_THROW(lvw.cell(1, 0), std::out_of_range);
}

TEST_F(ListViewTest, SelectionStaysWithItsRowThroughSortsAndNewRows) {
    addRows({{"c"}, {"a"}, {"b"}});
    lvw.setSelectedRow(0);
    lvw.setSorted(true);
    EXPECT_EQ(lvw.selectedRow(), 2);
    EXPECT_EQ(lvw.cell(lvw.selectedRow(), 0), "c");
    lvw.addRow("aa");
    EXPECT_EQ(lvw.cell(lvw.selectedRow(), 0), "c");
    lvw.sortWith(
        [](const ListViewRow& a, const ListViewRow& b) { return -a.cell(0).compare(b.cell(0)); });
    EXPECT_EQ(lvw.selectedRow(), 0);
    lvw.removeRow(1);
    EXPECT_EQ(lvw.selectedRow(), 0);
    lvw.removeRow(0);
    EXPECT_EQ(lvw.selectedRow(), -1);
}

TEST_F(ListViewTest, SelectionGoesWithTheRowsAndIsHeardByObservers) {
    addRows({{"a"}, {"b"}});
    std::vector<Property> heard;
    lvw.subscribe([&heard](Control&, Property p) { heard.push_back(p); });
    lvw.setSelectedRow(1);
    EXPECT_EQ(heard, std::vector<Property>{Property::Selection});
    lvw.removeRow(0);
    EXPECT_EQ(lvw.selectedRow(), 0);
    lvw.clearRows();
    EXPECT_EQ(lvw.selectedRow(), -1);
    EXPECT_THROW(lvw.setSelectedRow(0), std::out_of_range);
}

TEST_F(ListViewTest, ClicksRaiseItemClickAndColumnClick) {
    addRows({{"a"}, {"b"}});
    std::vector<int> items;
    std::vector<int> columns;
    lvw.onItemClick = [&items](int row) { items.push_back(row); };
    lvw.onColumnClick = [&columns](int column) { columns.push_back(column); };
    lvw.setSelectedRow(0);  // from code: no event
    lvw.clickRow(1);
    lvw.clickColumn(2);
    EXPECT_EQ(lvw.selectedRow(), 1);
    EXPECT_EQ(items, std::vector<int>{1});
    EXPECT_EQ(columns, std::vector<int>{2});
    EXPECT_THROW(lvw.clickColumn(3), std::out_of_range);
    EXPECT_THROW(lvw.clickRow(2), std::out_of_range);
}

TEST_F(ListViewTest, LargeListSortsByPrecomputedKeys) {
    constexpr int kRows = 200000;
    for (int i = 0; i < kRows; ++i) {
        const int row = lvw.addRow("r", 0);
        lvw.setCell(row, 1, std::to_string((i * 7919) % 1000));
    }
    lvw.sortByKey([](const ListViewRow& row) { return std::stoi(std::string(row.cell(1))); },
                  SortOrder::Ascending);
    for (int r = 1; r < kRows; ++r) {
        ASSERT_LE(std::stoi(std::string(lvw.cell(r - 1, 1))),
                  std::stoi(std::string(lvw.cell(r, 1))))
            << "row " << r;
    }
}

TEST_F(ListViewTest, ChangedCellsKeepTheirNeighbours) {
    lvw.addRow("first");
    lvw.setCell(0, 2, "third");
    lvw.setCell(0, 1, "a much longer second cell");
    lvw.setCell(0, 0, "1");
    EXPECT_EQ(column(0), Texts{"1"});
    EXPECT_EQ(lvw.cell(0, 1), "a much longer second cell");
    EXPECT_EQ(lvw.cell(0, 2), "third");
    lvw.setCell(0, 1, "");
    lvw.setCell(0, 2, "3rd");
    EXPECT_EQ(lvw.cell(0, 0), "1");
    EXPECT_EQ(lvw.cell(0, 1), "");
    EXPECT_EQ(lvw.cell(0, 2), "3rd");
}

TEST_F(ListViewTest, ACellMayBeSetFromItsOwnRow) {
    lvw.addRow("a text long enough to live outside the row object");
    lvw.setCell(0, 2, lvw.cell(0, 0));
    lvw.setCell(0, 0, lvw.cell(0, 2).substr(2, 4));
    EXPECT_EQ(lvw.cell(0, 0), "text");
    EXPECT_EQ(lvw.cell(0, 1), "");
    EXPECT_EQ(lvw.cell(0, 2), "a text long enough to live outside the row object");
}

TEST_F(ListViewTest, ARowOfAllItsCellsIsAddedLikeAnyOther) {
    lvw.addRow("b");
    const int row = lvw.addRowWithCells({"a", "", "x\"y"}, 0);
    EXPECT_EQ(row, 0);
    EXPECT_EQ(lvw.cell(0, 0), "a");
    EXPECT_EQ(lvw.cell(0, 1), "");
    EXPECT_EQ(lvw.cell(0, 2), "x\"y");
    EXPECT_NE(lvw.key(0), lvw.key(1));
    EXPECT_THROW(lvw.addRowWithCells({"a", "b", "c", "d"}), std::out_of_range);
    EXPECT_EQ(lvw.rowCount(), 2);
    lvw.addRowWithCells({});
    EXPECT_EQ(lvw.cell(2, 0), "");
}

TEST_F(ListViewTest, ASortedListPlacesARowOfCellsAsOneFilledCellByCell) {
    ListView& byCell = form.add<ListView>("lvwByCell");
    for (ListView* list : {&lvw, &byCell}) {
        for (int i = 1; i <= 3; ++i) {
            list->addColumn(std::to_string(i));
        }
        list->setSortKey(1);
        list->setSorted(true);
    }
    const std::vector<std::vector<std::string>> rows{{"r1", "b"}, {"r2", "d"}, {"r3", "c"}};
    for (const auto& cells : rows) {
        lvw.addRowWithCells(cells, 0);
        const int row = byCell.addRow(cells[0], 0);
        byCell.setCell(row, 1, cells[1]);
    }
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(lvw.cell(r, 0), byCell.cell(r, 0)) << "row " << r;
    }
    EXPECT_EQ(column(0), (Texts{"r3", "r2", "r1"}));
}

}  // namespace
}  // namespace bp::forms

namespace bp::forms {
namespace {

// Rows keep every cell exactly, whether their texts take a few bytes or more than 64 KB, as a
// row grows past that size and shrinks again, and through copies.
TEST(ListViewRowTest, CellsOfAnySizeComeBackExactly) {
    const std::string big(70000, 'x');
    const std::string edge(65535, 'y');
    ListViewRow row;
    EXPECT_EQ(row.cellCount(), 0);
    EXPECT_EQ(row.cell(0), "");
    row.setCells({"S1", "", "Acme"});
    EXPECT_EQ(row.cellCount(), 3);
    EXPECT_EQ(row.cell(2), "Acme");
    row.setCell(1, big);
    EXPECT_EQ(row.cell(0), "S1");
    EXPECT_EQ(row.cell(1), big);
    EXPECT_EQ(row.cell(2), "Acme");
    ListViewRow copy(row);
    EXPECT_EQ(copy.cell(1), big);
    EXPECT_EQ(copy.cell(2), "Acme");
    row.setCell(1, "small again");
    EXPECT_EQ(row.cell(1), "small again");
    EXPECT_EQ(row.cell(2), "Acme");
    row.setCells({edge, "", ""});
    EXPECT_EQ(row.cell(0), edge);
    EXPECT_EQ(row.cell(2), "");
    row.setCells({edge, "z"});
    EXPECT_EQ(row.cell(0), edge);
    EXPECT_EQ(row.cell(1), "z");
    row.setCell(5, "far");
    EXPECT_EQ(row.cellCount(), 6);
    EXPECT_EQ(row.cell(4), "");
    EXPECT_EQ(row.cell(5), "far");
}

}  // namespace
}  // namespace bp::forms
