// The plain titles corvane-cli lists are the characters the mark-up renderer draws for the
// same titles, for every kind of the catalogue.
#include "graphs/catalogue.h"

#include "markup/renderer.h"
#include "markup/surface.h"

#include <gtest/gtest.h>

namespace corvane::graphs {
namespace {

TEST(PlainTitle, IsWhatTheRendererDraws) {
    markup::PictureSurface picture(400, 100);
    markup::MeasuringSurface measuring(picture);
    int titles = 0;
    for (int kind = 1; kind < GraphKindCount; ++kind) {
        const std::string& title = Catalogue().GraphKindTitle[kind];
        if (title.empty()) continue;
        for (const std::string& text : {ListTitle(title), Catalogue().GraphKindYName[kind]}) {
            QString drawn;
            measuring.setCurrentX(0);
            markup::DrawMarkup(QString::fromStdString(text), measuring, &drawn);
            EXPECT_EQ(PlainTitle(text), drawn.toStdString()) << "kind " << kind;
        }
        ++titles;
    }
    EXPECT_EQ(titles, 26);
}

TEST(PlainTitle, ReadsTheMarks) {
    EXPECT_EQ(PlainTitle("pC_S_A = –log_1_0C_S_A"), "pCSA = –log10CSA");
    EXPECT_EQ(PlainTitle("-&DeltapH/&DeltaV"), "–ΔpH/ΔV");
    EXPECT_EQ(PlainTitle("&alfa_0 a__b &&"), "α0 a_b &");
    EXPECT_EQ(PlainTitle("x_"), "x_");
}

} // namespace
} // namespace corvane::graphs
