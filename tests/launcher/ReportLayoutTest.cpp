// Which rows a report holds and where: ordering, groups, titles, totals and the summary, with
// the totals' formulas and the values stored beside them.

#include "LauncherFixture.h"

namespace bp::launcher::test {
namespace {

const Keys kFourColumns = LauncherTest::fields(
    {{1025, "Company"}, {1026, "Contact"}, {34, "Amount"}, {31, "Close Date"}});

TEST_F(LauncherTest, NoSectionsKeepsFileOrderAndTypesEveryCell) {
    writeData({{"Beta Inc", "Jo Smith", "1250.50", "3/14/2026"},
               {"Acme Ltd", "=HYPERLINK(\"http://x\",\"y\")", "300", "not a date"},
               {"Acme Ltd", "+1 (555) 0100", "", "12/31/2025"}});
    stage(with(kFourColumns, {{"Header", "1"}, {"TopLeftCol", "B"}, {"TopLeftRow", "3"}}));
    ASSERT_EQ(run(), kExitDone);

    XlsxReader r = report();
    EXPECT_EQ(r.text("B3"), "Company");
    EXPECT_EQ(r.text("E3"), "Close Date");
    EXPECT_EQ(r.text("B4"), "Beta Inc");  // not sorted: no section
    EXPECT_EQ(r.text("B5"), "Acme Ltd");
    EXPECT_EQ(r.cell("D4").type, "");
    EXPECT_DOUBLE_EQ(r.cell("D4").number(), 1250.5);
    EXPECT_DOUBLE_EQ(r.cell("E4").number(), 46095);  // 14 March 2026 as a day number
    EXPECT_EQ(r.numberFormat("E4"), "14");
    EXPECT_EQ(r.cell("E5").type, "inlineStr");  // a date column value that is no date stays text
    EXPECT_EQ(r.text("E5"), "not a date");
    EXPECT_FALSE(r.has("D6"));  // an empty amount is an empty cell, not a zero
    EXPECT_EQ(r.lastRow(), 6u);
}

TEST_F(LauncherTest, TextThatLooksLikeAFormulaStaysText) {
    writeData({{"=HYPERLINK(\"http://evil\",\"click\")", "@SUM(1)", "=1+1", "3/1/2026"}});
    stage(kFourColumns);
    ASSERT_EQ(run(), kExitDone);

    XlsxReader r = report();
    EXPECT_EQ(r.cell("A1").type, "inlineStr");
    EXPECT_EQ(r.text("A1"), "=HYPERLINK(\"http://evil\",\"click\")");
    EXPECT_EQ(r.cell("B1").formula, "");
    EXPECT_EQ(r.cell("C1").type, "inlineStr");  // "=1+1" in a number column is not a number
    EXPECT_EQ(r.sheet().select_nodes("//f").size(), 0u);
}

TEST_F(LauncherTest, OneSectionWithTitleShowsTheValueOnceAndOrdersTheRows) {
    writeData({{"Beta Inc", "Jo", "10", "3/1/2026"},
               {"Acme Ltd", "Ann", "20", "3/2/2026"},
               {"Beta Inc", "Bob", "30", "3/3/2026"}});
    stage(with(kFourColumns, {{"Sort0", "1025"},
                              {"SortType0", "S"},
                              {"SortCol0", "1"},
                              {"Title0", "1"},
                              {"TitleCaption0", "Company: <value>"}}));
    ASSERT_EQ(run(), kExitDone);

    XlsxReader r = report();
    EXPECT_EQ(r.text("A1"), "Company: Acme Ltd");
    EXPECT_EQ(r.text("A2"), "Acme Ltd");
    EXPECT_EQ(r.text("A3"), "Company: Beta Inc");
    EXPECT_EQ(r.text("A4"), "Beta Inc");
    EXPECT_EQ(r.text("B4"), "Jo");  // equal keys keep the data file's order
    EXPECT_EQ(r.text("B5"), "Bob");
    // Not repeated: the value stays in the cell (it still sorts and counts) but shows nothing.
    EXPECT_EQ(r.text("A5"), "Beta Inc");
    EXPECT_EQ(r.numberFormat("A5"), ";;;");
    EXPECT_NE(r.numberFormat("A4"), ";;;");
}

TEST_F(LauncherTest, TextSectionsSortNamesOutsideAsciiWithoutRegardToCase) {
    writeData({{"émile", "1", "", ""},
               {"Ärger", "2", "", ""},
               {"Zoe", "3", "", ""},
               {"ÉMILE", "4", "", ""},
               {"ärger", "5", "", ""}});
    stage(with(kFourColumns,
               {{"Sort0", "1025"}, {"SortType0", "S"}, {"SortCol0", "1"}, {"NoRepeat0", "0"}}));
    ASSERT_EQ(run(), kExitDone);
    XlsxReader r = report();
    std::vector<std::string> order;
    for (int row = 1; row <= 5; ++row) {
        order.push_back(r.text("B" + std::to_string(row)));
    }
    // Equal names stand together, in the data file's order.
    EXPECT_EQ(order, (std::vector<std::string>{"3", "2", "5", "1", "4"}));
    EXPECT_NE(r.numberFormat("A3"), ";;;");  // the section value repeats when asked
}

TEST_F(LauncherTest, ThreeNestedSectionsWithTotalsAboveAndBelow) {
    writeData({{"Acme", "Prospect", "300", "c1"},
               {"Beta", "Proposal", "50", "c2"},
               {"Acme", "Proposal", "100", "c3"},
               {"Acme", "Prospect", "200", "c4"},
               {"Acme", "Prospect", "200", "c5"}});
    Keys keys = fields({{1025, "Company"}, {39, "Sales Stage"}, {34, "Amount"}, {1026, "Contact"}});
    for (int n = 0; n < 3; ++n) {
        keys["NoRepeat" + std::to_string(n)] = "0";
        keys["Totals" + std::to_string(n)] = "1";
        keys["34CalcType" + std::to_string(n)] = "1";
    }
    stage(with(keys, {{"Sort0", "1025"},
                      {"SortType0", "S"},
                      {"SortCol0", "1"},
                      {"Sort1", "39"},
                      {"SortType1", "S"},
                      {"SortOrder1", "2"},
                      {"SortCol1", "2"},
                      {"Sort2", "34"},
                      {"SortType2", "N"},
                      {"SortCol2", "3"},
                      {"TotalPos1", "0"},
                      {"TotalCaption2", "<value> sub"}}));
    ASSERT_EQ(run(), kExitDone);

    XlsxReader r = report();
    struct Expect {
        const char* ref;
        const char* text;
        const char* formula;
    };
    const Expect rows[] = {
        {"A1", "Total for Prospect :", ""},
        {"C1", "700", "SUBTOTAL(9,C2:C5)"},
        {"D2", "c4", ""},
        {"D3", "c5", ""},
        {"A4", "200 sub", ""},
        {"C4", "400", "SUBTOTAL(9,C2:C3)"},
        {"D5", "c1", ""},
        {"C6", "300", "SUBTOTAL(9,C5:C5)"},
        {"A7", "Total for Proposal :", ""},
        {"D8", "c3", ""},
        {"C9", "100", "SUBTOTAL(9,C8:C8)"},
        {"A10", "Total for Acme :", ""},
        {"C10", "800", "SUBTOTAL(9,C2:C8)"},
        {"C11", "50", "SUBTOTAL(9,C12:C12)"},
        {"D12", "c2", ""},
        {"C13", "50", "SUBTOTAL(9,C12:C12)"},
        {"A14", "Total for Beta :", ""},
        {"C14", "50", "SUBTOTAL(9,C12:C12)"},
    };
    for (const auto& e : rows) {
        SCOPED_TRACE(e.ref);
        EXPECT_EQ(r.text(e.ref), e.text);
        EXPECT_EQ(r.has(e.ref) ? r.cell(e.ref).formula : "", e.formula);
    }
    EXPECT_EQ(r.lastRow(), 14u);
    // A sub-total above its group has its line below it, one below has it above.
    EXPECT_EQ(r.bottom("C1").style, "thin");
    EXPECT_EQ(r.top("C1").style, "");
    EXPECT_EQ(r.top("C10").style, "thin");
}

TEST_F(LauncherTest, EveryCalculationKindHasItsFormulaAndValue) {
    struct Case {
        const char* name;
        int field;
        const char* calc;
        const char* ref;
        const char* formula;
        const char* value;
    };
    // Titles of the section sit in column A, so a count of column A names only the data rows.
    const Case cases[] = {
        {"total", 34, "1", "B6", "SUBTOTAL(9,B2:B5)", "400"},
        {"average", 34, "2", "B6", "SUBTOTAL(1,B2:B5)", "200"},
        {"count of numbers", 34, "3", "B6", "SUBTOTAL(2,B2:B5)", "2"},
        {"count of text", 1025, "3", "A6", "SUBTOTAL(3,A2:A3,A5:A5)", "3"},
        {"no calculation", 34, "0", "B6", "", ""},
    };
    writeData({{"Acme", "100"}, {"Acme", "300"}, {"Beta", ""}});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        stage(with(fields({{1025, "Company"}, {34, "Amount"}}),
                   {{"Sort0", "1025"},
                    {"SortCol0", "1"},
                    {"Title0", "1"},
                    {"Totals99", "1"},
                    {std::to_string(c.field) + "CalcType99", c.calc}}));
        ASSERT_EQ(run(), kExitDone);
        XlsxReader r = report();
        EXPECT_EQ(r.has(c.ref) ? r.cell(c.ref).formula : "", c.formula);
        if (*c.formula) {
            EXPECT_EQ(r.text(c.ref), c.value);
        }
    }
}

TEST_F(LauncherTest, CountOverManyGroupsSubtractsTheTitles) {
    Rows rows;
    for (int i = 0; i < 40; ++i) {
        rows.push_back({"Company " + std::to_string(100 + i), "1"});
    }
    writeData(rows);
    stage(with(fields({{1025, "Company"}, {34, "Amount"}}), {{"Sort0", "1025"},
                                                             {"SortCol0", "1"},
                                                             {"Title0", "1"},
                                                             {"Totals99", "1"},
                                                             {"1025CalcType99", "3"}}));
    ASSERT_EQ(run(), kExitDone);
    XlsxReader r = report();
    // 40 titles and 40 data rows alternate: naming 40 ranges would be unreadable.
    EXPECT_EQ(r.cell("A81").formula, "SUBTOTAL(3,A2:A80)-39");
    EXPECT_EQ(r.text("A81"), "40");
}

TEST_F(LauncherTest, AverageOfNothingIsADivisionByZero) {
    writeData({{"Acme", ""}, {"Beta", ""}});
    stage(with(fields({{1025, "Company"}, {34, "Amount"}}),
               {{"Totals99", "1"}, {"34CalcType99", "2"}}));
    ASSERT_EQ(run(), kExitDone);
    XlsxReader r = report();
    EXPECT_EQ(r.cell("B3").type, "e");
    EXPECT_EQ(r.text("B3"), "#DIV/0!");
}

TEST_F(LauncherTest, SummaryAtTheTopFollowsTheHeader) {
    writeData({{"Acme", "100"}, {"Beta", "300"}});
    stage(with(fields({{1025, "Company"}, {34, "Amount"}}), {{"Header", "1"},
                                                             {"Totals99", "1"},
                                                             {"TotalPos99", "0"},
                                                             {"34CalcType99", "1"},
                                                             {"TotalEmptyAfter99", "1"}}));
    ASSERT_EQ(run(), kExitDone);

    XlsxReader r = report();
    EXPECT_EQ(r.text("A1"), "Company");
    EXPECT_EQ(r.text("B1"), "Amount");
    EXPECT_EQ(r.text("A2"), "Total Sales :");
    EXPECT_EQ(r.cell("B2").formula, "SUBTOTAL(9,B4:B5)");
    EXPECT_EQ(r.text("B2"), "400");
    EXPECT_FALSE(r.has("A3"));  // the empty line after the summary
    EXPECT_EQ(r.text("A4"), "Acme");
    EXPECT_EQ(r.bottom("B2").style, "thin");
}

TEST_F(LauncherTest, SummaryAtTheBottomByDefault) {
    writeData({{"Acme", "100"}, {"Beta", "300"}});
    stage(with(fields({{1025, "Company"}, {34, "Amount"}}), {{"Totals99", "1"},
                                                             {"TotalEmptyBefore99", "1"},
                                                             {"TotalCaptionCol99", "2"},
                                                             {"34CalcType99", "0"},
                                                             {"1025CalcType99", "3"}}));
    ASSERT_EQ(run(), kExitDone);

    XlsxReader r = report();
    EXPECT_FALSE(r.has("A3"));
    EXPECT_EQ(r.cell("A4").formula, "SUBTOTAL(3,A1:A2)");
    EXPECT_EQ(r.text("B4"), "Total Sales :");  // in the caption column the definition names
    EXPECT_EQ(r.top("A4").style, "thin");
}

TEST_F(LauncherTest, NameSortUsesTheAppendedColumnWithoutShowingIt) {
    writeData({{"Acme", "Jo Smith", "Smith, Jo"},
               {"Beta", "Ann Zed", "Zed, Ann"},
               {"Gamma", "Bob Adams", "Adams, Bob"}});
    stage(with(fields({{1025, "Company"}, {1026, "Contact"}}),
               {{"Sort0", "1026"}, {"SortType0", "S"}, {"SortCol0", "3"}, {"Title0", "1"}}));
    ASSERT_EQ(run(), kExitDone);

    XlsxReader r = report();
    EXPECT_EQ(r.text("A1"), "Bob Adams");  // the title shows the contact as the report shows it
    EXPECT_EQ(r.text("B2"), "Bob Adams");
    EXPECT_EQ(r.text("B4"), "Jo Smith");
    EXPECT_EQ(r.text("B6"), "Ann Zed");
    EXPECT_EQ(r.sheet().select_nodes("//c[starts-with(@r,'C')]").size(), 0u);
}

TEST_F(LauncherTest, NumberAndDateSectionsSortByValueNotText) {
    writeData({{"a", "1000", "1/5/2026"}, {"b", "200", "12/1/2025"}, {"c", "30", "2/1/2026"}});
    stage(with(fields({{1025, "Company"}, {34, "Amount"}, {31, "Close Date"}}),
               {{"Sort0", "34"},
                {"SortType0", "N"},
                {"SortOrder0", "2"},
                {"SortCol0", "2"},
                {"NoRepeat0", "0"}}));
    ASSERT_EQ(run(), kExitDone);
    XlsxReader r = report();
    EXPECT_EQ(r.text("A1") + r.text("A2") + r.text("A3"), "abc");

    stage(with(fields({{1025, "Company"}, {34, "Amount"}, {31, "Close Date"}}),
               {{"Sort0", "31"}, {"SortType0", "D"}, {"SortCol0", "3"}}));
    ASSERT_EQ(run(), kExitDone);
    XlsxReader byDate = report();
    EXPECT_EQ(byDate.text("A1") + byDate.text("A2") + byDate.text("A3"), "bac");
}

}  // namespace
}  // namespace bp::launcher::test
