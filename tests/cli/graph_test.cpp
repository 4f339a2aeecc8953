#include "run_cli.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

using namespace corvane::cli;
using namespace corvane::cli::test;

namespace {

const std::vector<std::string> StrongTitration{"C_a=0.1", "V_a=25", "C_SB=0.1"};

std::vector<std::string> graph(const std::vector<std::string>& head,
                               const std::vector<std::string>& values = StrongTitration) {
    return graphCommand(head, values);
}

QString outputPath(const char* name) {
    const QString dir = QStringLiteral(CORVANE_TEST_OUTPUT_DIR) + QStringLiteral("/cli");
    QDir().mkpath(dir);
    return dir + "/" + name;
}

TEST(Graph, TitrationCurveRowsAsText) {
    const Outcome r = run(graph({"50", "29"}));
    ASSERT_EQ(r.status, ExitOk) << r.err;
    const std::vector<std::string> out = lines(r.out);
    ASSERT_EQ(out.size(), 66u);
    EXPECT_EQ(out[0], "VSB (mL)\tpH");
    EXPECT_EQ(out[1], "0\t1");
    EXPECT_EQ(out[33], "25\t7"); // every fourth of 50/256 mL: row 33 is 25 mL
    EXPECT_EQ(out[65], "50\t12.52");
    EXPECT_EQ(r.err, "");
}

TEST(Graph, MolarFractionsAsJson) {
    const Outcome r =
        run(graph({"13", "22", "--json"}, {"C_a=0.1", "k_1=7.5e-3", "k_2=6.2e-8", "k_3=4.8e-13"}));
    ASSERT_EQ(r.status, ExitOk) << r.err;
    const std::string& j = r.out;
    EXPECT_TRUE(j.starts_with("{\"code\":\"13\",\"kind\":22,\"title\":\"Single solution of weak "
                              "triprotic acid  k1 = 7.50E–3   k2 = 6.20E–8   k3 = 4.80E–13\""))
        << j.substr(0, 200);
    EXPECT_NE(j.find("\"columns\":[\"pH\",\"α0\",\"α1\",\"α2\",\"α3\"]"), std::string::npos)
        << j.substr(0, 900);
    EXPECT_NE(j.find("\"x\":{\"min\":-1,\"max\":15,\"step\":1,\"labelEvery\":1}"),
              std::string::npos);
    EXPECT_NE(j.find("\"y\":{\"min\":0,\"max\":1,\"step\":0.050000000000000003,\"labelEvery\":2}"),
              std::string::npos);
    EXPECT_NE(j.find("\"rows\":[[-1,0.9992"), std::string::npos);
    EXPECT_TRUE(j.ends_with("],\"accepted\":257,\"marks\":[],\"picture\":null}\n"))
        << j.substr(j.size() - 80);
    const std::size_t rowsAt = j.find("\"rows\":");
    const std::string rows = j.substr(rowsAt, j.find(",\"accepted\"") - rowsAt);
    EXPECT_EQ(std::count(rows.begin(), rows.end(), '['), 1 + 65);
    EXPECT_EQ(j.find("nan"), std::string::npos);
    EXPECT_EQ(j.find("inf"), std::string::npos);
}

TEST(Graph, KindNotOfferedIsAUsageErrorListingTheOffer) {
    const Outcome r = run(graph({"50", "27"}));
    EXPECT_EQ(r.status, ExitUsage);
    EXPECT_NE(r.err.find("code 50 offers the graph kinds 29, 33, not \"27\""), std::string::npos)
        << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(run(graph({"50", "x"})).status, ExitUsage);
    // The problem is solved before the kind is taken.
    EXPECT_EQ(run(graph({"50", "27"}, {"C_a=0.1", "V_a=25", "C_SB=-1"})).status, ExitInvalidInput);
    EXPECT_EQ(run({"graph", "50"}).status, ExitUsage);
}

TEST(Graph, SolvesFirstWithTheMessagesOfSolve) {
    Outcome r = run(graph({"11", "1"}, {"C_a=0.1", "k_a=1/0"}));
    EXPECT_EQ(r.status, ExitInvalidInput);
    EXPECT_TRUE(r.err.starts_with("corvane-cli: Invalid input values: Reading error.\n")) << r.err;
    EXPECT_TRUE(contains(r.err, "k_a = \"1/0\" cannot be read as a number")) << r.err;
    r = run(graph({"11", "1"}, {"C_a=-1", "k_a=1e-5"}));
    EXPECT_EQ(r.status, ExitInvalidInput);
    EXPECT_TRUE(r.err.starts_with("corvane-cli: Invalid input values: Calculation error.\n"))
        << r.err;
    EXPECT_EQ(r.out, "");
}

TEST(Graph, ConstantsFromTheCompoundTable) {
    // Acetic acid, pK_a 4.76: k_a = 10^-4.76.
    const Outcome r = run({"graph", "11", "16", "--json", "--acid", "acetic", "C_a=0.1"});
    ASSERT_EQ(r.status, ExitOk) << r.err;
    EXPECT_TRUE(
        contains(r.out, "\"title\":\"Single solution of weak monoprotic acid  ka = 1.738E–5\""))
        << r.out.substr(0, 200);
}

TEST(Graph, BufferVolumeKindsTakeTheChoosersValues) {
    const std::vector<std::string> buffer{"C_a=0.1", "C_S=0.1", "k_a=1.8e-5", "C_SA=0.1"};
    // Defaults: 100 mL and the added concentration the solver found (0.1 mol/L): 400 mL span.
    Outcome r = run(graph({"42", "27", "--json"}, buffer));
    ASSERT_EQ(r.status, ExitOk) << r.err;
    EXPECT_NE(r.out.find("\"x\":{\"min\":0,\"max\":400,"), std::string::npos);
    EXPECT_NE(r.out.find("VDISo = 100 mL"), std::string::npos);
    r = run(graph({"42", "27", "--json", "--volume", "50", "--added=0.2"}, buffer));
    ASSERT_EQ(r.status, ExitOk) << r.err;
    EXPECT_NE(r.out.find("\"x\":{\"min\":0,\"max\":100,"), std::string::npos);
    for (const char* bad : {"0", "-1", "", " ", "0.1M", "1/2/4"}) {
        r = run(graph({"42", "27", "--added", bad}, buffer));
        EXPECT_EQ(r.status, ExitInvalidInput) << bad;
        EXPECT_EQ(r.err, "corvane-cli: Invalid data\n") << bad;
    }
    r = run(graph({"42", "27", "--volume", "1/0"}, buffer));
    EXPECT_EQ(r.err, "corvane-cli: Invalid data\n");
    // Kind 23 needs neither.
    EXPECT_EQ(run(graph({"42", "23", "--added", "0"}, buffer)).status, ExitOk);
}

TEST(Graph, VolumeAndAddedAreOnlyForTheBuffersWithAnAddition) {
    for (const char* option : {"--volume", "--added"}) {
        const Outcome r = run(graph({"50", "29", option, "10"}));
        EXPECT_EQ(r.status, ExitUsage) << option;
        EXPECT_TRUE(contains(r.err, "not for code 50")) << r.err;
    }
}

TEST(Graph, NeedsEveryInputOfTheProblemAsTheGraphicButtonDoes) {
    const Outcome r = run(graph({"51", "33"}, {"C_a=0.1", "V_a=25", "k_a=1.8e-5", "pH_eq=8.72"}));
    EXPECT_EQ(r.status, ExitInvalidInput);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "corvane-cli: Not enough values: give also one of C_SB, V_eq\n");
}

