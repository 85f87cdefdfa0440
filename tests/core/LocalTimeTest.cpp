#include <gtest/gtest.h>

#include <ctime>

#include "core/DateTime.h"
#include "core/LocalTime.h"

namespace bp::core {
namespace {

// Whatever the machine's time zone, the local fields convert back to the same moment.
TEST(LocalTime, FieldsTurnBackIntoTheSameMoment) {
    for (std::time_t moment :
         {std::time_t{86400 * 365}, std::time_t{1700000000}, std::time(nullptr)}) {
        std::tm local = localTime(moment);
        EXPECT_GE(local.tm_year, 70) << moment;
        local.tm_isdst = -1;
        EXPECT_EQ(std::mktime(&local), moment) << moment;
    }
}

TEST(LocalTime, NowIsAValidDateOfThisCentury) {
    DateTime now = DateTime::now();
    EXPECT_TRUE(now.valid());
    EXPECT_GE(now.year, 2000);
    EXPECT_LT(now.year, 2100);
}

}  // namespace
}  // namespace bp::core
