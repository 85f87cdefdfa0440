// The one reader of numbers: as typed under a region, and as written in data and
// definition files.

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "platform/Locale.h"
#include "platform/NumberText.h"

namespace bp::platform {
namespace {

using Grouping = NumberForm::Grouping;

struct Case {
    const char* text;
    std::optional<double> typed;    // "." and "," as typed
    std::optional<double> written;  // "." and "," in groups of three
};

TEST(NumberText, TypedAndWrittenForms) {
    const Case cases[] = {
        {"1250.50", 1250.5, 1250.5},
        {" 1,250.50\t", 1250.5, 1250.5},
        {"1234,567.5", 1234567.5, 1234567.5},
        {"12,50", 1250.0, std::nullopt},
        {"1,2,3", 123.0, std::nullopt},
        {",5", std::nullopt, std::nullopt},
        {"1.5e3", 1500.0, std::nullopt},
        {"-3", -3.0, -3.0},
        {"+.5", 0.5, 0.5},
        {"-", std::nullopt, std::nullopt},
        {"", std::nullopt, std::nullopt},
        {"nan", std::nullopt, std::nullopt},
        {"inf", std::nullopt, std::nullopt},
        {"1.2.3", std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NumberText::parse(NumberForm{".", ",", Grouping::AsTyped}, c.text), c.typed)
            << c.text;
        EXPECT_EQ(NumberText::parse(NumberForm{".", ",", Grouping::Thousands}, c.text), c.written)
            << c.text;
    }
}

TEST(NumberText, RegionalSeparators) {
    EXPECT_EQ(Locale("de_DE").parseNumber("1.250,5"), 1250.5);
    EXPECT_EQ(Locale("de_DE").parseNumber("1250.50"), 125050.0);  // "." groups there
    EXPECT_EQ(Locale("fr_FR").parseNumber("1 250,5"), 1250.5);    // typed with a plain space
    EXPECT_EQ(Locale("en_GB").parseNumber("1,250.5"), 1250.5);
}

TEST(NumberText, TooLargeIsInfinityAndTooSmallIsZero) {
    auto huge = NumberText::parse(NumberForm{}, "1e999");
    ASSERT_TRUE(huge);
    EXPECT_TRUE(std::isinf(*huge));
    EXPECT_EQ(NumberText::parse(NumberForm{}, "1e-999"), 0.0);
}

}  // namespace
}  // namespace bp::platform
