#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/platform/NumberFormat.h"

namespace ondrel {
namespace {

struct FormatCase {
    const char* pattern;
    double value;
    const char* expected;
};

TEST(NumberFormat, PatternsWidenExponentsAndPad) {
    const FormatCase cases[] = {
        {"%e", 1.0, "1.000000e+000"},
        {"%.3e", 1.0, "1.000e+000"},
        {"%.3e", -0.25, "-2.500e-001"},
        {"%.3e", 1e100, "1.000e+100"},
        {"%.3e", 1e-300, "1.000e-300"},
        {"%09.03e", 1.5, "1.500e+000"},
        {"%09.0e", 1.5, "0002e+000"},
        {"%09.0e", -1.5, "-002e+000"},
        {"%-10.1e", 2.0, "2.0e+000  "},
        {"%+.2e", 3.0, "+3.00e+000"},
        {"%15.3g", 0.1, "            0.1"},
        {"%15.3g", 12345.0, "      1.23e+004"},
        {"%.3f", 2.0, "2.000"},
        {"%G", 1e-10, "1E-010"},
        {"t = %.1f s", 2.25, "t = 2.2 s"},
        {"%e", std::numeric_limits<double>::infinity(), "inf"},
        {"%.3e", 0.0, "0.000e+000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatNumber(c.pattern, c.value), c.expected) << c.pattern << " of " << c.value;
}

TEST(NumberFormat, SignificantDigitsChooseTheShorterForm) {
    const FormatCase cases[] = {
        {"6", 0.1, "0.1"},         {"6", 1.0, "1"},           {"6", 1e-5, "1e-005"},
        {"6", 123456.0, "123456"}, {"6", 1234567.0, "1.23457e+006"},
        {"6", 0.30000000000000004, "0.3"},                     {"5", -2.5, "-2.5"},
        {"6", 1e21, "1e+021"},     {"6", 0.0001, "0.0001"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatSignificant(c.value, std::atoi(c.pattern)), c.expected) << c.value;
    EXPECT_EQ(FormatE(1.0), "1.000000e+000");
}

TEST(NumberFormat, DecimalConversionStopsAtFirstUnusableCharacter) {
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {
        {"1.5", 1.5},      {"  \t-2.5e3xyz", -2500.0}, {"abc", 0.0},   {"", 0.0},
        {".5", 0.5},       {"5.", 5.0},                {"1e", 1.0},    {"1e+", 1.0},
        {"+7", 7.0},       {"-", 0.0},                 {".", 0.0},     {"3,5", 3.0},
        {"1e400", HUGE_VAL}, {"-1e400", -HUGE_VAL},    {"1e-400", 0.0}, {"0x10", 0.0},
        {"inf", 0.0},      {"nan", 0.0},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseDecimal(c.text), c.value) << '"' << c.text << '"';
}

TEST(NumberFormat, StrictParsingRejectsTrailingText) {
    double d = -1;
    EXPECT_TRUE(ParseDecimalStrict(" 2.5 ", d));
    EXPECT_EQ(d, 2.5);
    EXPECT_FALSE(ParseDecimalStrict("2.5x", d));
    EXPECT_FALSE(ParseDecimalStrict("", d));
    int i = -1;
    EXPECT_TRUE(ParseIntegerStrict(" -42 ", i));
    EXPECT_EQ(i, -42);
    EXPECT_TRUE(ParseIntegerStrict("+7", i));
    EXPECT_EQ(i, 7);
    EXPECT_FALSE(ParseIntegerStrict("4.2", i));
    EXPECT_FALSE(ParseIntegerStrict("99999999999", i));
    EXPECT_FALSE(ParseIntegerStrict("", i));
}

}  // namespace
}  // namespace ondrel
