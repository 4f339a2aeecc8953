// Scales the user sets: steps as the defaults choose them, every refusal naming its field, and
// the zoom to a dragged rectangle widened to whole steps.
#include "tests/support/graph_fixture.h"

#include "graphs/userscales.h"

#include "engine/slots.h"

#include <gtest/gtest.h>

#include <cmath>

namespace corvane::graphs {
namespace {

namespace titration = engine::slot::titration;

TEST(UserScales, DefaultsOfATitrationAreWhatAjustaEscalasEtcGave) {
    // Strong acid with strong base, V_eq = 25 mL: x from 0 to 50; 50 lies high in its decade
    // (log 50 = 1.699), so DecadeStep gives 10 / 5 = 2 and the tick step is 4.
    auto g = test::SolveAndChoose(
        "50", 29, {{titration::C, 0.1}, {titration::V, 25}, {titration::Titrant, 0.1}});
    const PlotScales s = ScalesOf(g.settings);
    EXPECT_EQ(s.x, (AxisScale{0, 50, 4, 2}));
    EXPECT_EQ(s.y, (AxisScale{-1, 15, 1, 1}));
}

TEST(UserScales, AutoAxisTakesTwiceTheDecadeStep) {
    EXPECT_EQ(AutoAxis(0, 50), (AxisScale{0, 50, 4, 2}));
    // A span of 20 (log 20 = 1.301 just above 0.301): 10 / 10 = 1, doubled 2.
    EXPECT_EQ(AutoAxis(10, 30), (AxisScale{10, 30, 2, 2}));
    // A span of 0.3 (log 0.3 = -0.523, F = 0.477): 0.1 / 10, doubled 0.02.
    EXPECT_NEAR(AutoAxis(4, 4.3)->Step, 0.02, 1e-15);
    EXPECT_FALSE(AutoAxis(5, 5));
    EXPECT_FALSE(AutoAxis(6, 5));
}

TEST(UserScales, RefusalsNameTheField) {
    const PlotScales good{{0, 50, 4, 2}, {-1, 15, 1, 1}};
    EXPECT_FALSE(CheckScales(good, 29));

    struct Case {
        PlotScales scales;
        int kind;
        ScaleField field;
        const char* words;
    };
    const Case cases[] = {
        {{{50, 50, 4, 2}, {-1, 15, 1, 1}}, 29, ScaleField::XMax, "x maximum"},
        {{{0, 50, 0, 2}, {-1, 15, 1, 1}}, 29, ScaleField::XStep, "x tick step"},
        {{{0, 50, -1, 2}, {-1, 15, 1, 1}}, 29, ScaleField::XStep, "greater than 0"},
        {{{0, 50, 0.2, 2}, {-1, 15, 1, 1}}, 29, ScaleField::XStep, "200 ticks"},
        {{{0, 50, 4, 0}, {-1, 15, 1, 1}}, 29, ScaleField::XLabelEvery, "x label spacing"},
        {{{0, 50, 4, 2}, {15, -1, 1, 1}}, 29, ScaleField::YMax, "y maximum"},
        {{{0, 50, 4, 2}, {-1, 15, 0.05, 1}}, 29, ScaleField::YStep, "y tick step"},
        {{{0, 50, 4, 2}, {-1, 15, 1, -3}}, 29, ScaleField::YLabelEvery, "y label spacing"},
        {{{-1, 50, 4, 2}, {-1, 15, 1, 1}}, 29, ScaleField::XMin, "volume"},
        {{{-0.5, 1, 0.05, 2}, {-1, 15, 1, 1}}, 1, ScaleField::XMin, "concentration"},
        {{{-3, 15, 1, 1}, {-1, 15, 1, 1}}, 2, ScaleField::XMin, "100 mol/L"},
        {{{-91, 15, 1, 1}, {-1, 15, 1, 1}}, 8, ScaleField::XMin, "domain"},
        {{{std::nan(""), 15, 1, 1}, {-1, 15, 1, 1}}, 16, ScaleField::XMin, "finite"},
    };
    for (const Case& c : cases) {
        const std::optional<ScaleRefusal> r = CheckScales(c.scales, c.kind);
        ASSERT_TRUE(r) << c.words;
        EXPECT_EQ(r->field, c.field) << r->reason;
        EXPECT_NE(r->reason.find(c.words), std::string::npos) << r->reason;
        EXPECT_NE(r->reason.find(ScaleFieldName(c.field)), std::string::npos) << r->reason;
    }
}

TEST(UserScales, BordersOfTheChecksAreAccepted) {
    // Exactly 200 ticks, the lowest pC (100 mol/L), a pH axis anywhere, a volume from 0.
    EXPECT_FALSE(CheckScales({{0, 50, 0.25, 1}, {-1, 15, 1, 1}}, 29));
    EXPECT_FALSE(CheckScales({{-2, 15, 1, 1}, {-1, 15, 1, 1}}, 2));
    EXPECT_FALSE(CheckScales({{-5, 20, 1, 1}, {0, 1, 0.05, 2}}, 16));
    EXPECT_FALSE(CheckScales({{0, 1, 0.05, 2}, {-1, 15, 1, 1}}, 1));
}

TEST(UserScales, ZoomWidensToWholeSteps) {
    // x 12.3..27.9: span 15.6, log 1.193, step 10 / 20 · 2 = 1; y 3.1..10.2: span 7.1,
    // log 0.851, step 1 / 5 · 2 = 0.4.
    const std::optional<PlotScales> z = ZoomedScales(29, 27.9, 3.1, 12.3, 10.2);
    ASSERT_TRUE(z);
    EXPECT_EQ(z->x, (AxisScale{12, 28, 1, 2}));
    EXPECT_NEAR(z->y.Min, 2.8, 1e-12);
    EXPECT_NEAR(z->y.Max, 10.4, 1e-12);
    EXPECT_NEAR(z->y.Step, 0.4, 1e-15);
    EXPECT_FALSE(CheckScales(*z, 29));

    // A drag that starts left of the y axis keeps the volume at 0 or more.
    const std::optional<PlotScales> left = ZoomedScales(29, -0.3, 1, 4.4, 6);
    ASSERT_TRUE(left);
    EXPECT_EQ(left->x.Min, 0);
    EXPECT_FALSE(ZoomedScales(29, 5, 1, 5, 6));
    EXPECT_FALSE(ZoomedScales(29, 1, 6, 5, 6));
}

} // namespace
} // namespace corvane::graphs
