// The facts of the graph kinds against what their titles and axis names say, and against the
// groups of kinds the scales are built for.
#include "graphs/catalogue.h"

#include "engine/catalogue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane::graphs {
namespace {

std::vector<int> kindsWhere(bool (*test)(const GraphKindFacts&)) {
    std::vector<int> kinds;
    for (int kind = 0; kind < GraphKindCount; ++kind)
        if (test(KindFacts(kind))) kinds.push_back(kind);
    return kinds;
}

int occurrences(const std::string& text, const std::string& part) {
    int n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

TEST(KindFacts, TheNegativeLogarithmKindsAreThoseTitledWithOne) {
    EXPECT_EQ(kindsWhere([](const GraphKindFacts& f) { return f.negativeLog; }),
              (std::vector<int>{2, 4, 6, 8, 10, 12, 14, 24, 26}));
    for (int kind = 1; kind < GraphKindCount; ++kind) {
        const std::string& title = Catalogue().GraphKindTitle[kind];
        EXPECT_EQ(KindFacts(kind).negativeLog, title.find("= –log_1_0") != std::string::npos)
            << kind;
    }
}

TEST(KindFacts, TheXQuantityIsTheOneTheAxisNames) {
    struct Named {
        XQuantity x;
        const char* symbol;
        std::vector<int> kinds;
    };
    const Named groups[] = {
        {XQuantity::AcidConcentration, "C_a", {1, 2, 11, 12}},
        {XQuantity::BaseConcentration, "C_b", {3, 4, 13, 14}},
        {XQuantity::SaltConcentration, "C_S", {5, 6}},
        {XQuantity::AcidConstant, "k_a", {7, 8}},
        {XQuantity::BaseConstant, "k_b", {9, 10}},
        {XQuantity::PH, "pH", {16, 18, 20, 22}},
        {XQuantity::AddedAcidConcentration, "C_S_A", {23, 24}},
        {XQuantity::AddedBaseConcentration, "C_S_B", {25, 26}},
        {XQuantity::AddedAcidVolume, "V_S_A", {27, 31}},
        {XQuantity::AddedBaseVolume, "V_S_B", {29, 33}},
    };
    for (const Named& g : groups) {
        std::vector<int> found;
        for (int kind = 0; kind < GraphKindCount; ++kind)
            if (KindFacts(kind).x == g.x) found.push_back(kind);
        EXPECT_EQ(found, g.kinds) << g.symbol;
        for (int kind : g.kinds) {
            EXPECT_NE(Catalogue().GraphKindXName[kind].find(g.symbol), std::string::npos) << kind;
            EXPECT_NE(std::string(KindFacts(kind).headings[0]).find(g.symbol), std::string::npos)
                << kind;
        }
    }
}

TEST(KindFacts, WhatTheCurvesShowIsTheYAxisName) {
    for (int kind = 1; kind < GraphKindCount; ++kind) {
        const GraphKindFacts& f = KindFacts(kind);
        const std::string& y = Catalogue().GraphKindYName[kind];
        SCOPED_TRACE(kind);
        if (y.empty()) {
            EXPECT_EQ(f.y, YQuantity::None);
            EXPECT_EQ(f.curves, 0);
        } else if (y == "pH") {
            EXPECT_EQ(f.y, YQuantity::PH);
            EXPECT_EQ(f.curves, 1);
        } else if (y == "&alfa") {
            EXPECT_EQ(f.y, YQuantity::Alpha);
            EXPECT_EQ(f.curves, 1);
        } else if (y.ends_with("&DeltapH/&DeltaV")) {
            EXPECT_EQ(f.y, YQuantity::Slope);
            EXPECT_EQ(f.curves, 1);
        } else {
            EXPECT_EQ(f.y, YQuantity::MolarFractions);
            EXPECT_EQ(f.curves, occurrences(y, "&alfa_"));
        }
    }
}

TEST(KindFacts, UnusedKindsHaveNoFacts) {
    for (int kind : {0, 15, 17, 19, 21, 28, 30, 32, -1, GraphKindCount}) {
        EXPECT_EQ(KindFacts(kind).x, XQuantity::None) << kind;
        EXPECT_EQ(KindFacts(kind).y, YQuantity::None) << kind;
        EXPECT_FALSE(KindFacts(kind).negativeLog) << kind;
    }
}

// The data table's columns: the x quantity, then the plotted ones.
TEST(KindFacts, HeadingsNameTheTableColumns) {
    using H = std::array<std::string_view, 5>;
    EXPECT_EQ(KindFacts(1).headings, (H{"C_a (mol/L)", "pH", "", "", ""}));
    EXPECT_EQ(KindFacts(10).headings, (H{"pk_b", "pH", "", "", ""}));
    EXPECT_EQ(KindFacts(14).headings, (H{"pC_b", "&alfa", "", "", ""}));
    EXPECT_EQ(KindFacts(18).headings, (H{"pH", "&alfa_0", "&alfa_1", "", ""}));
    EXPECT_EQ(KindFacts(22).headings, (H{"pH", "&alfa_0", "&alfa_1", "&alfa_2", "&alfa_3"}));
    EXPECT_EQ(KindFacts(24).headings, (H{"pC_S_A", "pH", "", "", ""}));
    EXPECT_EQ(KindFacts(31).headings, (H{"V_S_A (mL)", "-&DeltapH/&DeltaV", "", "", ""}));
}

// The default axes by group: a concentration or constant from 0 to 1, its negative logarithm
// and the pH from -1 to 15, a fraction from 0 to 1; an added volume has no preset.
TEST(KindFacts, DefaultAxesFollowWhatTheAxisIs) {
    for (int kind = 1; kind < GraphKindCount; ++kind) {
        const GraphKindFacts& f = KindFacts(kind);
        if (f.x == XQuantity::None) continue;
        SCOPED_TRACE(kind);
        const AxisPreset x = IsAddedVolume(f.x)                      ? AxisPreset::Kept
                             : f.negativeLog || f.x == XQuantity::PH ? AxisPreset::Decades
                                                                     : AxisPreset::Unit;
        const AxisPreset y = f.y == YQuantity::PH      ? AxisPreset::Decades
                             : f.y == YQuantity::Slope ? AxisPreset::Kept
                                                       : AxisPreset::Unit;
        EXPECT_EQ(f.xAxis, x);
        EXPECT_EQ(f.yAxis, y);
    }
}

// Only the "C" variants, whose α0 is 0, take the second legend, and only the molar fractions
// of a polyprotic acid have one.
TEST(KindFacts, FirstCompleteLegendsMarkTheMissingSpecies) {
    for (int kind = 1; kind < GraphKindCount; ++kind) {
        const GraphKindFacts& f = KindFacts(kind);
        if (f.firstCompleteCaption.empty()) continue;
        EXPECT_EQ(f.y, YQuantity::MolarFractions) << kind;
        EXPECT_GE(f.curves, 3) << kind;
        EXPECT_NE(f.firstCompleteCaption.find("]/C_a=0"), std::string_view::npos) << kind;
        EXPECT_NE(f.firstCompleteTableCaption.find("]/C_a=0"), std::string_view::npos) << kind;
        EXPECT_EQ(f.firstCompleteTableCaption.find("&FC="), std::string_view::npos) << kind;
    }
    EXPECT_FALSE(KindFacts(20).firstCompleteCaption.empty());
    EXPECT_FALSE(KindFacts(22).firstCompleteCaption.empty());
    EXPECT_TRUE(KindFacts(16).firstCompleteCaption.empty());
}

// Of every offered kind, only the added volumes of the buffers 42 to 45 ask for the buffer
// volume and the added concentration.
TEST(KindFacts, ExtraFieldsAreAskedForTheBuffersVolumeKindsOnly) {
    std::vector<std::string> asking;
    for (const engine::ProblemType& p : engine::Problems())
        for (int kind : OfferedKinds(Catalogue(), p.code))
            if (NeedsExtraFields(p.code, kind))
                asking.push_back(std::string(p.code) + ":" + std::to_string(kind));
    EXPECT_EQ(asking, (std::vector<std::string>{"42:27", "43:27", "44:29", "45:29"}));
}

} // namespace
} // namespace corvane::graphs
