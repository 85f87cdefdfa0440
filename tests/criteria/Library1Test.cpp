// The shared list routines: what they put into lists from the host, and how they read,
// clear and enable lists and frames.

#include <gtest/gtest.h>

#include "criteria/HostFixture.h"
#include "criteria/Library1.h"
#include "forms/Controls.h"

namespace bp::criteria {
namespace {

class Library1Test : public test::HostFixture {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        openTables();
        list = &form.add<forms::ListBox>("lstCriteria", 0);
        list->setMultiSelect(forms::MultiSelect::Simple);
    }
    forms::Form form{ui, "frmTest"};
    forms::ListBox* list = nullptr;
};

TEST_F(Library1Test, UsersKeepTheHostsOrderAndPositions) {
    Load_Users(*list, *session.objUsers);
    ASSERT_EQ(list->listCount(), 3);
    EXPECT_EQ(list->list(1), "Anne");
    EXPECT_EQ(list->itemData(2), 3);
}

TEST_F(Library1Test, DropDownListsEndWithTheEmptyEntry) {
    struct Case {
        ListKind kind;
        std::vector<std::string> entries;
    };
    for (const Case& row : {Case{ListKind::Products, {"Widget", "Gadget", "<<Empty>>"}},
                            Case{ListKind::Types, {"New", "Upgrade", "Renewal", "<<Empty>>"}},
                            Case{ListKind::Competitors, {"<<Empty>>"}}}) {
        list->addItem("left over");
        Create_Prod_Or_Type_List(row.kind, *list, *session.objListTable);
        std::vector<std::string> shown;
        for (const auto& entry : list->entries()) {
            shown.push_back(entry.text);
        }
        EXPECT_EQ(shown, row.entries);
    }
}

TEST_F(Library1Test, NoSalesStagesLeavesOnlyTheEmptyEntry) {
    importHost(R"({"users": [], "salesStages": []})");
    openTables();
    Create_Stages_List(*list, *session.objSales);
    ASSERT_EQ(list->listCount(), 1);
    EXPECT_EQ(list->list(0), "<<Empty>>");
}

TEST_F(Library1Test, SelectedItemsOfAnUntouchedMultiSelectListStayAsTheyWere) {
    for (const char* item : {"a", "b", "c"}) {
        list->addItem(item);
    }
    list->setSelected(2, true);
    list->setSelected(0, true);
    EXPECT_EQ(GetSelectedItems(*list), (std::vector<int>{0, 2}));
    list->deselectAll();
    EXPECT_EQ(GetSelectedItems(*list), (std::vector<int>{0, 2}));

    auto& single = form.add<forms::ListBox>("lstSingle");
    single.addItem("x");
    single.addItem("y");
    EXPECT_EQ(GetSelectedItems(single), std::vector<int>{0});
    single.setListIndex(1);
    EXPECT_EQ(GetSelectedItems(single), std::vector<int>{1});
}

TEST_F(Library1Test, DeselectClearsWithoutFlagWhenNothingIsSelected) {
    for (const char* item : {"a", "b", "c"}) {
        list->addItem(item);
    }
    bool flagSeen = false;
    list->onClick = [&] { flagSeen = flagSeen || bDeselecting; };
    Deselect(*list, DeselectScope::All);
    EXPECT_FALSE(flagSeen);
    list->setSelected(0, true);
    list->setSelected(2, true);
    Deselect(*list, DeselectScope::UpTo, 1);
    EXPECT_TRUE(flagSeen);
    EXPECT_EQ(list->selectedIndices(), std::vector<int>{2});
    Deselect(*list, DeselectScope::All);
    EXPECT_EQ(list->selCount(), 0);
    EXPECT_FALSE(bDeselecting);
}

TEST_F(Library1Test, EnableControlsTouchesOnlyTheFramesDirectChildren) {
    auto& first = form.add<forms::Frame>("fraDefine", 0);
    auto& second = form.add<forms::Frame>("fraDefine", 1);
    auto& inner = form.add<forms::Frame>("fraInner", -1, &first);
    auto& a = form.add<forms::TextBox>("txtA", -1, &first);
    auto& b = form.add<forms::TextBox>("txtB", -1, &second);
    auto& nested = form.add<forms::TextBox>("txtC", -1, &inner);
    Enable_Controls(form, false, first, true, 0);
    EXPECT_FALSE(a.enabled());
    EXPECT_FALSE(inner.enabled());
    EXPECT_TRUE(nested.enabled());
    EXPECT_TRUE(b.enabled());
    Enable_Controls(form, false, first, false, 0);
    EXPECT_FALSE(b.enabled());
}

TEST_F(Library1Test, TextBoxShapingAndFocus) {
    auto& box = form.add<forms::TextBox>("txtName");
    ForceTextBoxNumeric(box, true);
    EXPECT_FALSE(box.typeText("1a"));
    EXPECT_EQ(box.text(), "1");
    ForceTextBoxNumeric(box, false);
    ForceTextBoxCase(box, 1);
    box.typeText("b");
    EXPECT_EQ(box.text(), "1B");
    ForceTextBoxCase(box, 7);
    EXPECT_EQ(box.textCase(), forms::TextCase::Upper);
    form.show();
    GiveFocus(box);
    EXPECT_TRUE(box.hasFocus());
    EXPECT_EQ(box.selLength(), 2);
}

}  // namespace
}  // namespace bp::criteria
