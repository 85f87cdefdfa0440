// Forms: controls and containers, walks by Tag, focus, life cycle, buttons, menus, timers, and
// the quiet notifications a renderer relies on.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/Controls.h"
#include "forms/ScriptedUi.h"

namespace bp::forms {
namespace {

class DialogForm : public Form {
public:
    explicit DialogForm(UiService& ui) : Form(ui, "frmDialog", "Dialog") {
        fraDefine = &add<Frame>("fraDefine");
        txtName = &add<TextBox>("txtName", -1, fraDefine);
        lblName = &add<Label>("lblName", -1, fraDefine);
        cmdOK = &add<CommandButton>("cmdOK");
        cmdCancel = &add<CommandButton>("cmdCancel");
        setDefaultButton(cmdOK);
        setCancelButton(cmdCancel);
        cmdOK->onClick = [this] { log.push_back("cmdOK_Click"); };
        cmdCancel->onClick = [this] { log.push_back("cmdCancel_Click"); };
        for (auto* c : std::vector<Control*>{txtName, cmdOK, cmdCancel}) {
            c->onGotFocus = [this, c] { log.push_back(c->name() + "_GotFocus"); };
            c->onLostFocus = [this, c] { log.push_back(c->name() + "_LostFocus"); };
        }
    }

    bool cancelUnload = false;
    std::vector<std::string> log;
    Frame* fraDefine = nullptr;
    TextBox* txtName = nullptr;
    Label* lblName = nullptr;
    CommandButton* cmdOK = nullptr;
    CommandButton* cmdCancel = nullptr;

protected:
    void Form_Load() override { log.push_back("Form_Load"); }
    void Form_Unload(int& Cancel) override {
        log.push_back("Form_Unload");
        Cancel = cancelUnload ? 1 : 0;
    }
};

class FormTest : public ::testing::Test {
protected:
    ScriptedUi ui;
    DialogForm form{ui};
    using Log = std::vector<std::string>;
};

TEST_F(FormTest, ControlsAreVisitedInCreationOrder) {
    std::vector<std::string> names;
    form.forEachControl([&](Control& c) { names.push_back(c.name()); });
    EXPECT_EQ(names, (Log{"fraDefine", "txtName", "lblName", "cmdOK", "cmdCancel"}));
}

TEST_F(FormTest, WalkByTagShowsExactlyTheControlsOfOneKind) {
    // The pattern of a tag walk: hide every control of condition 0, then show its "date" ones.
    const char* tags[] = {"0list", "0numeric", "0numeric0date", "0date", "1date2"};
    for (int i = 0; i < 5; ++i) {
        form.add<Label>("lblValue", i).setTag(tags[i]);
    }
    form.forEachControl([](Control& c) {
        if (c.tag().empty()) {
            return;
        }
        if (c.tag().find('0') != std::string::npos) {
            c.setVisible(false);
        }
        if (c.tag().find("0date") != std::string::npos) {
            c.setVisible(true);
        }
    });
    auto labels = form.array<Label>("lblValue");
    std::vector<bool> visible;
    labels.forEach([&](Label& l) { visible.push_back(l.visible()); });
    EXPECT_EQ(visible, (std::vector<bool>{false, false, true, true, true}));
}

TEST_F(FormTest, ControlArraysAreAddressedByIndexWithGaps) {
    form.add<CheckBox>("chkSales", 0);
    form.add<CheckBox>("chkSales", 3);
    auto chkSales = form.array<CheckBox>("chkSales");
    EXPECT_EQ(chkSales.count(), 2);
    EXPECT_EQ(chkSales.upperBound(), 3);
    EXPECT_EQ(chkSales[3].index(), 3);
    EXPECT_FALSE(chkSales.contains(1));
    EXPECT_THROW(chkSales[1], std::out_of_range);
    EXPECT_EQ(form.find("chkSales", 3), &chkSales[3]);
    EXPECT_EQ(form.find("chkSales"), nullptr) << "an array member needs its index";
}

TEST_F(FormTest, NewControlsAreChecked) {
    EXPECT_THROW(form.add<TextBox>("txtName"), std::invalid_argument);
    EXPECT_THROW(form.add<TextBox>("txtOther", -1, form.txtName), std::invalid_argument);
    auto& tabs = form.add<TabControl>("tabs");
    EXPECT_THROW(form.add<Label>("lblNoPage", -1, &tabs), std::invalid_argument);
    EXPECT_THROW(form.add<MenuEntry>("mnuInFrame", -1, form.fraDefine), std::invalid_argument);
    auto& menu = form.add<MenuEntry>("mnuFile");
    EXPECT_THROW(form.add<Label>("lblInMenu", -1, &menu), std::invalid_argument);
    EXPECT_EQ(form.controls().size(), 7u) << "refused controls are not added";
}

TEST_F(FormTest, ContainersDecideWhetherAUserCanReachAControl) {
    EXPECT_TRUE(form.txtName->usable());
    form.fraDefine->setEnabled(false);
    EXPECT_TRUE(form.txtName->enabled()) << "its own flag is untouched";
    EXPECT_FALSE(form.txtName->usable());
    EXPECT_FALSE(form.txtName->typeText("x"));
    EXPECT_FALSE(form.txtName->setFocus());

    auto& tabs = form.add<TabControl>("tabs");
    tabs.addTab("General");
    tabs.addTab("Fields");
    auto& chk = form.add<CheckBox>("chkHeader", -1, &tabs, 1);
    tabs.setTabEnabled(1, false);
    EXPECT_FALSE(chk.click());
    EXPECT_EQ(chk.value(), 0);
    tabs.setTabEnabled(1, true);
    EXPECT_TRUE(chk.click());
    EXPECT_TRUE(chk.isInside(tabs));
}

TEST_F(FormTest, FocusMovesWithLostFocusBeforeGotFocus) {
    form.txtName->setFocus();
    form.cmdOK->click();
    EXPECT_EQ(form.log,
              (Log{"txtName_GotFocus", "txtName_LostFocus", "cmdOK_GotFocus", "cmdOK_Click"}));
    EXPECT_EQ(form.activeControl(), form.cmdOK);
    EXPECT_FALSE(form.lblName->setFocus()) << "labels take no focus";
}

TEST_F(FormTest, GotFocusHandlerMayPassTheFocusOn) {
    form.txtName->onGotFocus = [this] { form.cmdCancel->setFocus(); };
    form.txtName->setFocus();
    EXPECT_EQ(form.activeControl(), form.cmdCancel);
    EXPECT_TRUE(form.cmdCancel->hasFocus());
    EXPECT_FALSE(form.txtName->hasFocus());
}

TEST_F(FormTest, LostFocusHandlerThatSendsTheFocusElsewhereWins) {
    form.txtName->setFocus();
    form.txtName->onLostFocus = [this] { form.cmdCancel->setFocus(); };
    EXPECT_FALSE(form.cmdOK->setFocus());
    EXPECT_EQ(form.activeControl(), form.cmdCancel);
    EXPECT_EQ(form.log, (Log{"txtName_GotFocus", "cmdCancel_GotFocus"}));
}

TEST_F(FormTest, HidingTheFocusedControlOrItsFrameTakesTheFocusAway) {
    form.txtName->setFocus();
    form.fraDefine->setVisible(false);
    EXPECT_EQ(form.activeControl(), nullptr);
    EXPECT_EQ(form.log.back(), "txtName_LostFocus");
}

TEST_F(FormTest, EnterAndEscPressTheDefaultAndCancelButtons) {
    form.txtName->setFocus();
    EXPECT_TRUE(form.pressEnter());
    EXPECT_TRUE(form.pressEscape());
    EXPECT_EQ(form.activeControl(), form.txtName) << "Enter does not move the focus";
    form.cmdOK->setEnabled(false);
    EXPECT_FALSE(form.pressEnter());
    EXPECT_EQ(form.log, (Log{"txtName_GotFocus", "cmdOK_Click", "cmdCancel_Click"}));
}

TEST_F(FormTest, DisabledButtonCannotBePressedButCodeStillRaisesItsClick) {
    form.cmdOK->setEnabled(false);
    EXPECT_FALSE(form.cmdOK->click());
    form.cmdOK->setValue(true);
    EXPECT_EQ(form.log, (Log{"cmdOK_Click"}));
}

TEST_F(FormTest, LoadRunsOnceAndUnloadMayBeCancelled) {
    form.show();
    form.show();
    EXPECT_TRUE(form.visible());
    form.cancelUnload = true;
    EXPECT_FALSE(form.unload());
    EXPECT_TRUE(form.loaded());
    form.cancelUnload = false;
    EXPECT_TRUE(form.unload());
    EXPECT_FALSE(form.loaded());
    EXPECT_FALSE(form.visible());
    EXPECT_TRUE(form.unload()) << "unloading an unloaded form does nothing";
    form.load();
    EXPECT_EQ(form.log, (Log{"Form_Load", "Form_Unload", "Form_Unload", "Form_Load"}));
}

TEST_F(FormTest, MenuEntriesNestAndRefuseClicksWhenUnreachable) {
    auto& mnuReport = form.add<MenuEntry>("mnuReport");
    auto& mnuNew = form.add<MenuEntry>("mnuNew", -1, &mnuReport);
    auto& mnuSep = form.add<MenuEntry>("mnuSep", -1, &mnuReport);
    mnuSep.setCaption("-");
    int clicks = 0;
    mnuNew.onClick = [&] { ++clicks; };
    EXPECT_EQ(mnuReport.children(), (std::vector<MenuEntry*>{&mnuNew, &mnuSep}));
    EXPECT_TRUE(mnuSep.separator());
    EXPECT_FALSE(mnuSep.click());
    EXPECT_TRUE(mnuNew.click());
    mnuReport.setVisible(false);
    EXPECT_FALSE(mnuNew.click());
    mnuReport.setVisible(true);
    mnuReport.setEnabled(false);
    EXPECT_FALSE(mnuNew.click());
    EXPECT_EQ(clicks, 1);
}

TEST_F(FormTest, TimerTicksOnlyWhileEnabledWithAnInterval) {
    auto& tmr1 = form.add<Timer>("tmr1");
    int ticks = 0;
    tmr1.onTimer = [&] { ++ticks; };
    EXPECT_FALSE(tmr1.tick());
    tmr1.setInterval(1000);
    EXPECT_TRUE(tmr1.tick());
    tmr1.setEnabled(false);
    EXPECT_FALSE(tmr1.tick());
    EXPECT_EQ(ticks, 1);
}

TEST_F(FormTest, ObserversHearQuietAndEventedChangesAlike) {
    auto& chk = form.add<CheckBox>("chkReverse");
    int clicks = 0;
    chk.onClick = [&] { ++clicks; };
    std::vector<Property> heard;
    const int id = chk.subscribe([&](Control&, Property p) { heard.push_back(p); });
    chk.setValue(1, Announcement::BeQuiet);
    chk.setValue(0);
    chk.setCaption("Reverse the 2nd condition");
    chk.setValue(0);
    chk.unsubscribe(id);
    chk.setValue(1);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(heard, (std::vector<Property>{Property::Value, Property::Value, Property::Caption}));
}

TEST_F(FormTest, ObserversMayUnsubscribeAndSubscribeWhileBeingTold) {
    auto& lbl = form.add<Label>("lblReverse");
    std::vector<std::string> heard;
    int second = 0;
    const int first = lbl.subscribe([&](Control&, Property) {
        heard.push_back("first");
        lbl.unsubscribe(first);
        lbl.unsubscribe(second);
        lbl.subscribe([&](Control&, Property) { heard.push_back("late"); });
    });
    second = lbl.subscribe([&](Control&, Property) { heard.push_back("second"); });
    lbl.setCaption("AND");
    lbl.setCaption("AND NOT");
    EXPECT_EQ(heard, (std::vector<std::string>{"first", "late"}));
}

TEST_F(FormTest, LabelClickRunsOnlyWhenUsable) {
    int clicks = 0;
    form.lblName->onClick = [&] { ++clicks; };
    EXPECT_TRUE(form.lblName->click());
    form.lblName->setVisible(false);
    EXPECT_FALSE(form.lblName->click());
    EXPECT_EQ(clicks, 1);
}

TEST_F(FormTest, QuietSettersOfEveryControlRaiseNoEventButTellObservers) {
    int events = 0;
    int told = 0;
    auto count = [&] { ++events; };
    auto& opt = form.add<OptionButton>("optQuiet");
    auto& chk = form.add<CheckBox>("chkQuiet");
    auto& lst = form.add<ListBox>("lstQuiet");
    auto& cbo = form.add<ComboBox>("cboQuiet");
    auto& tabs = form.add<TabControl>("tabQuiet");
    auto& dtp = form.add<DatePicker>("dtpQuiet");
    opt.onClick = chk.onClick = lst.onClick = cbo.onClick = count;
    cbo.onChange = form.txtName->onChange = dtp.onChange = count;
    tabs.onClick = [&](int) { ++events; };
    for (Control* c : std::vector<Control*>{&opt, &chk, &lst, &cbo, &tabs, &dtp, form.txtName}) {
        c->subscribe([&](Control&, Property) { ++told; });
    }
    lst.addItem("a");
    cbo.addItem("a");
    tabs.addTab("General");
    tabs.addTab("Filter");
    told = 0;

    const std::vector<std::pair<const char*, std::function<void()>>> setters = {
        {"option", [&] { opt.setValue(true, Announcement::BeQuiet); }},
        {"check box", [&] { chk.setValue(1, Announcement::BeQuiet); }},
        {"list index", [&] { lst.setListIndex(0, Announcement::BeQuiet); }},
        {"selected", [&] { lst.setSelected(0, false, Announcement::BeQuiet); }},
        {"combo index", [&] { cbo.setListIndex(0, Announcement::BeQuiet); }},
        {"combo text", [&] { cbo.setText("typed", Announcement::BeQuiet); }},
        {"tab", [&] { tabs.setTab(1, Announcement::BeQuiet); }},
        {"date",
         [&] {
             dtp.setValue({2026, 1, 2}, Announcement::BeQuiet);
         }},
        {"text", [&] { form.txtName->setText("quiet", Announcement::BeQuiet); }},
    };
    for (const auto& [name, set] : setters) {
        const int toldBefore = told;
        set();
        EXPECT_EQ(events, 0) << name;
        EXPECT_GT(told, toldBefore) << name;
    }
}

TEST_F(FormTest, FormObserversHearTheLifeCycle) {
    std::vector<FormProperty> heard;
    form.subscribe([&](Form&, FormProperty p) { heard.push_back(p); });
    form.show();
    form.setCaption("Rename report");
    form.unload();
    EXPECT_EQ(heard, (std::vector<FormProperty>{FormProperty::Loaded, FormProperty::Visible,
                                                FormProperty::Caption, FormProperty::Visible,
                                                FormProperty::Loaded}));
}

}  // namespace
}  // namespace bp::forms
