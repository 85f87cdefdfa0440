#include <gtest/gtest.h>

#include "definitions/DefinitionKeys.h"
#include "definitions/ReportFields.h"

namespace bp::definitions {
namespace {

struct DefaultCase {
    const char* key;
    const char* expected;
};

class KeyCatalogue : public testing::TestWithParam<DefaultCase> {};

TEST_P(KeyCatalogue, GivesTheReadersDefault) {
    EXPECT_EQ(keyDefault(GetParam().key), GetParam().expected) << GetParam().key;
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyCatalogue,
    testing::Values(DefaultCase{"TopLeftCol", "A"}, DefaultCase{"topleftrow", "1"},
                    DefaultCase{"FieldsIncluded", "\f"}, DefaultCase{"FieldID3", "0"},
                    DefaultCase{"SortOrder2", "1"}, DefaultCase{"TitleCaption1", "<value>"},
                    DefaultCase{"NoRepeat0", "1"}, DefaultCase{"TitleFontSize2", "8"},
                    DefaultCase{"Totals0", "0"}, DefaultCase{"Totals99", "1"},
                    DefaultCase{"TotalCaption1", "Total for <value> :"},
                    DefaultCase{"TotalCaption99", "Total Sales :"},
                    DefaultCase{"TotalFontBold99", "True"}, DefaultCase{"34CalcType0", "0"},
                    DefaultCase{"1025FontSize99", "11"}, DefaultCase{"34FontColor1", "0"},
                    DefaultCase{"34fontstrikethru1", "False"}, DefaultCase{"Path", ""},
                    DefaultCase{"SortCol0", "-1"}, DefaultCase{"Sort1", "0"},
                    DefaultCase{"NoSuchKey", ""}));

TEST(KeyCatalogueNames, AreBuiltWithoutSeparators) {
    EXPECT_EQ(sectionKey("Title", 2), "Title2");
    EXPECT_EQ(columnKey(34, "CalcType", 99), "34CalcType99");
    EXPECT_TRUE(isCatalogued("101LineAbove2"));
    EXPECT_FALSE(isCatalogued("LineAbove2"));  // a column key needs its field ID
    EXPECT_FALSE(isCatalogued("Title"));       // a section key needs its index
}

TEST(ReportFieldTable, FindsFieldsByIdAndCaption) {
    EXPECT_EQ(reportFields().size(), 27u);
    EXPECT_EQ(findReportField(1026)->caption, "Contact");
    EXPECT_EQ(findReportField("Forecasted amount")->id, 101);
    EXPECT_FALSE(findReportField(1079).has_value());
    EXPECT_TRUE(isCustomSlot(994));
    EXPECT_FALSE(isCustomSlot(kEmptyColumnId));
}

}  // namespace
}  // namespace bp::definitions
