// The event rules forms rely on: which assignments raise Click, option groups, and handlers
// that re-enter one another.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/Controls.h"
#include "forms/ScriptedUi.h"

namespace bp::forms {
namespace {

class PanelForm : public Form {
public:
    explicit PanelForm(UiService& ui) : Form(ui, "frmPanel") {
        auto& fraA = add<Frame>("fraA");
        auto& fraB = add<Frame>("fraB");
        auto& tabs = add<TabControl>("tabs");
        tabs.addTab("One");
        tabs.addTab("Two");
        for (int i = 0; i < 3; ++i) {
            add<OptionButton>("optA", i, &fraA).onClick = [this, i] {
                log.push_back("optA" + std::to_string(i));
            };
        }
        for (int i = 0; i < 2; ++i) {
            add<OptionButton>("optB", i, &fraB).onClick = [this, i] {
                log.push_back("optB" + std::to_string(i));
            };
        }
        for (int page = 0; page < 2; ++page) {
            for (int i = 0; i < 2; ++i) {
                add<OptionButton>("optTab" + std::to_string(page), i, &tabs, page);
            }
        }
        chkA = &add<CheckBox>("chkA");
        chkB = &add<CheckBox>("chkB");
        chkA->onClick = [this] { chkA_Click(); };
        chkB->onClick = [this] { chkB_Click(); };
        lst = &add<ListBox>("lst");
        lst->onClick = [this] { lst_Click(); };
        cbo = &add<ComboBox>("cbo");
        cbo->onClick = [this] { log.push_back("cbo"); };
        for (const char* text : {"Products", "Types", "Competitors"}) {
            lst->addItem(text);
            cbo->addItem(text);
        }
    }

    // A sets B; B clears A: the nested runs finish before A's handler continues.
    void chkA_Click() {
        log.push_back("A=" + std::to_string(chkA->value()));
        if (chkA->checked()) {
            chkB->setValue(CheckBox::kChecked);
            log.push_back("A resumes with A=" + std::to_string(chkA->value()));
        }
    }
    void chkB_Click() {
        log.push_back("B=" + std::to_string(chkB->value()));
        if (chkB->checked()) {
            chkA->setValue(CheckBox::kUnchecked);
        }
    }
    void lst_Click() {
        log.push_back("lst");
        if (removeOnClick && lst->listIndex() >= 0) {
            lst->removeItem(lst->listIndex());
        }
    }

    OptionButton& opt(const std::string& name, int index) {
        return *findAs<OptionButton>(name, index);
    }

