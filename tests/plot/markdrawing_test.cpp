// What the graph paints beyond its default drawing, checked on the pixels: the user's scales,
// the marked points of a titration and an indicator's shaded range; pictures for people to see.
#include "tests/support/graph_fixture.h"

#include "plot/markdrawing.h"
#include "plot/plot.h"

#include "markup/surface.h"

#include <QDir>

#include <gtest/gtest.h>

#include <cmath>

namespace corvane::plot {
namespace {

using namespace graphs;

using graphs::test::SolveAndChoose;
using markup::PictureSurface;

constexpr double Twips = PictureSurface::ScreenTwipsPerPixel;

QString outputPath(const QString& name) {
    const QString dir = QStringLiteral(CORVANE_TEST_OUTPUT_DIR) + QStringLiteral("/graphs");
    QDir().mkpath(dir);
    return dir + "/" + name;
}

// Pixels of nearly this colour in a square of `reach` pixels around a surface position.
int pixelsOf(const QImage& image, double x, double y, const QColor& colour, int reach) {
    int n = 0;
    const int cx = int(std::lround(x / Twips)), cy = int(std::lround(y / Twips));
    for (int px = cx - reach; px <= cx + reach; ++px)
        for (int py = cy - reach; py <= cy + reach; ++py) {
            if (px < 0 || py < 0 || px >= image.width() || py >= image.height()) continue;
            const QColor c = image.pixelColor(px, py);
            if (std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                    std::abs(c.blue() - colour.blue()) <
                40)
                ++n;
        }
    return n;
}

const std::vector<std::pair<int, double>> AceticAcid{{0, 0.1}, {1, 25}, {2, 1.8e-5}, {3, 0.1}};

TEST(UserScalesDrawing, SweepAndTableFollowTheUsersXRange) {
    auto g = SolveAndChoose("51", 29, AceticAcid);
    GraphPlot graph(g.settings, g.state);
    graph.scales = PlotScales{{20, 30, 1, 2}, {4, 12, 1, 1}};
    PictureSurface picture(1000, 700);
    const PlottedGraph drawn = graph.Dibujar(picture, true);
    ASSERT_TRUE(drawn.drawable);
    EXPECT_EQ(drawn.plot.XMin, 20);
    EXPECT_EQ(drawn.plot.YMax, 12);
    // 257 sweep points from 20 to 30; the table's first row is 20, then every fourth.
    ASSERT_EQ(drawn.values.curves.points.size(), 257u);
    EXPECT_EQ(drawn.values.curves.points.back().x, 30);
    EXPECT_EQ(drawn.values.table.Value[0][1], 20);
    EXPECT_NEAR(drawn.values.table.Value[0][2], 20 + 4 * 10.0 / 256, 1e-12);
    // The settings keep the defaults for "Default scales".
    EXPECT_EQ(g.settings.XMax, 50);
    picture.image().save(outputPath("scales-51-zoomed.png"));
}

TEST(MarksDrawing, SymbolsSitOnTheCurveAtTheMarks) {
    auto g = SolveAndChoose("51", 29, AceticAcid);
    GraphPlot graph(g.settings, g.state);
    graph.showMarks = true;
    PictureSurface picture(1000, 700);
    const PlottedGraph drawn = graph.Dibujar(picture, true);
    ASSERT_TRUE(drawn.drawable);
    ASSERT_EQ(drawn.values.marks.size(), 2u);
    const PlotState& p = drawn.plot;
    const QImage image = picture.image();
    const CurveMark& half = drawn.values.marks[0];
    const CurveMark& eq = drawn.values.marks[1];
    const double r = 0.25 * p.LineHeight;
    // The diamond's left corner and the square's corners in their colours.
    EXPECT_GT(pixelsOf(image, p.X(eq.x) - r, p.Y(eq.y), EquivalenceMarkColor, 1), 0);
    EXPECT_GT(pixelsOf(image, p.X(half.x) - r, p.Y(half.y) - r, HalfEquivalenceMarkColor, 1), 0);
    // The dashed drop line (thin, so softened) reaches down to the x axis: purple-tinted
    // pixels on about half of the rows below the curve (their softened ends on a few more).
    int dashes = 0, rows = 0;
    for (double y = p.Y(6.5); y < p.Y(p.YMin) - 2 * Twips; y += Twips, ++rows) {
        bool tinted = false;
        for (int dx = -1; dx <= 1; ++dx) {
            const QColor c = image.pixelColor(int(p.X(eq.x) / Twips) + dx, int(y / Twips));
            tinted = tinted || (c.blue() - c.green() > 30 && c.red() - c.green() > 20);
        }
        dashes += tinted;
    }
    EXPECT_GT(dashes, rows / 3);
    EXPECT_LT(dashes, rows * 9 / 10); // dashed, not solid
    picture.image().save(outputPath("marks-51.png"));

    // Off by default: the same graph without marks has none of their colour.
    GraphPlot plain(g.settings, g.state);
    PictureSurface plainPicture(1000, 700);
    EXPECT_TRUE(plain.Dibujar(plainPicture, true).values.marks.empty());
    EXPECT_EQ(pixelsOf(plainPicture.image(), p.X(eq.x) - r, p.Y(eq.y), EquivalenceMarkColor, 3), 0);
}

TEST(UserScalesDrawing, SurfacePositionsMapBackToProblemValues) {
    auto g = SolveAndChoose("51", 29, AceticAcid);
    GraphPlot graph(g.settings, g.state);
    graph.scales = PlotScales{{20, 30, 1, 2}, {4, 12, 1, 1}};
    PictureSurface picture(1000, 700);
    const PlottedGraph drawn = graph.Dibujar(picture, false);
    ASSERT_TRUE(drawn.drawable);
    const PlotState& p = drawn.plot;
    // The y axis is x = 20, the x axis y = 4; the plot's corners give back the range.
    EXPECT_NEAR(p.XValue(p.LeftMargin + 0.1 * p.SampleWidth), 20, 1e-12);
    EXPECT_NEAR(p.YValue(p.PlotHeight - 3 * p.LineHeight), 4, 1e-12);
    EXPECT_NEAR(p.XValue(p.PlotWidth - 0.51 * p.SampleWidth), 30, 1e-9);
    EXPECT_NEAR(p.YValue(3.5 * p.LineHeight), 12, 1e-9);
    for (double v : {21.3, 27.75})
        EXPECT_NEAR(p.XValue(p.X(v)), v, 1e-12);
}

TEST(MarksDrawing, LabelsCarryThePH) {
    EXPECT_EQ(MarkLabel({MarkKind::Equivalence, 25, 8.7236, 8.7236}, '.'), "EP  pH 8.724");
    EXPECT_EQ(MarkLabel({MarkKind::HalfEquivalence, 12.5, 4.7452, 4.7452}, ','), "½EP  pH 4,745");
}

TEST(IndicatorDrawing, TheTransitionRangeIsShadedUnderTheCurve) {
    auto g = SolveAndChoose("51", 29, AceticAcid);
    GraphPlot graph(g.settings, g.state);
    graph.showMarks = true;
    graph.indicator = FindIndicator("phenolphthalein");
    PictureSurface picture(1000, 700);
    const PlottedGraph drawn = graph.Dibujar(picture, true);
    ASSERT_TRUE(drawn.drawable);
    const PlotState& p = drawn.plot;
    const QImage image = picture.image();
    const Rgb s = graph.indicator->ranges[0].shade;
    const QColor shade(s.r, s.g, s.b);
    // Inside the range at a volume far from the curve, and not outside it.
    EXPECT_GT(pixelsOf(image, p.X(5.3), p.Y(9.1), shade, 0), 0);
    EXPECT_EQ(pixelsOf(image, p.X(5.3), p.Y(10.6), shade, 0), 0);
    EXPECT_EQ(pixelsOf(image, p.X(5.3), p.Y(7.5), shade, 0), 0);
    picture.image().save(outputPath("indicator-51-phenolphthalein.png"));

    // A slope graph has no pH axis and is not shaded.
    auto slope = SolveAndChoose("51", 33, AceticAcid);
    GraphPlot slopeGraph(slope.settings, slope.state);
    slopeGraph.indicator = graph.indicator;
    slopeGraph.showMarks = true;
    PictureSurface slopePicture(1000, 700);
    const PlottedGraph slopeDrawn = slopeGraph.Dibujar(slopePicture, true);
    ASSERT_TRUE(slopeDrawn.drawable);
    const PlotState& q = slopeDrawn.plot;
    for (double y = q.YMin; y < q.YMax; y += q.YRange / 50)
        EXPECT_EQ(pixelsOf(slopePicture.image(), q.X(5.3), q.Y(y), shade, 0), 0);
    slopePicture.image().save(outputPath("marks-51-slope.png"));
}

} // namespace
} // namespace corvane::plot
