// Regional settings and the conversions, for the two locales the program is tested under.

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "platform/Conversions.h"
#include "platform/Error.h"
#include "platform/Locale.h"

namespace bp::platform {
namespace {

using test::errorNumberOf;
using test::ScopedEnv;

class LocaleTest : public ::testing::Test {
protected:
    // Tests choose their locale explicitly; the machine's own must not leak in.
    ScopedEnv locale_{"BRINDLEPATH_LOCALE", "en_US"};
    Locale us_{"en_US"};
    Locale de_{"de_DE"};
};

TEST_F(LocaleTest, NameComesFromTheEnvironmentAtEveryCall) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows names the user's locale in its own settings, not in LANG";
#endif
    ScopedEnv own("BRINDLEPATH_LOCALE", std::nullopt);
    ScopedEnv all("LC_ALL", std::nullopt);
    ScopedEnv numeric("LC_NUMERIC", std::nullopt);
    {
        ScopedEnv lang("LANG", "de_DE.UTF-8");
        EXPECT_EQ(Locale::current().name(), "de_DE");
        EXPECT_EQ(GetLocaleString(kLocaleSDecimal), ",");
    }
    {
        ScopedEnv lang("LANG", "C");
        EXPECT_EQ(Locale::current().name(), "en_US");
    }
    {
        ScopedEnv lang("LANG", "de_DE.UTF-8");
        ScopedEnv allC("LC_ALL", "POSIX");
        EXPECT_EQ(Locale::current().name(), "en_US");
    }
    ScopedEnv lang("LANG", "en_US.UTF-8");
    ScopedEnv mine("BRINDLEPATH_LOCALE", "de_DE");
    EXPECT_EQ(Locale::current().name(), "de_DE");
    EXPECT_EQ(CDbl("1,5"), 1.5);
}

TEST_F(LocaleTest, UnknownNamesActAsUnitedStates) {
    EXPECT_EQ(Locale("xx_YY").name(), "en_US");
    EXPECT_EQ(Locale("").decimalSeparator(), ".");
}

// German short dates have leading zeros, except in Wine's copy of the Windows locale data.
bool leadingZeros() {
#ifdef _WIN32
    return !test::underWine();
#else
    return true;
#endif
}

const char* germanShortDate() {
    return leadingZeros() ? "dd.MM.yyyy" : "d.M.yyyy";
}

#ifdef _WIN32
TEST_F(LocaleTest, NameComesFromTheSystemUnlessTheProgramIsTold) {
    ScopedEnv own("BRINDLEPATH_LOCALE", std::nullopt);
    wchar_t system[LOCALE_NAME_MAX_LENGTH];
    int length = ::GetUserDefaultLocaleName(system, LOCALE_NAME_MAX_LENGTH);
    ASSERT_GT(length, 1);
    std::string expected;
    for (int i = 0; i < length - 1; ++i) {
        expected += system[i] == L'-' ? '_' : static_cast<char>(system[i]);
    }
    EXPECT_EQ(Locale::currentName(), expected);
    ScopedEnv mine("BRINDLEPATH_LOCALE", "de_DE");
    EXPECT_EQ(Locale::current().name(), "de_DE");
    EXPECT_EQ(CDbl("1,5"), 1.5);
}
#endif

TEST_F(LocaleTest, RegionalStringsByWindowsItemNumber) {
    struct Row {
        int item;
        const char* us;
        const char* de;
    };
    const Row rows[] = {
        {kLocaleSDecimal, ".", ","},
        {kLocaleSThousand, ",", "."},
        {kLocaleSList, ",", ";"},
        {kLocaleSShortDate, "M/d/yyyy", germanShortDate()},
        {kLocaleSDate, "/", "."},
        {kLocaleSTime, ":", ":"},
        {kLocaleSTimeFormat, "h:mm:ss tt", "HH:mm:ss"},
        {kLocaleSIso639LangName, "en", "de"},
        {kLocaleSIso3166CtryName, "US", "DE"},
        {9999, "", ""},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(us_.GetLocaleString(row.item), row.us) << "item " << row.item;
        EXPECT_EQ(de_.GetLocaleString(row.item), row.de) << "item " << row.item;
    }
}

TEST_F(LocaleTest, DatesAsTheHostWritesThem) {
    DateTime morning{2026, 3, 14, 9, 30, 0};
    DateTime evening{2026, 12, 1, 21, 5, 7};
    EXPECT_EQ(us_.formatDate(morning), "3/14/2026");
    EXPECT_EQ(de_.formatDate(morning), leadingZeros() ? "14.03.2026" : "14.3.2026");
    EXPECT_EQ(us_.formatDateTime(morning), "3/14/2026 9:30:00 AM");
    EXPECT_EQ(de_.formatDateTime(morning),
              leadingZeros() ? "14.03.2026 09:30:00" : "14.3.2026 09:30:00");
    EXPECT_EQ(us_.formatDateTime(evening), "12/1/2026 9:05:07 PM");
    EXPECT_EQ(de_.formatDateTime(evening),
              leadingZeros() ? "01.12.2026 21:05:07" : "1.12.2026 21:05:07");
    EXPECT_EQ(us_.formatDateTime({2026, 1, 2, 0, 15, 0}), "1/2/2026 12:15:00 AM");
    EXPECT_EQ(us_.formatDateValue({2026, 1, 2, 0, 0, 0}), "1/2/2026");
    EXPECT_EQ(us_.formatDateValue(morning), "3/14/2026 9:30:00 AM");
    EXPECT_EQ(formatYyyymmdd(morning), "20260314");
}

TEST_F(LocaleTest, DatesRoundTripThroughBothLocales) {
    const DateTime values[] = {{2026, 3, 14, 9, 30, 0},
                               {1999, 12, 31, 23, 59, 59},
                               {2024, 2, 29, 12, 0, 0},
                               {2026, 1, 5, 0, 0, 1}};
    for (const Locale* locale : {&us_, &de_}) {
        for (const DateTime& value : values) {
            EXPECT_EQ(CDate(locale->formatDateTime(value), *locale), value)
                << locale->formatDateTime(value);
            DateTime day{value.year, value.month, value.day};
            EXPECT_EQ(CDate(locale->formatDate(value), *locale), day) << locale->formatDate(value);
        }
    }
}

TEST_F(LocaleTest, DateTextsTheUserMayType) {
    struct Row {
        const Locale* locale;
        const char* text;
        DateTime expected;
    };
    const Row rows[] = {
        {&us_, "3/14/2026", {2026, 3, 14}},
        {&us_, " 03/14/26 ", {2026, 3, 14}},
        {&us_, "3/14/1985 4:05 pm", {1985, 3, 14, 16, 5, 0}},
        {&us_, "12/31/2026 12:00:00 AM", {2026, 12, 31, 0, 0, 0}},
        {&us_, "2026-03-14 09:30:00", {2026, 3, 14, 9, 30, 0}},
        {&us_, "March 14, 2026", {2026, 3, 14}},
        {&us_, "9:30:15", {1899, 12, 30, 9, 30, 15}},
        {&de_, "14.3.2026", {2026, 3, 14}},
        {&de_, "14.03.2026 17:45", {2026, 3, 14, 17, 45, 0}},
        {&de_, "14. März 2026", {2026, 3, 14}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(CDate(row.text, *row.locale), row.expected) << row.text;
    }
}

// Finnish separates the hours by a dot as it does the date's parts: what the host writes
// there must read back, not as a time of "2.5" and a stray rest.
TEST_F(LocaleTest, DatesReadWhereTheDateAndTheTimeShareTheirSeparator) {
    const Locale fi("fi_FI");
    ASSERT_EQ(fi.GetLocaleString(kLocaleSTime), fi.GetLocaleString(kLocaleSDate));
    const DateTime value{2026, 5, 2, 9, 30, 15};
    EXPECT_EQ(CDate(fi.formatDateTime(value), fi), value) << fi.formatDateTime(value);
    EXPECT_EQ(CDate("2.5.2026 0.00.00", fi), (DateTime{2026, 5, 2}));
    EXPECT_EQ(CDate("2.5.2026", fi), (DateTime{2026, 5, 2}));
    EXPECT_EQ(CDate("9.30.15", fi), (DateTime{1899, 12, 30, 9, 30, 15}));
    EXPECT_EQ(CDate("2.5.2026 9:30", fi), (DateTime{2026, 5, 2, 9, 30, 0}));
}

TEST_F(LocaleTest, TextThatIsNoDateIsATypeMismatch) {
    for (const char* text : {"", "   ", "hello", "2/30/2026", "13/1/2026", "3/14/2026 25:00",
                             "3/14/2026 13:00 PM", "1/2/3/4", "12:", "3/14/2026 x",
                             // past what a byte holds: no month or day wraps round to a real one
                             "520/5/2026", "3/260/2026", "3/14/99999"}) {
        EXPECT_EQ(errorNumberOf([&] { CDate(text, us_); }), kErrTypeMismatch) << text;
    }
    EXPECT_EQ(errorNumberOf([&] { CDate("3/14/2026", de_); }), kErrTypeMismatch);
}

TEST_F(LocaleTest, IntegersRoundHalvesToEven) {
    struct Row {
        const char* text;
        int expected;
    };
    const Row rows[] = {{"2.5", 2},    {"3.5", 4},      {"-2.5", -2},       {"-3.5", -4},
                        {"0.5", 0},    {"1.5", 2},      {"2.51", 3},        {"2.49", 2},
                        {" 42 ", 42},  {"1,234", 1234}, {"-32768", -32768}, {"32767", 32767},
                        {"1e3", 1000}, {"+7", 7}};
    for (const Row& row : rows) {
        EXPECT_EQ(CInt(row.text, us_), row.expected) << row.text;
        EXPECT_EQ(CLng(row.text, us_), row.expected) << row.text;
    }
    EXPECT_EQ(CInt("2,5", de_), 2);
    EXPECT_EQ(CInt("3,5", de_), 4);
}

TEST_F(LocaleTest, IntegersOutOfRangeOverflow) {
    EXPECT_EQ(errorNumberOf([&] { CInt("32768", us_); }), kErrOverflow);
    EXPECT_EQ(errorNumberOf([&] { CInt("-32769", us_); }), kErrOverflow);
    EXPECT_EQ(errorNumberOf([&] { CInt("32767.5", us_); }), kErrOverflow);
    EXPECT_EQ(CInt("32766.5", us_), 32766);
    EXPECT_EQ(CLng("32768", us_), 32768);
    EXPECT_EQ(CLng("-2147483648", us_), -2147483647 - 1);
    EXPECT_EQ(errorNumberOf([&] { CLng("2147483648", us_); }), kErrOverflow);
    EXPECT_EQ(errorNumberOf([&] { CLng("1e300", us_); }), kErrOverflow);
    EXPECT_EQ(errorNumberOf([&] { CDbl("1e400", us_); }), kErrOverflow);
    EXPECT_EQ(errorNumberOf([&] { CDbl("-" + std::string(400, '9'), us_); }), kErrOverflow);
    EXPECT_EQ(CDbl("1e-400", us_), 0.0);
    EXPECT_EQ(CDbl("0," + std::string(400, '0') + "1", de_), 0.0);
}

TEST_F(LocaleTest, TextThatIsNoNumberIsATypeMismatch) {
    for (const char* text : {"", " ", "abc", "12abc", "1.2.3", "--1", "1e", "e5", ".", "-"}) {
        EXPECT_EQ(errorNumberOf([&] { CInt(text, us_); }), kErrTypeMismatch) << text;
        EXPECT_EQ(errorNumberOf([&] { CLng(text, us_); }), kErrTypeMismatch) << text;
        EXPECT_EQ(errorNumberOf([&] { CDbl(text, us_); }), kErrTypeMismatch) << text;
    }
}

TEST_F(LocaleTest, DecimalsFollowTheLocale) {
    EXPECT_EQ(CDbl("1.234,5", de_), 1234.5);
    EXPECT_EQ(CDbl("1250,50", de_), 1250.5);
    EXPECT_EQ(CDbl("-0,25", de_), -0.25);
    // A point is a group separator to a German user, as it was to the Windows program.
    EXPECT_EQ(CDbl("1250.50", de_), 125050);
    EXPECT_EQ(CDbl("1,234.5", us_), 1234.5);
    EXPECT_EQ(CDbl("1250.50", us_), 1250.5);
    EXPECT_EQ(CDbl(".5", us_), 0.5);
    EXPECT_EQ(CDbl("2.5E-1", us_), 0.25);
    EXPECT_EQ(errorNumberOf([&] { CDbl("1,5,5", de_); }), kErrTypeMismatch);
}

TEST_F(LocaleTest, HostAmountsReadTheSameInEveryRegion) {
    for (const char* name : {"en_US", "de_DE", "fr_FR", "en_GB"}) {
        Locale region(name);
        EXPECT_EQ(CDblHost("1250.50", region), 1250.5) << name;
        EXPECT_EQ(CDblHost("-0.25", region), -0.25) << name;
        EXPECT_EQ(CDblHost("1000", region), 1000) << name;
        EXPECT_EQ(errorNumberOf([&] { CDblHost("12.5x", region); }), kErrTypeMismatch) << name;
    }
}

TEST_F(LocaleTest, BooleansFromTextOrNumber) {
    struct Row {
        const char* text;
        bool expected;
    };
    const Row rows[] = {{"-1", true},     {"0", false},   {"True", true},
                        {"FALSE", false}, {"true", true}, {" False ", false},
                        {"1", true},      {"0.0", false}, {"2.5", true}};
    for (const Row& row : rows) {
        EXPECT_EQ(CBool(row.text, us_), row.expected) << row.text;
    }
    EXPECT_TRUE(CBool("0,5", de_));
    for (const char* text : {"", "yes", "Truth", "on"}) {
        EXPECT_EQ(errorNumberOf([&] { CBool(text, us_); }), kErrTypeMismatch) << text;
    }
}

TEST_F(LocaleTest, ConversionErrorsCarryTheCallersLine) {
    int line = 0;
    try {
        line = __LINE__ + 1;
        CInt("x", us_);
    } catch (const Error& e) {
        EXPECT_EQ(e.line(), line);
    }
    EXPECT_NE(line, 0);
}

}  // namespace
}  // namespace bp::platform