    CheckBox* chkA = nullptr;
    CheckBox* chkB = nullptr;
    ListBox* lst = nullptr;
    ComboBox* cbo = nullptr;
    bool removeOnClick = false;
    std::vector<std::string> log;
};

class EventRulesTest : public ::testing::Test {
protected:
    ScriptedUi ui;
    PanelForm form{ui};
    using Log = std::vector<std::string>;
};

TEST_F(EventRulesTest, OptionSetTrueRaisesClickEvenWhenAlreadySet) {
    form.opt("optA", 1).setValue(true);
    form.opt("optA", 1).setValue(true);
    EXPECT_EQ(form.log, (Log{"optA1", "optA1"}));
}

TEST_F(EventRulesTest, OptionClearsTheOthersOfItsFrameOnlyAndClearingRaisesNothing) {
    form.opt("optA", 0).setValue(true);
    form.opt("optB", 0).setValue(true);
    form.log.clear();

    form.opt("optA", 2).setValue(true);

    EXPECT_FALSE(form.opt("optA", 0).value());
    EXPECT_TRUE(form.opt("optA", 2).value());
    EXPECT_TRUE(form.opt("optB", 0).value()) << "another frame is another group";
    EXPECT_EQ(form.log, (Log{"optA2"}));
}

TEST_F(EventRulesTest, OptionSetFalseRaisesNothingAndLeavesOthers) {
    form.opt("optA", 0).setValue(true);
    form.log.clear();
    form.opt("optA", 0).setValue(false);
    EXPECT_FALSE(form.opt("optA", 0).value());
    EXPECT_TRUE(form.log.empty());
}

TEST_F(EventRulesTest, EachTabPageIsItsOwnOptionGroup) {
    form.opt("optTab0", 0).setValue(true);
    form.opt("optTab1", 1).setValue(true);
    EXPECT_TRUE(form.opt("optTab0", 0).value());
    form.opt("optTab0", 1).setValue(true);
    EXPECT_FALSE(form.opt("optTab0", 0).value());
    EXPECT_TRUE(form.opt("optTab1", 1).value());
}

TEST_F(EventRulesTest, QuietOptionSetStillClearsTheGroup) {
    form.opt("optA", 0).setValue(true);
    form.log.clear();
    form.opt("optA", 1).setValue(true, Announcement::BeQuiet);
    EXPECT_FALSE(form.opt("optA", 0).value());
    EXPECT_TRUE(form.log.empty());
}

TEST_F(EventRulesTest, CheckBoxRaisesClickOnlyWhenItsValueChanges) {
    struct Case {
        const char* name;
        int from;
        int to;
        bool raises;
    };
    const Case cases[] = {
        {"cleared to ticked", 0, 1, true}, {"ticked to cleared", 1, 0, true},
        {"ticked to ticked", 1, 1, false}, {"cleared to cleared", 0, 0, false},
        {"ticked to greyed", 1, 2, true},
    };
    auto& chk = form.add<CheckBox>("chkPlain");
    int clicks = 0;
    chk.onClick = [&] { ++clicks; };
    for (const auto& c : cases) {
        chk.setValue(c.from, Announcement::BeQuiet);
        clicks = 0;
        chk.setValue(c.to);
        EXPECT_EQ(clicks, c.raises ? 1 : 0) << c.name;
        EXPECT_EQ(chk.value(), c.to) << c.name;
    }
}

TEST_F(EventRulesTest, CheckBoxRefusesValuesOutsideItsRange) {
    form.chkB->setValue(1, Announcement::BeQuiet);
    EXPECT_THROW(form.chkB->setValue(3), std::invalid_argument);
    EXPECT_THROW(form.chkB->setValue(-1), std::invalid_argument);
    EXPECT_EQ(form.chkB->value(), 1);
}

TEST_F(EventRulesTest, NestedHandlersFinishBeforeTheOuterContinues) {
    form.chkA->setValue(CheckBox::kChecked);
    EXPECT_EQ(form.log, (Log{"A=1", "B=1", "A=0", "A resumes with A=0"}));
    EXPECT_EQ(form.chkA->value(), 0);
    EXPECT_EQ(form.chkB->value(), 1);
}

TEST_F(EventRulesTest, ListIndexAssignedTheSameValueRaisesClickAgain) {
    form.lst->setListIndex(1);
    form.lst->setListIndex(1);
    form.cbo->setListIndex(2);
    form.cbo->setListIndex(2);
    EXPECT_EQ(form.log, (Log{"lst", "lst", "cbo", "cbo"}));
    EXPECT_EQ(form.cbo->text(), "Competitors");
}

TEST_F(EventRulesTest, ListIndexOutOfRangeIsAnErrorAndChangesNothing) {
    form.lst->setListIndex(1);
    form.log.clear();
    EXPECT_THROW(form.lst->setListIndex(3), std::out_of_range);
    EXPECT_THROW(form.cbo->setListIndex(-2), std::out_of_range);
    EXPECT_EQ(form.lst->listIndex(), 1);
    EXPECT_TRUE(form.log.empty());
}

TEST_F(EventRulesTest, ChangingSelectedRaisesTheListClickOnlyOnChange) {
    form.lst->setMultiSelect(MultiSelect::Simple);
    form.lst->setSelected(0, true);
    form.lst->setSelected(2, true);
    form.lst->setSelected(2, true);
    EXPECT_EQ(form.log, (Log{"lst", "lst"}));
    EXPECT_EQ(form.lst->selCount(), 2);
    EXPECT_EQ(form.lst->selectedIndices(), (std::vector<int>{0, 2}));
}

TEST_F(EventRulesTest, DeselectAllClearsEverySelectionWithoutClick) {
    form.lst->setMultiSelect(MultiSelect::Extended);
    form.lst->setSelected(0, true, Announcement::BeQuiet);
    form.lst->setSelected(1, true, Announcement::BeQuiet);
    form.lst->deselectAll();
    EXPECT_EQ(form.lst->selCount(), 0);
    EXPECT_TRUE(form.log.empty());
}

TEST_F(EventRulesTest, SingleSelectionFollowsListIndex) {
    form.lst->setSelected(2, true);
    EXPECT_EQ(form.lst->listIndex(), 2);
    form.lst->setListIndex(0);
    EXPECT_EQ(form.lst->selectedIndices(), (std::vector<int>{0}));
    form.lst->setSelected(0, false);
    EXPECT_EQ(form.lst->listIndex(), -1);
    EXPECT_EQ(form.lst->selCount(), 0);
}

TEST_F(EventRulesTest, MultiSelectListIndexMovesTheCaretNotTheSelection) {
    form.lst->setMultiSelect(MultiSelect::Simple);
    form.lst->setSelected(0, true, Announcement::BeQuiet);
    form.lst->setListIndex(2);
    EXPECT_EQ(form.lst->selectedIndices(), (std::vector<int>{0}));
    EXPECT_EQ(form.lst->listIndex(), 2);
}

TEST_F(EventRulesTest, ClickHandlerMayRemoveTheEntryJustClicked) {
    form.removeOnClick = true;
    EXPECT_TRUE(form.lst->click(1));
    EXPECT_EQ(form.lst->listCount(), 2);
    EXPECT_EQ(form.lst->listIndex(), -1);
    EXPECT_EQ(form.lst->list(1), "Competitors");
    EXPECT_TRUE(form.lst->doubleClick(1));
    EXPECT_EQ(form.lst->listCount(), 1);
}

TEST_F(EventRulesTest, RemovingEntriesKeepsTheCurrentEntryOnTheSameText) {
    form.lst->setListIndex(2, Announcement::BeQuiet);
    form.lst->removeItem(0);
    EXPECT_EQ(form.lst->listIndex(), 1);
    EXPECT_EQ(form.lst->list(form.lst->listIndex()), "Competitors");
    form.lst->addItem("Amounts", 0);
    EXPECT_EQ(form.lst->list(form.lst->listIndex()), "Competitors");
}

TEST_F(EventRulesTest, HandlerMayRebindItsOwnSlotWhileRunning) {
    auto& cmd = form.add<CommandButton>("cmdOnce");
    int runs = 0;
    cmd.onClick = [&] {
        cmd.onClick = nullptr;
        ++runs;
    };
    cmd.setValue(true);
    cmd.setValue(true);
    EXPECT_EQ(runs, 1);
}

TEST_F(EventRulesTest, HandlerMayUnloadItsForm) {
    auto& cmd = form.add<CommandButton>("cmdClose");
    cmd.onClick = [&] {
        form.unload();
        form.log.push_back("after unload");
    };
    form.show();
    EXPECT_TRUE(cmd.click());
    EXPECT_FALSE(form.loaded());
    EXPECT_FALSE(form.visible());
    EXPECT_EQ(form.log, (Log{"after unload"}));
}

TEST_F(EventRulesTest, SortedListKeepsEntriesInOrderWithoutRegardToCase) {
    using Texts = std::vector<std::string>;
    const std::pair<Texts, Texts> cases[] = {
        {{"beta", "Alpha", "gamma", "ALPHA2", "Beta"},
         {"Alpha", "ALPHA2", "beta", "Beta", "gamma"}},
        // Letters outside ASCII fold too.
        {{"Łódź", "émile", "Ärger", "Émile", "ärger", "łódź"},
         {"Ärger", "ärger", "émile", "Émile", "Łódź", "łódź"}},
    };
    for (int c = 0; c < 2; ++c) {
        const auto& [added, expected] = cases[c];
        SCOPED_TRACE(added.front());
        auto& sorted = form.add<ListBox>("lstSorted", c);
        sorted.setSorted(true);
        for (const std::string& text : added) {
            sorted.addItem(text);
        }
        Texts texts;
        for (int i = 0; i < sorted.listCount(); ++i) {
            texts.push_back(sorted.list(i));
        }
        EXPECT_EQ(texts, expected);
    }
}

TEST_F(EventRulesTest, DropDownListTextIsTheCurrentEntry) {
    form.cbo->setStyle(ComboStyle::DropDownList);
    EXPECT_EQ(form.cbo->text(), "");
    form.cbo->setText("Types");
    EXPECT_EQ(form.cbo->listIndex(), 1);
    EXPECT_EQ(form.log, (Log{"cbo"}));
    EXPECT_THROW(form.cbo->setText("Nothing"), std::invalid_argument);
    EXPECT_EQ(form.cbo->listIndex(), 1);
}

TEST_F(EventRulesTest, TabChangeReportsThePreviousTab) {
    auto& tabs = *form.findAs<TabControl>("tabs");
    std::vector<int> previous;
    tabs.onClick = [&](int PreviousTab) { previous.push_back(PreviousTab); };
    tabs.setTab(1);
    tabs.setTab(1);
    tabs.setTab(0);
    EXPECT_EQ(previous, (std::vector<int>{0, 1}));
}

TEST_F(EventRulesTest, HidingTheCurrentTabMovesToAVisibleOne) {
    auto& tabs = *form.findAs<TabControl>("tabs");
    tabs.setTab(1, Announcement::BeQuiet);
    tabs.setTabVisible(1, false);
    EXPECT_EQ(tabs.tab(), 0);
    EXPECT_FALSE(tabs.clickTab(1));
    tabs.setTabEnabled(1, false);
    tabs.setTabVisible(1, true);
    EXPECT_FALSE(tabs.clickTab(1));
    EXPECT_EQ(tabs.tab(), 0);
}

TEST_F(EventRulesTest, DatePickerRaisesChangeOnlyOnChangeAndRefusesImpossibleDates) {
    auto& dtp = form.add<DatePicker>("dtpStart");
    int changes = 0;
    dtp.onChange = [&] { ++changes; };
    dtp.setValue({2026, 3, 14});
    dtp.setValue({2026, 3, 14});
    EXPECT_EQ(changes, 1);
    EXPECT_THROW(dtp.setValue({2026, 2, 30}), std::invalid_argument);
    EXPECT_EQ(dtp.value(), (DateTime{2026, 3, 14}));
}

TEST_F(EventRulesTest, UserClicksSelectAsEachListKindDoes) {
    struct Case {
        const char* name;
        MultiSelect mode;
        bool toggle;
        std::vector<int> selected;
    };
    const Case cases[] = {
        {"single selection follows the click", MultiSelect::None, false, {2}},
        {"Simple toggles each clicked entry", MultiSelect::Simple, false, {0}},
        {"Extended click selects the entry alone", MultiSelect::Extended, false, {2}},
        {"Extended Ctrl+click adds to the selection", MultiSelect::Extended, true, {0, 2}},
    };
    for (const auto& c : cases) {
        form.lst->setMultiSelect(c.mode);
        form.lst->deselectAll();
        form.log.clear();
        form.lst->click(0, c.toggle);
        form.lst->click(2, c.toggle);
        if (c.mode == MultiSelect::Simple) {
            form.lst->click(2);
        }
        EXPECT_EQ(form.lst->selectedIndices(), c.selected) << c.name;
        EXPECT_EQ(form.log.size(), c.mode == MultiSelect::Simple ? 3u : 2u) << c.name;
    }
}

TEST_F(EventRulesTest, LostFocusHandlerThatDisablesAButtonStopsItsClick) {
    auto& txt = form.add<TextBox>("txtValue");
    auto& cmd = form.add<CommandButton>("cmdRun");
    int clicks = 0;
    cmd.onClick = [&] { ++clicks; };
    txt.onLostFocus = [&] { cmd.setEnabled(false); };
    txt.setFocus();
    EXPECT_FALSE(cmd.click());
    EXPECT_EQ(clicks, 0);
}

TEST_F(EventRulesTest, EditableComboFollowsAMatchingEntry) {
    int changes = 0;
    form.cbo->onChange = [&] { ++changes; };
    form.cbo->setText("Types");
    EXPECT_EQ(form.cbo->listIndex(), 1);
    form.cbo->setText("Something else");
    EXPECT_EQ(form.cbo->listIndex(), -1);
    EXPECT_EQ(changes, 2);
    EXPECT_TRUE(form.log.empty()) << "typing raises Change, not Click";
    EXPECT_TRUE(form.cbo->choose("Competitors"));
    EXPECT_EQ(form.cbo->text(), "Competitors");
}

}  // namespace
}  // namespace bp::forms
