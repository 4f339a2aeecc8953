// Dibujar on a picture and on a printer page: the frame's geometry checked on the pixels, the
// curves inside the frame, and pictures of one graph per generator family for people to see.
#include "tests/support/graph_fixture.h"

#include "plot/plot.h"

#include "engine/slots.h"
#include "markup/renderer.h"
#include "markup/surface.h"

#include <QDir>
#include <QPrinter>

#include <gtest/gtest.h>

#include <cmath>

namespace corvane::graphs {
namespace {

namespace solution = engine::slot::solution;
namespace mixture = engine::slot::mixture;
namespace buffer = engine::slot::buffer;
namespace titration = engine::slot::titration;
namespace polyprotic = engine::slot::polyprotic_titration;

using markup::PictureSurface;
using test::SolveAndChoose;

QString outputDir() {
    const QString dir = QStringLiteral(CORVANE_TEST_OUTPUT_DIR) + QStringLiteral("/graphs");
    QDir().mkpath(dir);
    return dir;
}

// The smallest distance of a pixel within `reach` of (x, y) to a colour.
int nearestColour(const QImage& image, double x, double y, const QColor& colour, int reach = 1) {
    int best = 1000;
    for (int dx = -reach; dx <= reach; ++dx)
        for (int dy = -reach; dy <= reach; ++dy) {
            const int px = static_cast<int>(std::lround(x)) + dx;
            const int py = static_cast<int>(std::lround(y)) + dy;
            if (px < 0 || py < 0 || px >= image.width() || py >= image.height()) continue;
            const QColor c = image.pixelColor(px, py);
            best = std::min(best, std::abs(c.red() - colour.red()) +
                                      std::abs(c.green() - colour.green()) +
                                      std::abs(c.blue() - colour.blue()));
        }
    return best;
}

constexpr double Twips = PictureSurface::ScreenTwipsPerPixel;

TEST(Dibujar, FrameLiesWhereThePlotStateSays) {
    auto g = SolveAndChoose("10", 1, {{solution::C, 0.01}});
    GraphTable table;
    GraphPlot graph(g.settings, g.state, table);
    PictureSurface picture(1000, 700);
    ASSERT_TRUE(graph.Dibujar(picture, false));
    const PlotState& p = graph.plot();
    EXPECT_DOUBLE_EQ(p.PlotWidth, 15000);
    EXPECT_DOUBLE_EQ(p.PlotHeight, 10500);
    EXPECT_GT(p.LineHeight, 0);
    EXPECT_NEAR(p.YScale, (p.PlotHeight - 6.5 * p.LineHeight) / 9, 1e-9);
    // XMin on the y axis, XMax just inside the right end; YMax and YMin on the frame.
    EXPECT_NEAR(p.X(0), p.LeftMargin + 0.1 * p.SampleWidth, 1e-9);
    EXPECT_NEAR(p.X(1), p.PlotWidth - 0.51 * p.SampleWidth, 1e-6);
    EXPECT_NEAR(p.Y(8), 3.5 * p.LineHeight, 1e-6);
    EXPECT_NEAR(p.Y(-1), p.PlotHeight - 3 * p.LineHeight, 1e-9);

    const QImage image = picture.image();
    const PlotColors colors;
    const double midY = (p.Y(3.5)) / Twips;
    // Both axes in the axis colour, 3 pixels wide.
    EXPECT_LT(nearestColour(image, p.X(0) / Twips, midY, colors.AxisColor, 0), 10);
    EXPECT_LT(nearestColour(image, p.X(0.5) / Twips, p.Y(-1) / Twips, colors.AxisColor, 0), 10);
    // Grid lines at every tick (anti-aliased: at least half grey; white is 177 away), white
    // between them.
    for (int v = 0; v <= 8; ++v)
        EXPECT_LT(nearestColour(image, p.X(0.525) / Twips, p.Y(v) / Twips, colors.GridColor), 100)
            << "y tick " << v;
    for (int i = 1; i <= 20; ++i)
        EXPECT_LT(nearestColour(image, p.X(0.05 * i) / Twips, midY, colors.GridColor), 100)
            << "x tick " << i;
    EXPECT_EQ(image.pixelColor(static_cast<int>(p.X(0.025) / Twips), static_cast<int>(midY)),
              QColor(Qt::white));
    // Labels left of the y axis, none right of its labels' margin.
    const int labelRow = static_cast<int>(
        (p.PlotHeight - 3.5 * p.LineHeight - 4 * p.YScale + 0.5 * p.LineHeight) / Twips);
    bool ink = false;
    for (int x = 0; x < static_cast<int>(p.LeftMargin / Twips); ++x)
        ink = ink || image.pixelColor(x, labelRow) != QColor(Qt::white);
    EXPECT_TRUE(ink);
    EXPECT_EQ(table.RecordedRows, 0);
}

// Ink in a band of rows (or columns) of the picture, between two surface positions.
bool inkBetween(const QImage& image, double x0, double x1, double y0, double y1) {
    for (int y = std::max(0, int(y0 / Twips)); y <= std::min(image.height() - 1, int(y1 / Twips));
         ++y)
        for (int x = std::max(0, int(x0 / Twips));
             x <= std::min(image.width() - 1, int(x1 / Twips)); ++x)
            if (image.pixelColor(x, y) != QColor(Qt::white)) return true;
    return false;
}

TEST(Dibujar, EverySecondTickIsLabelled) {
    // Degree of dissociation: both axes 0 to 1 by 0.05, labels at 0, 0.1, ..., 1.
    auto g = SolveAndChoose("11", 11, {{solution::C, 0.1}, {solution::K, 1.8e-5}});
    GraphTable table;
    GraphPlot graph(g.settings, g.state, table);
    PictureSurface picture(1000, 700);
    ASSERT_TRUE(graph.Dibujar(picture, false));
    const PlotState& p = graph.plot();
    const QImage image = picture.image();
    const double quarter = 0.25 * p.LineHeight;
    for (int i = 0; i <= 20; ++i) {
        const double y = p.Y(0.05 * i);
        EXPECT_EQ(inkBetween(image, 0, p.LeftMargin - 30, y - quarter, y + quarter), i % 2 == 0)
            << "y tick " << i;
        const double x = p.X(0.05 * i);
        const double labelTop = p.PlotHeight - 2.7 * p.LineHeight;
        EXPECT_EQ(inkBetween(image, x - 2 * Twips, x + 2 * Twips, labelTop + quarter,
                             labelTop + 3 * quarter),
                  i % 2 == 0)
            << "x tick " << i;
    }
}

TEST(Dibujar, CurvesStayInsideTheFrameAndFillTheTable) {
    auto g = SolveAndChoose("50", 33,
                            {{titration::C, 0.1}, {titration::V, 25}, {titration::Titrant, 0.1}});
    GraphTable table;
    GraphPlot graph(g.settings, g.state, table);
    PictureSurface picture(1000, 700);
    ASSERT_TRUE(graph.Dibujar(picture, true));
    EXPECT_EQ(table.RecordedRows, 65);
    EXPECT_EQ(graph.curves().accepted, 257);
    const PlotState& p = graph.plot();
    const QImage image = picture.image();
    const QColor red = PlotColors{}.CurveColor[0];
    int inside = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if (nearestColour(image, x, y, red, 0) > 30) continue;
            const bool within = x >= p.X(p.XMin) / Twips - 2 && x <= p.X(p.XMax) / Twips + 2 &&
                                y >= p.Y(p.YMax) / Twips - 2 && y <= p.Y(p.YMin) / Twips + 2;
            EXPECT_TRUE(within) << x << "," << y;
            if (!within) return;
            ++inside;
        }
    EXPECT_GT(inside, 100);
}

// A picture that also keeps the colour of every line and the place of every text drawn on it.
class RecordingPicture : public PictureSurface {
public:
    using PictureSurface::PictureSurface;
    struct Text {
        double x, baseline;
        QString text;
    };
    std::vector<Text> texts;

protected:
    void paintText(double x, double baseline, const QString& text) override {
        texts.push_back({x, baseline, text});
        PictureSurface::paintText(x, baseline, text);
    }

public:
    void drawLine(double x1, double y1, double x2, double y2, const QColor& color) override {
        lines.push_back({x1, x2, color});
        PictureSurface::drawLine(x1, y1, x2, y2, color);
    }
    struct Line {
        double x1, x2;
        QColor color;
    };
    std::vector<Line> lines;
};

TEST(DrawCurves, FractionsFromTheHighestDownAndBrokenAtARejectedPoint) {
    PlotState plot;
    plot.XMax = plot.YMax = plot.XRange = plot.YRange = 1;
    plot.XScale = plot.YScale = 1000;
    Curves curves;
    curves.count = 3;
    curves.fractions = true;
    curves.points = {{0.0, {1, 0, 0}, true},
                     {0.25, {0.5, 0.5, 0}, true},
                     {0.5, {}, false},
                     {0.75, {0, 0.5, 0.5}, true},
                     {1.0, {0, 0, 1}, true}};
    RecordingPicture picture(100, 100);
    const PlotColors colors;
    DrawCurves(picture, plot, curves, colors);
    // Two segments (0 to 0.25 and 0.75 to 1), each drawn as curves 2, 1, 0.
    ASSERT_EQ(picture.lines.size(), 6u);
    for (int segment = 0; segment < 2; ++segment)
        for (int k = 0; k < 3; ++k) {
            const auto& line = picture.lines[3 * segment + k];
            EXPECT_EQ(line.color, colors.CurveColor[2 - k]);
            EXPECT_DOUBLE_EQ(line.x1, plot.X(segment == 0 ? 0.0 : 0.75));
            EXPECT_DOUBLE_EQ(line.x2, plot.X(segment == 0 ? 0.25 : 1.0));
        }
}

// Where the first title line starts, in pixels, and how wide it is in surface units.
std::pair<double, double> titleStartAndWidth(const GraphSettings& settings, int widthPixels) {
    const auto g = SolveAndChoose("10", 1, {{solution::C, 0.01}});
    GraphTable table;
    GraphPlot graph(settings, g.state, table);
    RecordingPicture picture(widthPixels, 400);
    EXPECT_TRUE(graph.Dibujar(picture, false));
    markup::MeasuringSurface measuring(picture);
    measuring.setBold(true);
    markup::DrawMarkup(QString::fromStdString(settings.GraphTitle), measuring);
    return {picture.texts.at(0).x, measuring.currentX()};
}

TEST(Dibujar, TitleIsCentredOrStartsAtTheLeftWhenTooWide) {
    auto g = SolveAndChoose("10", 1, {{solution::C, 0.01}});
    const auto [x, width] = titleStartAndWidth(g.settings, 1000);
    RecordingPicture probe(1000, 400);
    const double sample = probe.textWidth("R2D2X");
    EXPECT_NEAR(x * Twips, (1000 * Twips - width + sample) / 2, 1.0);
    g.settings.GraphTitle = std::string(120, 'W');
    EXPECT_EQ(titleStartAndWidth(g.settings, 300).first, 0.0);
}

TEST(Dibujar, EmptyOrReversedRangeDrawsNothing) {
    auto g = SolveAndChoose("10", 1, {{solution::C, 0.01}});
    GraphTable table;
    table.Value[0][1] = 5;
    table.RecordedRows = 1;
    for (auto change :
         {+[](GraphSettings& s) { s.XMax = s.XMin; },
          +[](GraphSettings& s) { s.YMax = s.YMin - 1; }, +[](GraphSettings& s) { s.YStep = 0; }}) {
        GraphSettings settings = g.settings;
        change(settings);
        GraphPlot graph(settings, g.state, table);
        PictureSurface picture(400, 300);
        EXPECT_FALSE(graph.Dibujar(picture, true));
        const QImage image = picture.image();
        for (int y = 0; y < image.height(); y += 7)
            for (int x = 0; x < image.width(); x += 7)
                ASSERT_EQ(image.pixelColor(x, y), QColor(Qt::white));
        EXPECT_EQ(table.RecordedRows, 0);
        EXPECT_EQ(table.Value[0][1], 0);
    }
}

TEST(Dibujar, PrinterPageSweepsDenserWithMillimetrePensAndRecordsNothing) {
    auto g = SolveAndChoose("55", 29,
                            {{polyprotic::Ca, 0.1},
                             {polyprotic::Va, 25},
                             {polyprotic::K1, 7.5e-3},
                             {polyprotic::K2, 6.2e-8},
                             {polyprotic::K3, 4.8e-13},
                             {polyprotic::Titrant, 0.1}});
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(outputDir() + "/print-55-kind29.pdf");
    GraphTable table;
    GraphPlot graph(g.settings, g.state, table);
    {
        markup::PrinterSurface page(printer);
        ASSERT_TRUE(page.isActive());
        ASSERT_TRUE(graph.Dibujar(page, true));
    }
    EXPECT_EQ(graph.plot().SweepDensity, 4);
    EXPECT_EQ(graph.curves().points.size(), 1025u);
    EXPECT_EQ(table.RecordedRows, 0);
    // 0.3 mm at the printer's resolution.
    EXPECT_EQ(graph.plot().PenWidth,
              std::max(3, static_cast<int>(std::lround(0.3 / 25.4 * printer.resolution()))));
}

struct Picture {
    const char* file;
    const char* code;
    int kind;
    std::vector<std::pair<int, double>> given;
    std::vector<std::pair<int, double>> extra;
};

TEST(Dibujar, PicturesOfEachFamilyForPeopleToLookAt) {
    const Picture pictures[] = {
        {"ph-pca-11.png", "11", 2, {{solution::C, 0.1}, {solution::K, 1.8e-5}}, {}},
        {"alpha-ca-11.png", "11", 11, {{solution::C, 0.1}, {solution::K, 1.8e-5}}, {}},
        {"fractions-13.png",
         "13",
         22,
         {{solution::C, 0.1},
          {solution::K, 7.5e-3},
          {solution::K2, 6.2e-8},
          {solution::K3, 4.8e-13}},
         {}},
        {"mixture-cb-34.png",
         "34",
         3,
         {{mixture::Ca, 0.1}, {mixture::Cb, 0.1}, {mixture::Ka, 4.3e-7}, {mixture::Kb, 5.6e-11}},
         {}},
        {"buffer-dilution-42.png",
         "42",
         27,
         {{buffer::C, 0.1}, {buffer::CS, 0.1}, {buffer::K, 1.8e-5}, {buffer::Added, 0.01}},
         {{buffer::Volume, 100}, {buffer::AddedConcentration, 0.1}}},
        {"titration-55.png",
         "55",
         29,
         {{polyprotic::Ca, 0.1},
          {polyprotic::Va, 25},
          {polyprotic::K1, 7.5e-3},
          {polyprotic::K2, 6.2e-8},
          {polyprotic::K3, 4.8e-13},
          {polyprotic::Titrant, 0.1}},
         {}},
        {"slope-50.png",
         "50",
         33,
         {{titration::C, 0.1}, {titration::V, 25}, {titration::Titrant, 0.1}},
         {}},
    };
    for (const Picture& pic : pictures) {
        auto g = SolveAndChoose(pic.code, pic.kind, pic.given, pic.extra);
        GraphTable table;
        GraphPlot graph(g.settings, g.state, table);
        PictureSurface picture(1000, 700);
        ASSERT_TRUE(graph.Dibujar(picture, true)) << pic.file;
        EXPECT_GT(table.RecordedRows, 10) << pic.file;
        EXPECT_TRUE(picture.image().save(outputDir() + "/" + pic.file)) << pic.file;
    }
}

} // namespace
} // namespace corvane::graphs