TEST(Graph, ScalesThatFailGiveInvalidData) {
    // No weak pair at all: the span of the added acid is 0.
    const Outcome r = run(graph({"42", "23"}, {"C_a=0", "C_S=0", "k_a=1.8e-5", "C_SA=0.01"}));
    EXPECT_EQ(r.status, ExitInvalidInput);
    EXPECT_EQ(r.err, "corvane-cli: Invalid data.\n");
}

TEST(Graph, WritesBitmapAndPngPictures) {
    const QString bmp = outputPath("slope-50.bmp");
    const QString png = outputPath("titration-50.png");
    QFile::remove(bmp);
    QFile::remove(png);
    Outcome r = run(graph({"50", "33", "--picture", bmp.toStdString(), "--size", "1200x800"}));
    ASSERT_EQ(r.status, ExitOk) << r.err;
    QFile file(bmp);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(2), QByteArray("BM"));
    file.close();
    QImage image(bmp);
    EXPECT_EQ(image.size(), QSize(1200, 800));
    r = run(graph({"50", "29", "--json", "--picture=" + png.toStdString()}));
    ASSERT_EQ(r.status, ExitOk) << r.err;
    EXPECT_NE(r.out.find("\"picture\":\"" + png.toStdString() + "\"}"), std::string::npos);
    EXPECT_EQ(QImage(png, "PNG").size(), QSize(1000, 700));
}

