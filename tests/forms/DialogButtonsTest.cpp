// Dialog buttons: which key presses which button, and what the button shows.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/Controls.h"
#include "forms/DialogButtons.h"
#include "forms/ScriptedUi.h"

namespace bp::forms {
namespace {

class DialogButtonsTest : public ::testing::Test {
protected:
    ScriptedUi ui;
    Form form{ui, "frmButtons", "Buttons"};
    std::vector<std::string> clicks;

    CommandButton& button(const std::string& name, ButtonRole role) {
        return addDialogButton(form, name, {"&" + name, 0, 0}, role,
                               [this, name] { clicks.push_back(name); });
    }
};

TEST_F(DialogButtonsTest, EachRoleAnswersItsKeys) {
    struct Case {
        ButtonRole role;
        bool enterPresses;
        bool escapePresses;
    } cases[] = {{ButtonRole::Default, true, false},
                 {ButtonRole::Cancel, false, true},
                 {ButtonRole::DefaultAndCancel, true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.role));
        Form dialog(ui, "frmDialog", "Dialog");
        std::vector<std::string> pressed;
        addDialogButton(dialog, "cmdOne", {"&One", 0, 0}, c.role,
                        [&] { pressed.push_back("cmdOne"); });
        EXPECT_EQ(dialog.pressEnter(), c.enterPresses);
        EXPECT_EQ(dialog.pressEscape(), c.escapePresses);
        EXPECT_EQ(pressed.size(),
                  static_cast<size_t>(c.enterPresses) + static_cast<size_t>(c.escapePresses));
    }
}

TEST_F(DialogButtonsTest, EnterEscapeAndClicksPressTheirOwnButtonOfAPair) {
    CommandButton& ok = button("cmdOK", ButtonRole::Default);
    button("cmdCancel", ButtonRole::Cancel);
    EXPECT_EQ(ok.caption(), "&cmdOK");
    form.pressEscape();
    form.pressEnter();
    EXPECT_TRUE(ok.click());
    EXPECT_EQ(clicks, (std::vector<std::string>{"cmdCancel", "cmdOK", "cmdOK"}));
}

}  // namespace
}  // namespace bp::forms
