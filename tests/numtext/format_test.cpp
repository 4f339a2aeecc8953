#include "numtext/numbertext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

using namespace corvane::numtext;

namespace {

struct FormatCase {
    double x;
    int digits;
    char separator;
    const char* plain;
    const char* markup;
};

void PrintTo(const FormatCase& c, std::ostream* os) {
    *os << c.x;
}

class FormatTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatTest, WritesBothForms) {
    const FormatCase c = GetParam();
    std::int16_t calcError = 0;
    EXPECT_EQ(FormatNumber(c.x, c.digits, c.separator, calcError), c.plain) << c.x;
    EXPECT_EQ(FormatNumberMarkup(c.x, c.digits, c.separator, calcError), c.markup) << c.x;
    EXPECT_EQ(calcError, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, FormatTest,
    ::testing::Values(
        FormatCase{0, 4, '.', "0", "0"}, FormatCase{0.000123456, 4, '.', "1.235E-4", "1.235&E-4"},
        FormatCase{0.0123456, 4, '.', "0.01235", "0.01235"},
        FormatCase{123.456, 4, '.', "123.5", "123.5"}, FormatCase{2.5, 4, '.', "2.5", "2.5"},
        FormatCase{7, 4, '.', "7", "7"}, FormatCase{-2, 4, '.', "-2", "-2"},
        FormatCase{0.5, 4, '.', "0.5", "0.5"}, FormatCase{99999.6, 4, '.', "100000", "100000"},
        FormatCase{123456, 4, '.', "1.235E5", "1.235&E5"},
        FormatCase{0.002, 4, '.', "2E-3", "2.00&E-3"},
        FormatCase{-0.000456, 4, '.', "-4.56E-4", "-4.56&E-4"},
        FormatCase{1.5E12, 4, '.', "1.5E12", "1.50&E12"},
        FormatCase{6.02E23, 4, '.', "6.02E23", "6.02&E23"},
        FormatCase{9.99996E-5, 4, '.', "1E-4", "1.00&E-4"},
        FormatCase{0.00999999, 4, '.', "1E-2", "1.00&E-2"},
        FormatCase{1E-14, 4, '.', "1E-14", "1.00&E-14"},
        FormatCase{0.000123456, 6, '.', "1.23456E-4", "1.23456&E-4"},
        FormatCase{1.0 / 3.0, 12, '.', "0.333333333333", "0.333333333333"},
        FormatCase{123.456, 4, ',', "123,5", "123,5"},
        FormatCase{0.000123456, 4, ',', "1,235E-4", "1,235&E-4"},
        FormatCase{0.01, 4, '.', "0.01", "0.01"}, FormatCase{100000, 4, '.', "1E5", "1.00&E5"},
        FormatCase{2.87528, 4, '.', "2.875", "2.875"},
        FormatCase{1.33267e-3, 12, '.', "1.33267E-3", "1.3326700000&E-3"},
        FormatCase{-9.99996E-5, 4, '.', "-1E-4", "-1.00&E-4"}));

// Exact powers of ten whose logarithm lands just below the integer, and mantissas rounded up
// to 10, are written with a mantissa from 1 to below 10 whatever their sign.
INSTANTIATE_TEST_SUITE_P(PowersOfTen, FormatTest,
                         ::testing::Values(FormatCase{1e6, 4, '.', "1E6", "1.00&E6"},
                                           FormatCase{-1e6, 4, '.', "-1E6", "-1.00&E6"},
                                           FormatCase{1e9, 4, '.', "1E9", "1.00&E9"},
                                           FormatCase{-1e9, 4, '.', "-1E9", "-1.00&E9"},
                                           FormatCase{1e-6, 4, '.', "1E-6", "1.00&E-6"},
                                           FormatCase{-1e-6, 4, '.', "-1E-6", "-1.00&E-6"},
                                           FormatCase{1e21, 4, '.', "1E21", "1.00&E21"},
                                           FormatCase{-1e21, 4, '.', "-1E21", "-1.00&E21"},
                                           FormatCase{-1e6, 12, ',', "-1E6", "-1,0000000000&E6"},
                                           FormatCase{1e-6, 12, '.', "1E-6", "1.0000000000&E-6"},
                                           FormatCase{-1e21, 6, '.', "-1E21", "-1.0000&E21"},
                                           FormatCase{-9.99996E8, 4, ',', "-1E9", "-1,00&E9"},
                                           FormatCase{-0.00999999, 4, '.', "-1E-2", "-1.00&E-2"}));

TEST(FormatNumber, EveryPowerOfTenHasTheMantissaOne) {
    std::int16_t calcError = 0;
    for (int digits = 4; digits <= 12; ++digits) {
        for (int p = -307; p <= 307; ++p) {
            if (p >= -2 && p <= 4) continue; // fixed notation
            const std::string exponent = std::to_string(p);
            const double x = std::pow(10.0, p);
            EXPECT_EQ(FormatNumber(x, digits, '.', calcError), std::string("1E").append(exponent))
                << x;
            EXPECT_EQ(FormatNumber(-x, digits, '.', calcError), std::string("-1E").append(exponent))
                << -x;
            const std::string markup = FormatNumberMarkup(-x, digits, '.', calcError);
            EXPECT_TRUE(markup.starts_with("-1.0") &&
                        markup.ends_with(std::string("&E").append(exponent)))
                << -x << " gives " << markup;
        }
    }
}

TEST(FormatNumber, ClearsAPendingErrorForANonZeroNumber) {
    std::int16_t calcError = 1;
    FormatNumber(0.5, 4, '.', calcError);
    EXPECT_EQ(calcError, 0);
    calcError = 1;
    FormatNumber(0, 4, '.', calcError);
    EXPECT_EQ(calcError, 1) << "zero is written without rounding";
}

TEST(RoundToDigits, RoundsHalfUpAndReportsOverflow) {
    std::int16_t calcError = 1;
    EXPECT_DOUBLE_EQ(RoundToDigits(0.000123456, -4 - 4, calcError), 1.235e-4);
    EXPECT_EQ(calcError, 0);
    EXPECT_DOUBLE_EQ(RoundToDigits(2.5, -1, calcError), 3);
    EXPECT_EQ(RoundToDigits(1e300, -400, calcError), 0);
    EXPECT_EQ(calcError, 1);
}

struct MarkupCase {
    double v;
    const char* text;
};

void PrintTo(const MarkupCase& c, std::ostream* os) {
    *os << c.v;
}

class NumberMarkupTextTest : public ::testing::TestWithParam<MarkupCase> {};

TEST_P(NumberMarkupTextTest, WritesFifteenDigitsWithMarks) {
    EXPECT_EQ(NumberMarkupText(GetParam().v), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Cases, NumberMarkupTextTest,
                         ::testing::Values(MarkupCase{1.5e-7, "1&.5&E-7"},
                                           MarkupCase{1e15, "1&E+15"}, MarkupCase{0.5, "0&.5"},
                                           MarkupCase{-2.25, "-2&.25"},
                                           MarkupCase{1.0 / 3.0, "0&.333333333333333"},
                                           MarkupCase{123456789012345, "123456789012345"},
                                           MarkupCase{1e-100, "1&E-100"},
                                           MarkupCase{0.0001, "0&.0001"}));

} // namespace