TEST(Graph, WritesVectorPicturesAsTheWindowSavesAndExportsThem) {
    const QString svg = outputPath("titration-50.svg");
    const QString pdf = outputPath("titration-50.pdf");
    QFile::remove(svg);
    QFile::remove(pdf);
    const Outcome screen = run(graph({"50", "29"}));
    Outcome r = run(graph({"50", "29", "--picture", svg.toStdString(), "--size", "1200x800"}));
    ASSERT_EQ(r.status, ExitOk) << r.err;
    QFile file(svg);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray drawing = file.readAll();
    EXPECT_TRUE(drawing.contains("viewBox=\"0 0 1200 800\""));
    EXPECT_TRUE(drawing.contains("<text")) << "text stays text";
    EXPECT_FALSE(drawing.contains("<image")) << "no bitmap inside";
    // The printer page records its own rows; the rows printed are still the screen's.
    r = run(graph({"50", "29", "--picture", pdf.toStdString()}));
    ASSERT_EQ(r.status, ExitOk) << r.err;
    EXPECT_EQ(r.out, screen.out);
    QFile page(pdf);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    EXPECT_TRUE(page.read(5) == QByteArray("%PDF-"));
    EXPECT_TRUE(page.readAll().contains("/MediaBox [0 0 842.000000 595.000000]"))
        << "A4 turned as the picture";
}

TEST(Graph, WritesTheDataTableAsTheTableWindowSavesIt) {
    const QString text = outputPath("table-50.txt");
    const QString csv = outputPath("table-50.csv");
    Outcome r = run(graph({"50", "29", "--digits", "6", "--table", text.toStdString()}));
    ASSERT_EQ(r.status, ExitOk) << r.err;
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString table = QString::fromUtf8(file.readAll());
    const QStringList rows = table.split("\r\n");
    ASSERT_GT(rows.size(), 10);
    EXPECT_EQ(rows[0], "Titration of strong acid with strong base");
    EXPECT_TRUE(table.contains("\r\n" + QString(28, '=') + "\r\n")) << "two cells of 6 + 8";
    EXPECT_TRUE(table.contains("\r\n0             1.00000       \r\n") ||
                table.contains("\r\n0             1             \r\n"))
        << table.toStdString();
    r = run(graph({"50", "29", "--table", csv.toStdString(), "C_SB=0,1"}, {"C_a=0.1", "V_a=25"}));
    ASSERT_EQ(r.status, ExitOk) << r.err;
    QFile values(csv);
    ASSERT_TRUE(values.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = values.readAll().split('\n');
    EXPECT_EQ(lines[0], QByteArray("VSB (mL);pH\r"));
    EXPECT_TRUE(lines[1].startsWith("0;0,9999999999")) << "17 digits, decimal comma";
    EXPECT_EQ(run(graph({"50", "29", "--table", outputPath("missing/t.txt").toStdString()})).status,
              ExitInvalidInput);
}

TEST(Graph, UnwritablePictureFailsWithoutLeavingAFile) {
    const QString dir = outputPath("a-directory");
    QDir().mkpath(dir);
    const QString missing = outputPath("missing/graph.png");
    const Outcome r = run(graph({"50", "29", "--picture", missing.toStdString()}));
    EXPECT_EQ(r.status, ExitInvalidInput);
    EXPECT_NE(r.err.find("cannot write the picture"), std::string::npos) << r.err;
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_EQ(r.out, "");
    // A file in the way is left as it was.
    const QString blocked = dir + "/graph.bmp";
    QDir().mkpath(blocked);
    EXPECT_EQ(run(graph({"50", "29", "--picture", blocked.toStdString()})).status,
              ExitInvalidInput);
    EXPECT_TRUE(QFileInfo(blocked).isDir());
}

TEST(Graph, PictureOptionsAreChecked) {
    for (const char* size : {"199x150", "200x149", "8001x700", "1000x8001", "1000", "ax7", "x"})
        EXPECT_EQ(run(graph({"50", "29", "--size", size})).status, ExitUsage) << size;
    EXPECT_EQ(run(graph({"50", "29", "--size", "200x150"})).status, ExitOk);
    EXPECT_EQ(run(graph({"50", "29", "--size", "8000x150"})).status, ExitOk);
    for (const char* file : {"graph.jpg", "graph", "graph.bmp.txt", "graph.svgz"})
        EXPECT_EQ(run(graph({"50", "29", "--picture", file})).status, ExitUsage) << file;
}

} // namespace
