// The criteria panel seen from outside: what the user sees enabled, shown and said while
// switching conditions, picking fields, selecting items and choosing the output.

#include <gtest/gtest.h>

#include "criteria/CriteriaPanel.h"
#include "criteria/CriteriaTexts.h"
#include "criteria/HostFixture.h"
#include "criteria/Library1.h"
#include "forms/Controls.h"

namespace bp::criteria {
namespace {

using forms::CheckBox;

class CriteriaPanelTest : public test::HostFixture {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        openTables();
        tabs = &form.add<forms::TabControl>("mstSSTab");
        panel = std::make_unique<CriteriaPanel>(
            form, *tabs, session,
            PanelHooks{.isLoading = [this] { return loading; },
                       .Update_ReportMenu = [this] { ++menuUpdates; },
                       .Load_Reports = [this] { ++reportLoads; }});
        for (int i = 0; i < 2; ++i) {
            Load_Conditions(c().cboCondition[i]);
            c().cboCondition[i].setListIndex(0);
        }
    }
    CriteriaControls& c() { return panel->controls(); }
    void tick(int i) { c().chkCondition[i].setValue(CheckBox::kChecked); }
    void clear(int i) { c().chkCondition[i].setValue(CheckBox::kUnchecked); }

    forms::Form form{ui, "frmMain"};
    forms::TabControl* tabs = nullptr;
    std::unique_ptr<CriteriaPanel> panel;
    bool loading = false;
    int menuUpdates = 0;
    int reportLoads = 0;
};

TEST_F(CriteriaPanelTest, TickingTheFirstConditionMarksItsTabAndFillsItsList) {
    tick(0);
    EXPECT_EQ(tabs->tabCaption(2), "*1st Condition*");
    EXPECT_TRUE(c().cboCondition[0].enabled());
    EXPECT_TRUE(c().lstCriteria[0].usable());
    ASSERT_EQ(c().lstCriteria[0].listCount(), 3);
    EXPECT_EQ(c().lstCriteria[0].list(0), "Widget");
    EXPECT_EQ(c().lstCriteria[0].list(2), "<<Empty>>");
    EXPECT_EQ(c().lblSelect[0].caption(), "Select one or more Products :");
    EXPECT_TRUE(c().chkCondition[1].enabled());
}

TEST_F(CriteriaPanelTest, ClearingAConditionForgetsItsSavedSelection) {
    tick(0);
    store.SaveSetting("Settings", "lstCriteria0", "0\x0C");
    c().lstCriteria[0].setSelected(0, true);
    clear(0);
    EXPECT_EQ(tabs->tabCaption(2), "1st Condition");
    EXPECT_EQ(store.GetSetting("Settings", "lstCriteria0", "gone"), "gone");
    EXPECT_EQ(c().lstCriteria[0].selCount(), 0);
    EXPECT_FALSE(c().cboCondition[0].enabled());
}

TEST_F(CriteriaPanelTest, SwitchingTheFirstConditionOffSwitchesTheSecondOff) {
    tick(0);
    c().cboCondition[1].setListIndex(4);
    tick(1);
    ASSERT_TRUE(c().chkCondition[1].checked());
    clear(0);
    EXPECT_FALSE(c().chkCondition[1].checked());
    EXPECT_FALSE(c().chkCondition[1].enabled());
    EXPECT_FALSE(c().fraSecond->enabled());
    EXPECT_EQ(tabs->tabCaption(3), "2nd Condition");
}

TEST_F(CriteriaPanelTest, SecondConditionOnTheSameFieldMovesAsideWithoutMessage) {
    struct Case {
        const char* name;
        int field;
        const char* movedTo;
    };
    for (const Case& row : {Case{"products", 0, "Types"}, Case{"edit date", 8, "Amounts"}}) {
        SCOPED_TRACE(row.name);
        clear(0);
        c().cboCondition[0].setListIndex(row.field);
        c().cboCondition[1].setListIndex(row.field);
        tick(0);
        tick(1);
        EXPECT_EQ(c().cboCondition[1].text(), row.movedTo);
        EXPECT_EQ(c().cboCondition[0].listIndex(), row.field);
        EXPECT_TRUE(ui.messages().empty());
    }
}

TEST_F(CriteriaPanelTest, PickingTheOtherConditionsFieldIsRefusedWithAMessage) {
    tick(0);
    c().cboCondition[1].setListIndex(5);
    tick(1);
    ASSERT_TRUE(c().cboCondition[1].choose("Products"));
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].request.title, "Conflicting conditions");
    EXPECT_EQ(ui.messages()[0].request.text,
              "You can't have both conditions based on the same field!");
    EXPECT_EQ(ui.messages()[0].request.icon, forms::MsgIcon::Exclamation);
    EXPECT_EQ(c().cboCondition[1].text(), "Probabilities");
    EXPECT_TRUE(c().txtValueMin[1].visible());
}

