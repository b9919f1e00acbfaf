#include "engine/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace kestrix;

TEST(FormatFixed, RoundsHalvesAwayFromZero) {
    struct Case {
        long double v;
        int d;
        const char* text;
    };
    const Case cases[] = {
        {0.125L, 2, "0.13"},    {-0.125L, 2, "-0.13"},
        {2.5L, 0, "3"},         {-2.5L, 0, "-3"},
        {12.5L, 0, "13"},       {1165.2L, 0, "1165"},
        {299.07L, 0, "299"},    {0.0L, 3, "0.000"},
        {0.0004L, 3, "0.000"},  {0.0625L, 3, "0.063"},
        {-0.001L, 2, "0.00"},   {1234567.891L, 1, "1234567.9"},
        {4.0L, 2, "4.00"},      {1e20L, 0, "100000000000000000000"},
        {99.995L, 2, "100.00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatFixed(c.v, c.d), c.text) << double(c.v);
}

TEST(FormatFixed, ExtendedPrecisionDecidesHalves) {
    // 72.5 % as a double fraction lies a hair below 0.725: times 100 in
    // extended precision stays below the half.
    const double r = 72.5 * 0.01;
    EXPECT_EQ(FormatFixed(r * 100.0L, 0), "72");
    EXPECT_EQ(FormatFixed(static_cast<double>(r * 100.0), 0), "73");
}

TEST(FormatFixed, SpecialValues) {
    EXPECT_EQ(FormatFixed(std::numeric_limits<double>::quiet_NaN(), 2), "NAN");
    EXPECT_EQ(FormatFixed(std::numeric_limits<double>::infinity(), 2), "INF");
    EXPECT_EQ(FormatFixed(-std::numeric_limits<double>::infinity(), 0), "-INF");
}

TEST(FormatGeneral, FifteenSignificantDigits) {
    struct Case {
        double v;
        const char* text;
    };
    const Case cases[] = {
        {2400, "2400"},
        {1.0 / 3.0, "0.333333333333333"},
        {1000.0 / 3.0, "333.333333333333"},
        {0.0001, "0.0001"},
        {123456789012345.0, "123456789012345"},
        {1e15, "1E15"},
        {0.00001, "1E-5"},
        {1.5e-7, "1.5E-7"},
        {-2.5, "-2.5"},
        {0.0, "0"},
        {999999999999999.9, "1E15"},
        {3.14159265358979323846, "3.14159265358979"},
        {1e300, "1E300"},
        {-1.25e-10, "-1.25E-10"},
        {0.1 + 0.2, "0.3"},
        {1234567890123.125, "1234567890123.13"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatGeneral(c.v), c.text) << c.v;
    EXPECT_EQ(FormatGeneral(std::numeric_limits<double>::quiet_NaN()), "NAN");
    EXPECT_EQ(FormatGeneral(-std::numeric_limits<double>::infinity()), "-INF");
}

TEST(IsPlainNumber, RunOfDigitsAndPointsWithOuterBlanks) {
    for (const char* t : {"1200", " 1200 ", ".", "1.2.3", "  12", "0"})
        EXPECT_TRUE(IsPlainNumber(t)) << t;
    for (const char* t : {"1200*3", "1 200", "", "   ", "-1", "+5", "1e3", "1,000", "12a"})
        EXPECT_FALSE(IsPlainNumber(t)) << t;
}

TEST(ParseNumber, DecimalFormsOnly) {
    EXPECT_EQ(ParseNumber(" 1000 "), 1000.0);
    EXPECT_EQ(ParseNumber("-2.5"), -2.5);
    EXPECT_EQ(ParseNumber("+4"), 4.0);
    EXPECT_EQ(ParseNumber("1e1"), 10.0);
    EXPECT_EQ(ParseNumber(".5"), 0.5);
    EXPECT_EQ(ParseNumber("5."), 5.0);
    EXPECT_EQ(ParseNumber("1e-400"), 0.0);
    for (const char* t : {"", " ", "1.2.3", "abc", "1e", "0x10", "inf", "nan", "1e999", "1,5", "."})
        EXPECT_FALSE(ParseNumber(t).has_value()) << t;
}

// Read in extended precision, a decimal half such as 0.15 lies a hair above
// the half, as the design's conversion reads it; its nearest double lies below.
TEST(ParseNumberExtended, KeepsDecimalHalvesAboveTheirDoubles) {
    EXPECT_EQ(FormatFixed(*ParseNumberExtended("0.15"), 1), "0.2");
    EXPECT_EQ(FormatFixed(*ParseNumberExtended("0.85"), 1), "0.9");
    EXPECT_EQ(FormatFixed(*ParseNumberExtended("-0.15"), 1), "-0.2");
    EXPECT_EQ(FormatFixed(*ParseNumber("0.15"), 1), "0.1"); // the double's own reading
    EXPECT_EQ(ParseNumberExtended(" 1e1 "), 10.0L);
    EXPECT_EQ(FormatFixed(*ParseNumberExtended("1e-400"), 1), "0.0");
    for (const char* t : {"", "1.2.3", "abc", "1e", "1e999", "1,5"})
        EXPECT_FALSE(ParseNumberExtended(t).has_value()) << t;
}

TEST(ParseInteger, WholeNumbersWithinThirtyTwoBits) {
    EXPECT_EQ(ParseInteger("64"), 64);
    EXPECT_EQ(ParseInteger(" -3 "), -3);
    EXPECT_EQ(ParseInteger("007"), 7);
    for (const char* t : {"", "1.0", "a", "2147483648", "1e2", "+"})
        EXPECT_FALSE(ParseInteger(t).has_value()) << t;
}
