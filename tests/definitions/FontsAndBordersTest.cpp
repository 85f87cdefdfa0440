// Title and total fonts through the font dialog, and the "Border" dialog.

#include <gtest/gtest.h>

#include "definitions/DefinitionFile.h"
#include "definitions/EditorFixture.h"
#include "definitions/FrmBorder.h"
#include "definitions/FrmSubTotalOptions.h"
#include "definitions/StagedFont.h"

namespace bp::definitions::test {
namespace {

using forms::FontChoice;

struct FontKeyNames {
    std::string name, bold, italic, underline, color, size, strike;
};

FontKeyNames titleKeys(int i) {
    const std::string s = std::to_string(i);
    return {"TitleFont" + s,          "TitleFontBold" + s,  "TitleFontItalic" + s,
            "TitleFontUnderline" + s, "TitleFontColor" + s, "TitleFontSize" + s,
            "TitleFontStrikeThru" + s};
}

class FontTest : public EditorFixture {
protected:
    void stageDefinition(const std::string& lines) {
        writeDefinition("Pipeline", lines);
        ASSERT_TRUE(Load_DefFile(session(), "Pipeline", 0));
    }
    void expectFont(const FontKeyNames& k, const std::vector<std::string>& values) {
        const std::vector<std::string> seen = {
            staged(k.name),  staged(k.bold), staged(k.italic), staged(k.underline),
            staged(k.color), staged(k.size), staged(k.strike)};
        EXPECT_EQ(seen, values);
    }
};

TEST_F(FontTest, TitleFontNeverChosenOpensOnArialBoldEightAndCancelWritesIt) {
    auto& frm = open(std::string("FieldsIncluded=34\f\r\nSort0=34\r\nTitle0=1\r\n"));
    frm.cmdTitleFormat(0).click();
    ASSERT_EQ(ui().fontRequests().size(), 1u);
    const FontChoice& shown = ui().fontRequests()[0];
    EXPECT_EQ(shown.name, "Arial");
    EXPECT_TRUE(shown.bold);
    EXPECT_FALSE(shown.italic || shown.underline || shown.strikeThrough);
    EXPECT_EQ(shown.size, 8);
    EXPECT_EQ(shown.color, 0u);
    expectFont(titleKeys(0), {"Arial", "True", "False", "False", "0", "8", "False"});
    frm.cmdClose().click();
    EXPECT_EQ(fileKeys()["TitleFontBold0"], "True");
}

TEST_F(FontTest, ChosenTitleFontIsStagedWithItsFractionAndColour) {
    auto& frm = open(std::string("FieldsIncluded=34\f\r\nSort1=34\r\nTitle1=1\r\n"));
    FontChoice chosen;
    chosen.name = "Courier New";
    chosen.size = 10.5;
    chosen.italic = true;
    chosen.underline = true;
    chosen.strikeThrough = true;
    chosen.color = 0x0000FF;  // red
    ui().queueFont(chosen);
    frm.cmdTitleFormat(1).click();
    expectFont(titleKeys(1), {"Courier New", "False", "True", "True", "255", "10.5", "True"});
    frm.cmdTitleFormat(1).click();  // the next opening starts from what was staged
    const FontChoice& shown = ui().fontRequests()[1];
    EXPECT_EQ(shown.name, "Courier New");
    EXPECT_EQ(shown.size, 10.5);
    EXPECT_EQ(shown.color, 0x0000FFu);
    EXPECT_TRUE(shown.italic && shown.underline && shown.strikeThrough && !shown.bold);
}

TEST_F(FontTest, TotalAndColumnFontsUseTheirOwnKeysAndDefaults) {
    stageDefinition(
        std::string("FieldsIncluded=34\f\r\nFieldNamesIncluded=Amount\f\r\n"
                    "34Different99=1\r\nTitleFontSize0=12,5\r\n"));
    FrmSubTotalOptions frm(session(), 99, TotalRow::Below);
    frm.show();
    frm.cmdFontGlobal().click();
    frm.cmdFont().click();
    ASSERT_EQ(ui().fontRequests().size(), 2u);
    EXPECT_EQ(ui().fontRequests()[0].name, "Arial");
    EXPECT_TRUE(ui().fontRequests()[0].bold);
    EXPECT_EQ(ui().fontRequests()[1].name, "");
    EXPECT_EQ(ui().fontRequests()[1].size, 11);
    EXPECT_FALSE(ui().fontRequests()[1].bold);
    EXPECT_EQ(staged("TotalFontName99"), "Arial");
    EXPECT_EQ(staged("TotalFontSize99"), "8");
    EXPECT_EQ(staged("34FontName99"), "");
    EXPECT_EQ(staged("34FontSize99"), "11");
    EXPECT_EQ(staged("34FontStrikeThru99"), "False");
    EXPECT_EQ(stagedFont(session(), FontKeys::title(0)).size, 12.5);  // a comma-written size
}

class BorderTest : public FontTest {
protected:
    void openBorder(const std::string& prefix, int index, std::function<void(FrmBorder&)> script) {
        ui().onModal("frmBorder",
                     [script](forms::Form& form) { script(static_cast<FrmBorder&>(form)); });
        showBorderDialog(session(), prefix, index);
    }
};

TEST_F(BorderTest, StoredColourSurvivesAChangeOfStyle) {
    stageDefinition("TitleBorderColor2=16711680\r\nTitleBorderStyle2=1\r\n");
    openBorder("Title", 2, [](FrmBorder& frm) {
        EXPECT_EQ(frm.caption(), "Border");
        EXPECT_EQ(frm.cboBorderStyle().text(), "Medium");
        EXPECT_EQ(frm.picColor().backColor(), std::optional<std::uint32_t>(16711680u));
        frm.cboBorderStyle().choose(std::string("Double"));
        frm.cmdOK().click();
    });
    EXPECT_EQ(staged("TitleBorderStyle2"), "3");
    EXPECT_EQ(staged("TitleBorderColor2"), "16711680");
}

TEST_F(BorderTest, CancelWritesNothing) {
    stageDefinition("TotalBorderStyle99=2\r\n");
    ui().queueColor(0x00FF00);
    openBorder("Total", 99, [](FrmBorder& frm) {
        EXPECT_EQ(frm.cboBorderStyle().text(), "Thick");
        frm.picColor().doubleClick();
        frm.cboBorderStyle().choose(std::string("Thin"));
        frm.cmdCancel().click();
    });
    EXPECT_EQ(staged("TotalBorderStyle99"), "2");
    EXPECT_EQ(staged("TotalBorderColor99"), "<absent>");
}

TEST_F(BorderTest, SwatchOpensTheColourDialogOnItsColour) {
    stageDefinition("TotalBorderColor0=255\r\n");
    ui().queueColor(std::nullopt);  // cancelled: the swatch keeps its colour
    ui().queueColor(0x00FF00);
    openBorder("Total", 0, [](FrmBorder& frm) {
        EXPECT_EQ(frm.cboBorderStyle().text(), "Thin");
        frm.picColor().doubleClick();
        EXPECT_EQ(frm.swatchColor(), 255u);
        frm.cmdChangeColor().click();
        frm.cmdOK().click();
    });
    EXPECT_EQ(ui().colorRequests(), (std::vector<std::uint32_t>{255u, 255u}));
    EXPECT_EQ(staged("TotalBorderColor0"), std::to_string(0x00FF00));
    EXPECT_EQ(staged("TotalBorderStyle0"), "0");
}

TEST_F(BorderTest, ButtonsOpenTheBorderOfTheirRow) {
    auto& settings = open(std::string("FieldsIncluded=34\f\r\nSort0=34\r\nTitle0=1\r\n"));
    std::vector<std::string> opened;
    ui().onModal("frmBorder", [&](forms::Form& form) {
        auto& border = static_cast<FrmBorder&>(form);
        border.cboBorderStyle().choose(std::string("Thick"));
        border.cmdOK().click();
    });
    settings.cmdBorder(0).click();
    EXPECT_EQ(staged("TitleBorderStyle0"), "2");
    ui().onModal("frmSubTotalOptions", [](forms::Form& form) {
        static_cast<FrmSubTotalOptions&>(form).cmdBorder().click();
    });
    settings.cmdOptions(99).click();
    EXPECT_EQ(staged("TotalBorderStyle99"), "2");
    settings.cmdClose().click();
    EXPECT_EQ(fileKeys()["TitleBorderStyle0"], "2");
    EXPECT_EQ(fileKeys()["TotalBorderColor99"], "0");
}

}  // namespace
}  // namespace bp::definitions::test
