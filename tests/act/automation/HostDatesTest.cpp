// Dates the host answers as automation dates reach the program as the embedded host writes
// them, so the program's regional date reading makes the same date of them: before 1900,
// with a time of day, and in other regional settings.

#include <gtest/gtest.h>

#include "FakeHostWorld.h"
#include "act/automation/AutomationHost.h"
#include "act/automation/VariantConvert.h"
#include "platform/Conversions.h"
#include "platform/Error.h"

namespace bp::automation::test {
namespace {

Variant dateValue(DATE value) {
    VARIANT date;
    ::VariantInit(&date);
    date.vt = VT_DATE;
    date.date = value;
    return Variant::copyOf(date);
}

struct DateCase {
    const char* name;
    DATE value;
    const char* locale;
    const char* text;  // null: as the regional settings write that date and time
    DateTime read;
};

const DateCase kCases[] = {
    {"morning", 46095.0 + 9.5 / 24, "en_US", "3/14/2026 9:30:00 AM", {2026, 3, 14, 9, 30, 0}},
    {"regional", 46095.0 + 9.5 / 24, "de_DE", nullptr, {2026, 3, 14, 9, 30, 0}},
    {"midnight", 46095.0, "en_US", "3/14/2026 12:00:00 AM", {2026, 3, 14, 0, 0, 0}},
    {"zero date", 0.0, "en_US", "12/30/1899 12:00:00 AM", {1899, 12, 30, 0, 0, 0}},
    {"day before zero with time", -1.25, "en_US", "12/29/1899 6:00:00 AM", {1899, 12, 29, 6, 0, 0}},
    {"a century before", -36522.5, "en_US", "1/1/1800 12:00:00 PM", {1800, 1, 1, 12, 0, 0}},
    {"leap day 1900 does not exist",
     60.0,
     "en_US",
     "2/28/1900 12:00:00 AM",
     {1900, 2, 28, 0, 0, 0}},
    {"rounds up to the next day",
     46095.0 + 0.9999999,
     "en_US",
     "3/15/2026 12:00:00 AM",
     {2026, 3, 15, 0, 0, 0}},
};

TEST(HostDatesTest, DatesReadAsTheHostWritesThemAndBackAsTheSameDate) {
    for (const DateCase& c : kCases) {
        SCOPED_TRACE(c.name);
        const platform::Locale locale(c.locale);
        const std::string text = toText(dateValue(c.value).get(), locale);
        EXPECT_EQ(text, c.text != nullptr ? c.text : locale.formatDateTime(c.read));
        EXPECT_EQ(platform::CDate(text, locale), c.read);
    }
}

TEST(HostDatesTest, SalesDatesThroughTheAdapterFilterByTheirDay) {
    FakeHostWorld world;
    AutomationHost host(world.factory(), platform::Locale("en_US"));
    auto sales = host.createDatabase()->Sales();
    world.salesFields[35] = dateValue(-36522.25);
    world.salesFields[31] = fromText("3/14/2026 9:30:00 AM");
    world.salesFields[3] = Variant();
    const platform::Locale locale("en_US");
    EXPECT_EQ(platform::formatYyyymmdd(platform::CDate(sales->Data(35), locale)), "18000101");
    // A date the host gives as text is the host's own text.
    EXPECT_EQ(sales->Data(31), "3/14/2026 9:30:00 AM");
    EXPECT_EQ(sales->Data(3), "");
}

TEST(HostDatesTest, ANullDateIsEmptyAndAnImpossibleOneIsAnOverflow) {
    VARIANT null;
    ::VariantInit(&null);
    null.vt = VT_NULL;
    EXPECT_EQ(toText(null, platform::Locale("en_US")), "");
    try {
        toText(dateValue(3.0e6).get(), platform::Locale("en_US"));
        ADD_FAILURE() << "a date after 9999 was read";
    } catch (const Error& error) {
        EXPECT_EQ(error.number(), kErrOverflow);
    }
}

}  // namespace
}  // namespace bp::automation::test
