#include "fit/measured.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace {

using corvane::fit::MeasuredData;
using corvane::fit::MeasuredPoint;
using corvane::fit::ReadMeasuredData;

MeasuredData read(const std::string& text) {
    std::istringstream in(text);
    return ReadMeasuredData(in);
}

void expectPoints(const MeasuredData& data, const std::vector<MeasuredPoint>& expected) {
    ASSERT_TRUE(data.ok()) << data.error;
    ASSERT_EQ(data.points.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_DOUBLE_EQ(data.points[i].x, expected[i].x) << "point " << i;
        EXPECT_DOUBLE_EQ(data.points[i].y, expected[i].y) << "point " << i;
    }
}

TEST(MeasuredData, ReadsEverySeparatorWithAndWithoutHeader) {
    const std::vector<MeasuredPoint> expected{{0, 2.88}, {12.5, 4.75}, {25.05, 8.7}};
    expectPoints(read("V,pH\n0,2.88\n12.5,4.75\n25.05,8.7\n"), expected);
    expectPoints(read("0;2,88\n12,5;4,75\n25,05;8,7\n"), expected);
    expectPoints(read("\"V (mL)\"\t\"pH\"\r\n0\t2,88\r\n12.5\t4.75\r\n25,05\t8.7\r\n"), expected);
    expectPoints(read("  0   2.88\n12.5 4.75  \n\n# a note\n 25.05   +8.7\n"), expected);
    expectPoints(read("volume;pH\n0;2.88\n12.5;4.75\n2.505e1;8.7\n"), expected);
}

TEST(MeasuredData, RefusesABadLineWithItsNumber) {
    struct Case {
        const char* text;
        const char* error;
    };
    for (const Case& c : {
             Case{"0,1\n1,2,3\n", "line 2: expected two numbers (x and y), found 3 fields"},
             Case{"V pH\n0 1\n\n1 x2\n", "line 4: \"x2\" is not a number"},
             Case{"0;1\nV;pH\n", "line 2: \"V\" is not a number"},
             Case{"0,1\n1,inf\n", "line 2: the numbers must be finite"},
             Case{"0;1\nnan;2\n", "line 2: the numbers must be finite"},
             Case{"0 1\n-0.5 2\n", "line 2: x (the volume) is below 0"},
             Case{"1,2\n3\n", "line 2: expected two numbers (x and y), found 1 fields"},
             Case{"\"0,1\n", "line 1: a quote is left open"},
             Case{"0,1\n1.5.2,3\n", "line 2: \"1.5.2\" is not a number"},
             Case{"1,x\n2,3\n", "line 1: \"x\" is not a number"},
             Case{"V,pH,T\n1,2,3\n", "line 2: expected two numbers (x and y), found 3 fields"},
         }) {
        const MeasuredData data = read(c.text);
        EXPECT_EQ(data.error, c.error) << c.text;
        EXPECT_TRUE(data.points.empty()) << c.text;
    }
}

TEST(MeasuredData, AnEmptyInputSaysSo) {
    for (const char* text : {"", "\n  \n", "V,pH\n", "# only a note\n"})
        EXPECT_EQ(read(text).error, "the file holds no data points") << text;
}

TEST(MeasuredData, AMissingFileIsNamed) {
    const MeasuredData data = corvane::fit::ReadMeasuredFile("/nonexistent/titration.csv");
    EXPECT_EQ(data.error, "cannot read \"/nonexistent/titration.csv\"");
}

TEST(MeasuredData, ResidualRmsByHand) {
    // Residuals 0.3, −0.4, 0 against y = x: √((0.09 + 0.16 + 0) / 3).
    const std::vector<MeasuredPoint> points{{1, 1.3}, {2, 1.6}, {3, 3}};
    EXPECT_NEAR(corvane::fit::ResidualRms(points, [](double x) { return x; }), std::sqrt(0.25 / 3),
                1e-15);
    EXPECT_TRUE(std::isnan(
        corvane::fit::ResidualRms(points, [](double x) { return x < 2.5 ? x : std::nan(""); })));
    EXPECT_TRUE(std::isnan(corvane::fit::ResidualRms({}, [](double x) { return x; })));
}

} // namespace