TEST_F(CriteriaPanelTest, IdenticalFieldsAreAcceptedWhileLoading) {
    tick(0);
    tick(1);
    loading = true;
    c().cboCondition[1].setListIndex(c().cboCondition[0].listIndex());
    EXPECT_EQ(c().cboCondition[1].listIndex(), c().cboCondition[0].listIndex());
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(CriteriaPanelTest, FieldKindDecidesWhichValueControlsShow) {
    tick(0);
    c().cboCondition[0].setText("Amounts");
    EXPECT_TRUE(c().txtValueMin[0].visible());
    EXPECT_TRUE(c().Label3[0].visible());
    EXPECT_FALSE(c().lstCriteria[0].visible());
    EXPECT_FALSE(c().dtpStart[0].visible());
    c().cboCondition[0].setText("Edit Date");
    EXPECT_TRUE(c().dtpStart[0].visible());
    EXPECT_TRUE(c().lblValue[0].visible());
    EXPECT_FALSE(c().txtValueMin[0].visible());
    c().cboCondition[0].setText("Sales Stages");
    EXPECT_TRUE(c().lstCriteria[0].visible());
    ASSERT_EQ(c().lstCriteria[0].listCount(), 4);
    EXPECT_EQ(c().lstCriteria[0].list(0), "<<Empty>>");
    EXPECT_EQ(c().lstCriteria[0].list(3), "Proposal");
    // The second condition's controls are left alone.
    EXPECT_TRUE(c().lstCriteria[1].visible());
}

TEST_F(CriteriaPanelTest, MultiItemOptionsEnableWithTheSecondSelectedItem) {
    tick(0);
    forms::ListBox& list = c().lstCriteria[0];
    list.click(0);
    EXPECT_FALSE(c().optAnd[0].enabled());
    EXPECT_FALSE(c().optOr[0].enabled());
    list.click(1);
    EXPECT_TRUE(c().optAnd[0].enabled());
    EXPECT_TRUE(c().lblExplanation[0].enabled());
    c().optAnd[0].click();
    EXPECT_EQ(c().lblExplanation[0].caption(), kExplanationAll);
    EXPECT_FALSE(panel->criteria().conditions[0].atLeastOne);
    c().optOr[0].click();
    EXPECT_EQ(c().lblExplanation[0].caption(), kExplanationAtLeastOne);
    list.click(1);
    EXPECT_FALSE(c().optAnd[0].enabled());
}

TEST_F(CriteriaPanelTest, ReverseRewritesItsExplanation) {
    tick(0);
    c().cboCondition[1].setListIndex(2);
    tick(1);
    c().chkReverse->click();
    EXPECT_EQ(c().lblReverse->caption(), kReverseAndNot);
    EXPECT_TRUE(panel->criteria().reverseSecond);
    c().chkReverse->click();
    EXPECT_EQ(c().lblReverse->caption(), kReverseAnd);
}

TEST_F(CriteriaPanelTest, NoSalesOpportunitiesExcludesTheThreeStatuses) {
    c().chkSales[0].click();
    c().chkSales[1].click();
    c().chkSales[3].click();
    EXPECT_FALSE(c().chkSales[0].checked());
    EXPECT_FALSE(c().chkSales[1].checked());
    c().chkSales[2].click();
    EXPECT_FALSE(c().chkSales[3].checked());
    EXPECT_TRUE(c().chkSales[2].checked());
}

TEST_F(CriteriaPanelTest, LookupAndReportEnableTheirOwnControls) {
    c().cboOutput->addItem(kOutputExcel);
    c().cboOutput->addItem(kOutputCsv);
    c().lstReports->addItem("Monthly");
    c().optChoice[1].click();
    EXPECT_TRUE(c().lstReports->enabled());
    EXPECT_TRUE(c().cboOutput->enabled());
    EXPECT_FALSE(c().fraLookup->enabled());
    EXPECT_FALSE(c().chkSales[3].enabled());
    EXPECT_EQ(menuUpdates, 1);
    c().lstReports->click(0);
    c().chkSales[3].setValue(CheckBox::kChecked);
    c().optChoice[0].click();
    EXPECT_FALSE(c().lstReports->enabled());
    EXPECT_EQ(c().lstReports->selCount(), 0);
    EXPECT_TRUE(c().fraLookup->enabled());
    EXPECT_TRUE(c().chkSales[3].checked());
    EXPECT_FALSE(panel->criteria().reportOutput);
}

TEST_F(CriteriaPanelTest, OutputKindReloadsTheReportList) {
    c().cboOutput->addItem(kOutputExcel);
    c().cboOutput->addItem(kOutputCsv);
    c().cboOutput->choose(kOutputCsv);
    EXPECT_EQ(session.iOutputType(), 1);
    EXPECT_EQ(reportLoads, 1);
    EXPECT_EQ(menuUpdates, 1);
}

TEST_F(CriteriaPanelTest, UserListsFollowTheirOptions) {
    Load_Users(*c().lstUsers, *session.objUsers);
    EXPECT_FALSE(c().lstUsers->enabled());
    c().optManagedby[1].click();
    ASSERT_TRUE(c().lstUsers->click(2));
    EXPECT_EQ(panel->criteria().selectedContactManagers, std::vector<int>{3});
    c().optManagedby[0].click();
    EXPECT_FALSE(c().lstUsers->enabled());
    EXPECT_EQ(c().lstUsers->selCount(), 0);
    c().optDate[1].click();
    EXPECT_TRUE(c().dtpStartDate->enabled());
    EXPECT_TRUE(c().lblTo->enabled());
}

TEST_F(CriteriaPanelTest, SnapshotCarriesTheConditionValues) {
    tick(0);
    c().lstCriteria[0].click(1);
    c().lstCriteria[0].click(2);
    c().txtValueMin[1].setText("5");
    Criteria snapshot = panel->criteria();
    EXPECT_TRUE(snapshot.conditions[0].applied);
    EXPECT_EQ(snapshot.conditions[0].field, kProducts);
    EXPECT_EQ(snapshot.conditions[0].selectedItems,
              (std::vector<std::string>{"Gadget", "<<Empty>>"}));
    EXPECT_EQ(snapshot.conditions[1].minText, "5");
    EXPECT_FALSE(snapshot.conditions[1].applied);
}

TEST_F(CriteriaPanelTest, HostFailureWhileFillingGoesToTheErrorHandler) {
    tick(0);
    host->failAt("ListTable.Data", 0, 13, "Type mismatch");
    c().cboCondition[0].setText("Types");
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].request.title, "brindlepath error");
    EXPECT_NE(ui.messages()[0].request.text.find("cboCondition_Click"), std::string::npos);
}

}  // namespace
}  // namespace bp::criteria
