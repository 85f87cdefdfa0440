// Reading VARIANTs as the program's values and writing them back, in fixed forms that do not
// follow the user's regional settings.

#include "act/automation/VariantConvert.h"

#include <gtest/gtest.h>

#include <climits>

#include "platform/Error.h"

namespace bp::automation::test {
namespace {

VARIANT of(VARTYPE type) {
    VARIANT value;
    ::VariantInit(&value);
    value.vt = type;
    return value;
}

VARIANT ofI4(LONG number) {
    VARIANT value = of(VT_I4);
    value.lVal = number;
    return value;
}

VARIANT ofBool(VARIANT_BOOL flag) {
    VARIANT value = of(VT_BOOL);
    value.boolVal = flag;
    return value;
}

template <typename Read>
int errorNumberOf(Read read) {
    try {
        read();
    } catch (const Error& error) {
        return error.number();
    }
    return 0;
}

TEST(VariantConvert, TextRoundTripsThroughBstr) {
    for (const char* text : {"Zoë Ωmega", "", "plain", "日本語 😀"}) {
        const Variant value = fromText(text);
        EXPECT_EQ(value.type(), VT_BSTR) << text;
        EXPECT_EQ(toText(value.get()), text);
    }
}

TEST(VariantConvert, EmptyAndNullReadAsEmptyText) {
    EXPECT_EQ(toText(of(VT_EMPTY)), "");
    EXPECT_EQ(toText(of(VT_NULL)), "");
    VARIANT nullBstr = of(VT_BSTR);
    nullBstr.bstrVal = nullptr;
    EXPECT_EQ(toText(nullBstr), "");
}

TEST(VariantConvert, NumbersReadAsPlainDecimalText) {
    VARIANT i2 = of(VT_I2);
    i2.iVal = -1234;
    VARIANT ui4 = of(VT_UI4);
    ui4.ulVal = 4000000000u;
    VARIANT i8 = of(VT_I8);
    i8.llVal = -9000000000LL;
    VARIANT r8 = of(VT_R8);
    r8.dblVal = -1234.5;
    EXPECT_EQ(toText(ofI4(1234567)), "1234567");
    EXPECT_EQ(toText(i2), "-1234");
    EXPECT_EQ(toText(ui4), "4000000000");
    EXPECT_EQ(toText(i8), "-9000000000");
    EXPECT_EQ(toText(r8), "-1234.5");
}

TEST(VariantConvert, VisualBasicBooleans) {
    EXPECT_TRUE(toBool(ofBool(VARIANT_TRUE)));
    EXPECT_FALSE(toBool(ofBool(VARIANT_FALSE)));
    EXPECT_TRUE(toBool(ofBool(1)));
    EXPECT_TRUE(toBool(ofI4(5)));
    EXPECT_FALSE(toBool(of(VT_EMPTY)));
    EXPECT_EQ(toInt(ofBool(VARIANT_TRUE)), -1);
    EXPECT_EQ(fromBool(true).get().boolVal, VARIANT_TRUE);
    EXPECT_EQ(fromBool(true).get().boolVal, -1);
    EXPECT_EQ(fromBool(false).get().boolVal, 0);
    EXPECT_EQ(fromBool(false).type(), VT_BOOL);
}

TEST(VariantConvert, WholeNumbersAndDoubles) {
    EXPECT_EQ(toInt(ofI4(-42)), -42);
    EXPECT_EQ(toInt(of(VT_EMPTY)), 0);
    EXPECT_EQ(fromInt(77).type(), VT_I4);
    EXPECT_EQ(toInt(fromInt(77).get()), 77);
    EXPECT_EQ(fromDouble(0.25).type(), VT_R8);
    EXPECT_DOUBLE_EQ(toDouble(fromDouble(0.25).get()), 0.25);
    EXPECT_DOUBLE_EQ(toDouble(ofI4(3)), 3.0);
    VARIANT big = of(VT_I8);
    big.llVal = static_cast<LONGLONG>(INT_MAX) + 1;
    EXPECT_EQ(errorNumberOf([&] { toInt(big); }), kErrOverflow);
}

TEST(VariantConvert, OtherKindsAreTypeMismatches) {
    VARIANT date = of(VT_DATE);
    date.date = 45000.0;
    VARIANT object = of(VT_DISPATCH);
    object.pdispVal = nullptr;
    EXPECT_EQ(errorNumberOf([&] { toText(ofBool(VARIANT_TRUE)); }), kErrTypeMismatch);
    EXPECT_EQ(errorNumberOf([&] { toInt(fromText("12").get()); }), kErrTypeMismatch);
    EXPECT_EQ(errorNumberOf([&] { toBool(fromText("True").get()); }), kErrTypeMismatch);
    EXPECT_EQ(errorNumberOf([&] { toDouble(date); }), kErrTypeMismatch);
    EXPECT_EQ(errorNumberOf([&] { toInt(object); }), kErrTypeMismatch);
}

}  // namespace
}  // namespace bp::automation::test
