// "Sub-Total Options": the total row of one section or the summary row.

#include <gtest/gtest.h>

#include <memory>

#include "definitions/DefinitionFile.h"
#include "definitions/EditorFixture.h"
#include "definitions/FrmSubTotalOptions.h"

namespace bp::definitions::test {
namespace {

class SubTotalOptionsTest : public EditorFixture {
protected:
    // Stages a definition with these lines and opens the options of one section.
    FrmSubTotalOptions& options(const std::string& lines, int section,
                                TotalRow totalRow = TotalRow::Below) {
        writeDefinition("Pipeline", lines);
        EXPECT_TRUE(Load_DefFile(session(), "Pipeline", 0));
        options_ = std::make_unique<FrmSubTotalOptions>(session(), section, totalRow);
        options_->show();
        return *options_;
    }
    std::unique_ptr<FrmSubTotalOptions> options_;
};

const std::string kAmountAndUnits =
    std::string("FieldsIncluded=34\f32\f\r\nFieldNamesIncluded=Amount\fUnits\f\r\n");

TEST_F(SubTotalOptionsTest, NewDefinitionOpensOnTheCatalogueDefaults) {
    struct Case {
        int section;
        TotalRow totalRow;
        const char* caption;
        const char* border;
    } cases[] = {{0, TotalRow::Below, "Total for <value> :", "Border above"},
                 {2, TotalRow::Above, "Total for <value> :", "Border below"},
                 {99, TotalRow::Below, "Total Sales :", "Border above"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.section);
        auto& frm = options("", c.section, c.totalRow);
        EXPECT_EQ(frm.caption(), "Sub-Total Options");
        EXPECT_EQ(frm.txtCaption().text(), c.caption);
        EXPECT_EQ(frm.chkBorder().caption(), c.border);
        EXPECT_TRUE(frm.chkBorder().checked());
        EXPECT_TRUE(frm.cmdBorder().enabled());
        EXPECT_EQ(frm.txtCaptionCol().text(), "1");
        EXPECT_FALSE(frm.chkEmptyBefore().checked());
        EXPECT_FALSE(frm.chkEmptyAfter().checked());
    }
}

TEST_F(SubTotalOptionsTest, NoIncludedFieldsLeavesTheColumnControlsEmpty) {
    auto& frm = options(std::string("FieldsIncluded=\f\r\n"), 0);
    EXPECT_EQ(frm.cboFields().listCount(), 0);
    for (int i = 0; i < 4; ++i) {
        EXPECT_FALSE(frm.optCalc(i).value());
        EXPECT_FALSE(frm.optCalc(i).enabled());
    }
    EXPECT_FALSE(frm.chkDifferent().enabled());
    frm.cmdClose().click();
    for (const auto& [key, value] : host_.settings.GetAllSettings("Report")) {
        EXPECT_EQ(key.find("CalcType"), std::string::npos) << key;
    }
}

TEST_F(SubTotalOptionsTest, AverageIsStagedAtOnceAndKeptAfterCancel) {
    auto& frm = options(kAmountAndUnits + "TotalCaption0=Old\r\n", 0);
    EXPECT_EQ(frm.cboFields().text(), "Amount");
    EXPECT_TRUE(frm.optCalc(0).value());
    frm.optCalc(2).click();
    EXPECT_EQ(staged("34CalcType0"), "2");
    frm.txtCaption().setText("New");
    frm.chkEmptyAfter().click();
    frm.cmdCancel().click();
    EXPECT_FALSE(frm.loaded());
    EXPECT_EQ(staged("34CalcType0"), "2");
    EXPECT_EQ(staged("TotalCaption0"), "Old");
    EXPECT_EQ(staged("TotalEmptyAfter0"), "<absent>");
}

TEST_F(SubTotalOptionsTest, CloseStagesCaptionColumnBorderAndEmptyLines) {
    auto& frm = options(kAmountAndUnits, 1);
    frm.txtCaption().setText("Sum of <value>");
    frm.txtCaptionCol().setText("");
    EXPECT_FALSE(frm.txtCaptionCol().typeText("2x"));  // digits only
    frm.chkBorder().click();
    EXPECT_FALSE(frm.cmdBorder().enabled());
    frm.chkEmptyBefore().click();
    frm.cmdClose().click();
    EXPECT_EQ(staged("TotalCaption1"), "Sum of <value>");
    EXPECT_EQ(staged("TotalCaptionCol1"), "2");
    EXPECT_EQ(staged("TotalBorder1"), "0");
    EXPECT_EQ(staged("TotalEmptyBefore1"), "1");
    EXPECT_EQ(staged("TotalEmptyAfter1"), "0");
}

TEST_F(SubTotalOptionsTest, EachColumnShowsItsOwnChoices) {
    auto& frm = options(kAmountAndUnits +
                            "32CalcType99=3\r\n32Different99=1\r\n32LineAbove99=1\r\n"
                            "34CalcType99=1\r\n",
                        99);
    EXPECT_TRUE(frm.optCalc(1).value());
    EXPECT_FALSE(frm.chkDifferent().checked());
    EXPECT_FALSE(frm.cmdFont().enabled());
    frm.cboFields().choose(std::string("Units"));
    EXPECT_TRUE(frm.optCalc(3).value());
    EXPECT_TRUE(frm.chkDifferent().checked());
    EXPECT_TRUE(frm.chkLineabove().checked());
    EXPECT_TRUE(frm.cmdFont().enabled());
    frm.cboFields().choose(std::string("Amount"));
    EXPECT_TRUE(frm.optCalc(1).value());
    EXPECT_FALSE(frm.chkLineabove().checked());
    EXPECT_EQ(staged("32CalcType99"), "3");
    EXPECT_EQ(staged("32LineAbove99"), "1");
}

TEST_F(SubTotalOptionsTest, ClearingIgnoreDefaultFormattingDropsTheColumnsOwnFormatting) {
    auto& frm = options(kAmountAndUnits +
                            "34Different0=1\r\n34LineAbove0=1\r\n34FontName0=Courier\r\n"
                            "34FontBold0=True\r\n34FontSize0=9.5\r\n34FontColor0=255\r\n"
                            "34FontItalic0=True\r\n34FontUnderline0=False\r\n"
                            "34FontStrikeThru0=True\r\n32FontName0=Times\r\n",
                        0);
    EXPECT_TRUE(frm.chkLineabove().enabled());
    frm.chkDifferent().click();
    EXPECT_FALSE(frm.chkLineabove().checked());
    EXPECT_FALSE(frm.chkLineabove().enabled());
    EXPECT_FALSE(frm.cmdFont().enabled());
    for (const char* key : {"34FontName0", "34FontBold0", "34FontItalic0", "34FontUnderline0",
                            "34FontColor0", "34FontSize0", "34FontStrikeThru0", "34LineAbove0"}) {
        EXPECT_EQ(staged(key), "<absent>") << key;
    }
    EXPECT_EQ(staged("34Different0"), "0");
    EXPECT_EQ(staged("32FontName0"), "Times");  // another column keeps its own
}

TEST_F(SubTotalOptionsTest, OutOfRangeCalculationShowsNoCalculation) {
    auto& frm = options(kAmountAndUnits + "34CalcType0=7\r\n", 0);
    EXPECT_TRUE(frm.optCalc(0).value());
}

}  // namespace
}  // namespace bp::definitions::test
