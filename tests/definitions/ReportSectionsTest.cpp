// "Report Settings": the section tabs and the Summary tab.

#include <gtest/gtest.h>

#include "definitions/EditorFixture.h"
#include "definitions/FrmSubTotalOptions.h"
#include "forms/MessageAssertions.h"

namespace bp::definitions::test {
namespace {

using Strings = std::vector<std::string>;

using forms::MsgResult;

const std::string kTwoFields = std::string("FieldsIncluded=1025\f34\f\r\n");

TEST_F(ReportSettingsTest, StoredSectionIsShownWithoutOpeningItsOptions) {
    auto& frm = open(kTwoFields +
                     "Sort0=34\r\nSortOrder0=2\r\nTitle0=1\r\nTitleCaption0=By <value>\r\n"
                     "Totals0=1\r\nTotalPos0=1\r\nNoRepeat0=0\r\n");
    EXPECT_EQ(texts(frm.cboSortOrder(0)), (Strings{"_None", "Company", "Amount"}));
    EXPECT_EQ(frm.cboSortOrder(0).text(), "Amount");
    EXPECT_TRUE(frm.optDescending(0).value());
    EXPECT_TRUE(frm.optDescending(0).enabled());
    EXPECT_TRUE(frm.chkTitle(0).checked());
    EXPECT_TRUE(frm.txtTitleCaption(0).enabled());
    EXPECT_EQ(frm.txtTitleCaption(0).text(), "By <value>");
    EXPECT_FALSE(frm.chkNoRepeat(0).checked());
    EXPECT_TRUE(frm.chkTotals(0).checked());
    EXPECT_TRUE(frm.cmdOptions(0).enabled());
    EXPECT_FALSE(frm.optAbove(0).enabled());  // a title rules out a sub-total above
    EXPECT_TRUE(ui().modals().empty());
}

TEST_F(ReportSettingsTest, SectionOfAnExcludedFieldIsResetToNone) {
    auto& frm = open(kTwoFields +
                     "Sort0=34\r\nTitle0=1\r\nTotals0=1\r\nSort2=34\r\n"
                     "TitleCaption0=Kept\r\n");
    frm.mstSettings().clickTab(FrmReportSettings::kTabFields);
    pick(frm.lstRight(), {"Amount"});
    frm.cmdButton(1).click();
    frm.mstSettings().clickTab(FrmReportSettings::kTabFirstSection);
    EXPECT_EQ(frm.cboSortOrder(0).text(), "_None");
    EXPECT_FALSE(frm.chkTitle(0).checked());
    EXPECT_FALSE(frm.chkTotals(0).checked());
    EXPECT_FALSE(frm.optAscending(0).enabled());
    EXPECT_EQ(frm.cboSortOrder(2).text(), "_None");
    frm.cmdClose().click();
    auto keys = fileKeys();
    EXPECT_EQ(keys["Sort0"], "0");
    EXPECT_EQ(keys["SortType0"], "0");
    EXPECT_EQ(keys["Title0"], "0");
    EXPECT_EQ(keys["Totals0"], "0");
    EXPECT_EQ(keys["TitleCaption0"], "Kept");
    EXPECT_EQ(keys["Sort2"], "0");
}

TEST_F(ReportSettingsTest, ThirdSectionEnteredStraightFromFieldsListsTheCurrentFields) {
    auto& frm = open(kTwoFields + "Sort2=34\r\n");
    frm.mstSettings().clickTab(FrmReportSettings::kTabFields);
    pick(frm.lstRight(), {"Amount"});
    frm.cmdButton(1).click();
    frm.mstSettings().clickTab(FrmReportSettings::kTabFirstSection + 2);
    EXPECT_EQ(texts(frm.cboSortOrder(2)), (Strings{"_None", "Company"}));
    frm.mstSettings().clickTab(FrmReportSettings::kTabData);
    EXPECT_EQ(staged("Sort2"), "0");
}

TEST_F(ReportSettingsTest, ClosingOnTheFieldsTabDropsTheSortOfAnExcludedField) {
    auto& frm = open(kTwoFields + "Sort1=34\r\nTotals1=1\r\n");
    frm.mstSettings().clickTab(FrmReportSettings::kTabFields);
    pick(frm.lstRight(), {"Amount"});
    frm.cmdButton(1).click();
    frm.cmdClose().click();
    EXPECT_EQ(fileKeys()["Sort1"], "0");
    EXPECT_EQ(fileKeys()["Totals1"], "0");
}

TEST_F(ReportSettingsTest, TitleOverASubTotalAboveAsksWhichToKeep) {
    for (MsgResult answer : {MsgResult::Yes, MsgResult::No}) {
        SCOPED_TRACE(forms::toString(answer));
        ui().clearRecords();
        auto& frm = open(kTwoFields + "Sort0=34\r\nTotals0=1\r\nTotalPos0=0\r\n");
        EXPECT_TRUE(frm.optAbove(0).value());
        EXPECT_TRUE(frm.optAbove(0).enabled());
        ui().queueAnswer(answer);
        frm.chkTitle(0).click();
        ASSERT_EQ(ui().messages().size(), 1u);
        const auto& asked = ui().messages()[0].request;
        EXPECT_EQ(asked.title, "Incompatible Settings");
        EXPECT_EQ(asked.text,
                  "You can't have a title and a sub-total above the section.\rClick Yes to add "
                  "a title (the sub-total will be moved to the bottom of the section) \ror No to "
                  "abort.\r");
        EXPECT_EQ(asked.buttons, forms::MsgButtons::YesNo);
        EXPECT_EQ(asked.icon, forms::MsgIcon::Exclamation);
        const bool yes = answer == MsgResult::Yes;
        EXPECT_EQ(frm.chkTitle(0).checked(), yes);
        EXPECT_EQ(frm.txtTitleCaption(0).enabled(), yes);
        EXPECT_EQ(frm.optBelow(0).value(), yes);
        EXPECT_EQ(frm.optAbove(0).enabled(), !yes);
        frm.cmdClose().click();
        EXPECT_EQ(fileKeys()["Title0"], yes ? "1" : "0");
        EXPECT_EQ(fileKeys()["TotalPos0"], yes ? "1" : "0");
    }
}

TEST_F(ReportSettingsTest, AboveTheSectionIsOfferedOnlyWithoutATitle) {
    auto& frm = open(kTwoFields + "Sort1=1025\r\n");
    frm.chkTitle(1).click();
    ui().onModal("frmSubTotalOptions", [](forms::Form&) {});
    frm.chkTotals(1).click();
    EXPECT_TRUE(frm.optBelow(1).enabled());
    EXPECT_FALSE(frm.optAbove(1).enabled());
    frm.chkTitle(1).click();
    EXPECT_TRUE(frm.optAbove(1).enabled());
    EXPECT_TRUE(frm.optAbove(1).click());
    EXPECT_TRUE(ui().messages().empty());
}

TEST_F(ReportSettingsTest, TickingASubTotalOpensItsOptionsAtOnce) {
    auto& frm = open(kTwoFields + "Sort0=34\r\nTotalPos0=0\r\n");
    int seenIndex = -1;
    bool seenBelow = true;
    std::string borderCaption;
    ui().onModal("frmSubTotalOptions", [&](forms::Form& form) {
        seenIndex = frm.iSortIndex;
        seenBelow = frm.bBelow;
        borderCaption = static_cast<FrmSubTotalOptions&>(form).chkBorder().caption();
    });
    frm.chkTotals(0).click();
    ASSERT_EQ(ui().modals().size(), 1u);
    EXPECT_EQ(ui().modals()[0].formName, "frmSubTotalOptions");
    EXPECT_EQ(seenIndex, 0);
    EXPECT_FALSE(seenBelow);
    EXPECT_EQ(borderCaption, "Border below");
    frm.chkTotals(0).click();  // unticking opens nothing
    EXPECT_EQ(ui().modals().size(), 1u);
    frm.cmdOptions(99).click();
    EXPECT_EQ(seenIndex, 99);
    EXPECT_TRUE(seenBelow);
}

TEST_F(ReportSettingsTest, TitleBorderButtonFollowsItsBoxWhileTheTitleIsOn) {
    auto& frm = open(kTwoFields + "Sort0=34\r\n");
    EXPECT_FALSE(frm.cmdBorder(0).enabled());
    frm.chkTitle(0).click();
    EXPECT_TRUE(frm.cmdBorder(0).enabled());
    frm.chkBorderBelow(0).click();
    EXPECT_FALSE(frm.cmdBorder(0).enabled());
    frm.chkTitle(0).click();
    frm.chkBorderBelow(0).setValue(1);
    EXPECT_FALSE(frm.cmdBorder(0).enabled());
}

TEST_F(ReportSettingsTest, CloseStagesEverySectionWithItsSortType) {
    struct Case {
        const char* name;
        std::string fields;
        std::string caption;
        std::string sort;
        std::string type;
    } cases[] = {
        {"number", kTwoFields, "Amount", "34", "N"},
        {"status", std::string("FieldsIncluded=27\f\r\n"), "Status", "27", "S"},
        {"custom date", std::string("FieldsIncluded=994\f\r\nFieldID0=12\r\n"), "Custom1", "994",
         "D"},
        {"custom number", std::string("FieldsIncluded=995\f\r\nFieldID1=61\r\n"), "Custom2", "995",
         "N"},
        {"empty custom slot", std::string("FieldsIncluded=996\f\r\n"), "Custom3", "996", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto& frm = open(c.fields);
        frm.cboSortOrder(1).choose(c.caption);
        frm.optDescending(1).click();
        frm.cmdClose().click();
        auto keys = fileKeys();
        EXPECT_EQ(keys["Sort1"], c.sort);
        EXPECT_EQ(keys["SortType1"], c.type);
        EXPECT_EQ(keys["SortOrder1"], "2");
        EXPECT_EQ(keys["Sort0"], "0");
        EXPECT_EQ(keys["SortType0"], "0");
        EXPECT_EQ(keys["TitleCaption1"], "<value>");
        EXPECT_EQ(keys["NoRepeat1"], "1");
        EXPECT_EQ(keys["TitleBorderBelow1"], "1");
        EXPECT_EQ(keys["TotalPos1"], "1");
        EXPECT_EQ(keys["Totals99"], "1");
        EXPECT_EQ(keys["TotalPos99"], "1");
    }
}

TEST_F(ReportSettingsTest, CustomSlotChosenInTheSameSittingGivesTheSortType) {
    auto& frm = open(std::string("FieldsIncluded=994\f\r\n"));
    frm.Combo1(0).choose(std::string("Birthday"));
    frm.cboSortOrder(0).choose(std::string("Custom1"));
    frm.cmdClose().click();
    EXPECT_EQ(fileKeys()["SortType0"], "D");
}

TEST_F(ReportSettingsTest, SummaryAtTheTopOrNotAtAll) {
    auto& frm = open("");
    ui().onModal("frmSubTotalOptions", [](forms::Form&) {});
    frm.optAbove(99).click();
    frm.cmdClose().click();
    EXPECT_EQ(fileKeys()["TotalPos99"], "0");
    auto& again = open(fileText());
    EXPECT_TRUE(again.optAbove(99).value());
    again.chkTotals(99).click();
    EXPECT_FALSE(again.optAbove(99).enabled());
    again.cmdClose().click();
    EXPECT_EQ(fileKeys()["Totals99"], "0");
}

TEST_F(ReportSettingsTest, CaptionsOfACodePageDefinitionAreEditedAndKeptInItsEncoding) {
    auto& frm = open(kTwoFields +
                     "Sort0=34\r\nTitle0=1\r\nTitleCaption0=Gr\xF6\xDF"
                     "e <value>\r\n");
    EXPECT_EQ(frm.txtTitleCaption(0).text(), "Größe <value>");
    frm.txtTitleCaption(0).setText("Größe € <value>");
    frm.cmdClose().click();
    EXPECT_NE(fileText().find("TitleCaption0=Gr\xF6\xDF"
                              "e \x80 <value>\r\n"),
              std::string::npos);

    auto& again = open(fileText());
    again.txtTitleCaption(0).setText("Łódź <value>");
    again.cmdClose().click();
    EXPECT_EQ(fileKeys()["TitleCaption0"], "Łódź <value>");
    EXPECT_NE(fileText().find("FieldsIncluded=1025\f34\f\r\n"), std::string::npos);
}

}  // namespace
}  // namespace bp::definitions::test
