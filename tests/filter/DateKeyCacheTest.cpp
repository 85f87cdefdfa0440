// Date keys: the "yyyymmdd" of each date text the host writes, whatever the time of day, with
// texts that are no dates refused every time they come.

#include "filter/DateKeyCache.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/Error.h"

namespace bp::filter {
namespace {

class DateKeyCacheTest : public ::testing::Test {
protected:
    platform::Locale us_{"en_US"};
    DateKeyCache cache_{us_};
};

TEST_F(DateKeyCacheTest, KeysIgnoreTheTimeOfDay) {
    EXPECT_EQ(cache_.key("3/14/2026 9:30:00 AM"), "20260314");
    EXPECT_EQ(cache_.key("3/14/2026"), "20260314");
    EXPECT_EQ(cache_.key("12/31/2025 11:59:59 PM"), "20251231");
    EXPECT_EQ(cache_.key("3/14/2026 9:30:00 AM"), "20260314");  // from the cache
}

TEST_F(DateKeyCacheTest, ATextThatIsNoDateIsRefusedEveryTime) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            cache_.key("next Tuesday");
            FAIL() << "no error on attempt " << attempt;
        } catch (const Error& error) {
            EXPECT_EQ(error.number(), 13);
        }
    }
    EXPECT_THROW(cache_.key(""), Error);
}

TEST_F(DateKeyCacheTest, ManyDistinctTextsKeepTheirOwnKeys) {
    // Three years of days at four times each: the table grows many times over.
    auto text = [](int month, int day, int year, int hour) {
        return std::to_string(month) + "/" + std::to_string(day) + "/" + std::to_string(year) +
               " " + std::to_string(hour) + ":15:00 PM";
    };
    auto expected = [](int month, int day, int year) {
        char key[16];
        std::snprintf(key, sizeof key, "%04d%02d%02d", year, month, day);
        return std::string(key);
    };
    for (int pass = 0; pass < 2; ++pass) {
        for (int year = 2024; year <= 2026; ++year) {
            for (int month = 1; month <= 12; ++month) {
                for (int day = 1; day <= 28; ++day) {
                    for (int hour = 1; hour <= 4; ++hour) {
                        ASSERT_EQ(cache_.key(text(month, day, year, hour)),
                                  expected(month, day, year));
                    }
                }
            }
        }
    }
}

TEST_F(DateKeyCacheTest, LongTextsAreConvertedToo) {
    std::string padded = std::string(60, ' ') + "3/14/2026 9:30:00 AM";
    EXPECT_EQ(cache_.key(padded), "20260314");
    EXPECT_EQ(cache_.key(padded), "20260314");
    EXPECT_THROW(cache_.key(std::string(60, 'x')), Error);
}

}  // namespace
}  // namespace bp::filter
