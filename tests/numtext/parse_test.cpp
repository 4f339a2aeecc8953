#include "engine/equilab.h"
#include "numtext/numbertext.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cmath>

using corvane::engine::IsEmpty;
using namespace corvane::numtext;

namespace {

struct ParseCase {
    const char* text;
    double value; // ignored when empty is true
    bool empty;
    bool error;
};

void PrintTo(const ParseCase& c, std::ostream* os) {
    *os << "\"" << c.text << "\"";
}

using Reader = double (*)(std::string_view, NumberSettings&, std::int16_t&);

void expectRead(Reader read, const ParseCase& c) {
    NumberSettings settings;
    std::int16_t calcError = 0;
    const double v = read(c.text, settings, calcError);
    EXPECT_EQ(calcError, c.error ? 1 : 0) << '"' << c.text << '"';
    if (c.empty)
        EXPECT_TRUE(IsEmpty(v)) << '"' << c.text << '"';
    else
        EXPECT_DOUBLE_EQ(v, c.value) << '"' << c.text << '"';
}

class ParseNumberTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseNumberTest, ReadsTheText) {
    expectRead(ParseNumber, GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseNumberTest,
    ::testing::Values(ParseCase{"", 0, true, false}, ParseCase{"   ", 0, true, false},
                      ParseCase{"0,25", 0.25, false, false}, ParseCase{"0.25", 0.25, false, false},
                      ParseCase{"1 000,5", 1000.5, false, false},
                      ParseCase{"1..5", 1.5, false, false}, ParseCase{"1....5", 1.5, false, false},
                      ParseCase{"1.....5", 1, false, false}, ParseCase{"5%", 0.05, false, false},
                      ParseCase{"%", 0, false, false}, ParseCase{"1/2%", 0.01, false, false},
                      ParseCase{"1/4", 0.25, false, false}, ParseCase{"3/1e2", 0.03, false, false},
                      ParseCase{"1/2/4", 0.5, false, false}, ParseCase{"/5", 0, false, false},
                      ParseCase{"1%/2", 0, true, true}, ParseCase{"1/0", 0, true, true},
                      ParseCase{"0/0", 0, true, true}, ParseCase{"1e400", 0, true, true},
                      ParseCase{"1e-3", 0.001, false, false}, ParseCase{"-2", -2, false, false},
                      ParseCase{"12abc", 12, false, false}, ParseCase{"abc", 0, false, false},
                      ParseCase{"+.5", 0.5, false, false}, ParseCase{"1e", 1, false, false},
                      ParseCase{"2E+3x", 2000, false, false}, ParseCase{"1.5.3", 1.5, false, false},
                      ParseCase{"-", 0, false, false}, ParseCase{"1e-400", 0, false, false},
                      ParseCase{"1e300/1e-300", 0, true, true},
                      ParseCase{"1,8E-5", 1.8e-5, false, false}));

struct SeparatorCase {
    const char* text;
    char before;
    char after;
};

void PrintTo(const SeparatorCase& c, std::ostream* os) {
    *os << c.text;
}

class SeparatorTest : public ::testing::TestWithParam<SeparatorCase> {};

TEST_P(SeparatorTest, FollowsWhatTheUserTyped) {
    NumberSettings settings{GetParam().before};
    std::int16_t calcError = 0;
    ParseNumber(GetParam().text, settings, calcError);
    EXPECT_EQ(settings.DecimalSeparator, GetParam().after) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Cases, SeparatorTest,
                         ::testing::Values(SeparatorCase{"0,25", '.', ','},
                                           SeparatorCase{"0.25", ',', '.'},
                                           SeparatorCase{"1.000,5", '.', ','},
                                           SeparatorCase{"25", ',', ','},
                                           SeparatorCase{"", '.', '.'},
                                           // Even unreadable text moves the separator.
                                           SeparatorCase{"1,5/0", '.', ','}));

// Text from the command line or a batch cell: a value is the whole text.
class ParseNumberTokenTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseNumberTokenTest, ReadsOnlyAWholeNumber) {
    expectRead(ParseNumberToken, GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Accepted, ParseNumberTokenTest,
    ::testing::Values(ParseCase{"", 0, true, false}, ParseCase{"  ", 0, true, false},
                      ParseCase{"0.1", 0.1, false, false}, ParseCase{" 0,25 ", 0.25, false, false},
                      ParseCase{"1 000,5", 1000.5, false, false},
                      ParseCase{"1.8e-5", 1.8e-5, false, false},
                      ParseCase{"-2E+3", -2000, false, false}, ParseCase{"+.5", 0.5, false, false},
                      ParseCase{"5%", 0.05, false, false}, ParseCase{"12.5 %", 0.125, false, false},
                      ParseCase{"1/4", 0.25, false, false}, ParseCase{"3/1e2", 0.03, false, false},
                      ParseCase{"1 / 8", 0.125, false, false}));

INSTANTIATE_TEST_SUITE_P(
    Refused, ParseNumberTokenTest,
    ::testing::Values(ParseCase{"1mM", 0, true, true}, ParseCase{"10^-4.76", 0, true, true},
                      ParseCase{"abc", 0, true, true}, ParseCase{"12abc", 0, true, true},
                      ParseCase{"1e", 0, true, true}, ParseCase{"1.5.3", 0, true, true},
                      ParseCase{"-", 0, true, true}, ParseCase{"%", 0, true, true},
                      ParseCase{"5%%", 0, true, true}, ParseCase{"1/2/4", 0, true, true},
                      ParseCase{"1/2%", 0, true, true}, ParseCase{"/5", 0, true, true},
                      ParseCase{"1/", 0, true, true}, ParseCase{"1/0", 0, true, true},
                      ParseCase{"1e400", 0, true, true}, ParseCase{"0x10", 0, true, true},
                      ParseCase{"1e5x", 0, true, true}));

TEST(ParseNumberToken, SwitchesTheSeparatorAsTheWindowDoes) {
    NumberSettings settings;
    std::int16_t calcError = 0;
    EXPECT_DOUBLE_EQ(ParseNumberToken("1,8E-5", settings, calcError), 1.8e-5);
    EXPECT_EQ(settings.DecimalSeparator, ',');
    EXPECT_EQ(calcError, 0);
}

TEST(ParseNumber, NeverClearsAPendingError) {
    NumberSettings settings;
    std::int16_t calcError = 1;
    EXPECT_EQ(ParseNumber("2", settings, calcError), 2);
    EXPECT_EQ(calcError, 1);
}

TEST(ParseNumber, ReadsAPointWhateverTheProgramLocale) {
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = old ? old : "C";
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) std::setlocale(LC_NUMERIC, "C");
    NumberSettings settings;
    std::int16_t calcError = 0;
    EXPECT_EQ(ParseNumber("0.5", settings, calcError), 0.5);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

} // namespace
