// Typing into text boxes: key filters, the box's own styles, beeps, selection editing.

#include <gtest/gtest.h>

#include <string>

#include "forms/Controls.h"
#include "forms/ScriptedUi.h"

namespace bp::forms {
namespace {

class TextBoxTest : public ::testing::Test {
protected:
    ScriptedUi ui;
    Form form{ui, "frmNew"};
    TextBox& txt = form.add<TextBox>("txtNewName");
};

struct TypingCase {
    const char* name;
    bool numeric;
    TextCase textCase;
    int maxLength;
    const char* before;
    const char* typed;
    const char* after;
    int beeps;
};

TEST_F(TextBoxTest, TypedKeysPassTheBoxStyles) {
    const TypingCase cases[] = {
        {"plain text is kept as typed", false, TextCase::Mixed, 0, "", "Q3 Sales", "Q3 Sales", 0},
        {"digits only refuses letters", true, TextCase::Mixed, 0, "1", "2a3-", "123", 2},
        {"digits only still allows Backspace", true, TextCase::Mixed, 0, "12", "\b", "1", 0},
        {"upper case converts letters only", false, TextCase::Upper, 0, "", "ab-9z", "AB-9Z", 0},
        {"lower case converts letters only", false, TextCase::Lower, 0, "", "AbC", "abc", 0},
        {"MaxLength refuses the key past the limit", false, TextCase::Mixed, 2, "", "ABC", "AB", 1},
        {"MaxLength counts characters, not bytes", false, TextCase::Mixed, 3, "", "Zürich", "Zür",
         3},
        {"Backspace removes a whole character", false, TextCase::Mixed, 0, "Zü", "\b", "Z", 0},
        {"control keys edit nothing", false, TextCase::Mixed, 0, "x", "\r\t\x1b", "x", 0},
    };
    for (const auto& c : cases) {
        txt.setNumeric(c.numeric);
        txt.setTextCase(c.textCase);
        txt.setMaxLength(c.maxLength);
        txt.setText(c.before, Announcement::BeQuiet);
        ui.clearRecords();
        txt.typeText(c.typed);
        EXPECT_EQ(txt.text(), c.after) << c.name;
        EXPECT_EQ(ui.beeps(), c.beeps) << c.name;
    }
}

TEST_F(TextBoxTest, KeyRefusedOrReplacedByTheFormDoesNotBeepByItself) {
    // The form's filter decides: one discards or replaces silently, another beeps itself.
    txt.onKeyPress = [](int& KeyAscii) {
        if (KeyAscii == '.' || KeyAscii == '/' || KeyAscii == '\\') {
            KeyAscii = 0;
        } else if (KeyAscii == ' ') {
            KeyAscii = '_';
        }
    };
    EXPECT_FALSE(txt.pressKey('.'));
    EXPECT_FALSE(txt.typeText("a/b\\c d")) << "two keys were refused";
    EXPECT_EQ(txt.text(), "abc_d");
    EXPECT_EQ(ui.beeps(), 0);
}

TEST_F(TextBoxTest, KeyFilterThatBeepsIsHeardOnce) {
    txt.onKeyPress = [this](int& KeyAscii) {
        if (txt.length() >= 2 || KeyAscii < 65 || KeyAscii > 122) {
            KeyAscii = 0;
            form.ui().beep();
        }
    };
    txt.typeText("AB");
    EXPECT_FALSE(txt.pressKey('C'));
    EXPECT_FALSE(txt.pressKey(TextBox::kBackspace));
    EXPECT_EQ(txt.text(), "AB");
    EXPECT_EQ(ui.beeps(), 2);
    // Delete is no typed character: the filter never sees it.
    txt.setSelStart(0);
    EXPECT_TRUE(txt.pressDelete());
    EXPECT_EQ(txt.text(), "B");
}

TEST_F(TextBoxTest, ChangeRunsOncePerEditAndNotForRefusedKeys) {
    int changes = 0;
    txt.onChange = [&] { ++changes; };
    txt.setNumeric(true);
    txt.typeText("1x2");
    EXPECT_EQ(changes, 2);
    txt.setText("12");
    EXPECT_EQ(changes, 2) << "same text, no change";
    txt.setText("7");
    EXPECT_EQ(changes, 3);
}

TEST_F(TextBoxTest, TypingReplacesTheSelection) {
    txt.setText("Report 2025");
    txt.setSelStart(7);
    txt.setSelLength(4);
    EXPECT_EQ(txt.selText(), "2025");
    txt.typeText("2026");
    EXPECT_EQ(txt.text(), "Report 2026");
    EXPECT_EQ(txt.selStart(), 11);
    EXPECT_EQ(txt.selLength(), 0);
}

TEST_F(TextBoxTest, MaxLengthAllowsReplacingASelectionAtTheLimit) {
    txt.setMaxLength(3);
    txt.setText("ABC");
    txt.setSelStart(1);
    txt.setSelLength(1);
    EXPECT_TRUE(txt.pressKey('x'));
    EXPECT_EQ(txt.text(), "AxC");
}

TEST_F(TextBoxTest, SelectionClampsToTheText) {
    txt.setText("abc");
    txt.setSelStart(10);
    EXPECT_EQ(txt.selStart(), 3);
    txt.setSelStart(1);
    txt.setSelLength(10);
    EXPECT_EQ(txt.selLength(), 2);
}

TEST_F(TextBoxTest, LockedOrDisabledBoxKeepsItsText) {
    txt.setText("fixed");
    txt.setLocked(true);
    EXPECT_FALSE(txt.pressKey('x'));
    EXPECT_FALSE(txt.pressDelete());
    EXPECT_EQ(ui.beeps(), 2);
    txt.setLocked(false);
    txt.setEnabled(false);
    EXPECT_FALSE(txt.typeText("x"));
    EXPECT_EQ(txt.text(), "fixed");
}

TEST_F(TextBoxTest, CodeAssignmentIsNotFilteredByTypingStyles) {
    // Values restored from settings must never be cut or changed on the way in.
    txt.setNumeric(true);
    txt.setMaxLength(2);
    txt.setTextCase(TextCase::Upper);
    txt.setText("abc");
    EXPECT_EQ(txt.text(), "abc");
}

}  // namespace
}  // namespace bp::forms
