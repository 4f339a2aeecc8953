// The catalogue, DecadeStep and AjustaEscalasETC against the reference numbers of the graph
// kinds.
#include "graphs/catalogue.h"
#include "graphs/scales.h"

#include "engine/slots.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>
#include <vector>

namespace corvane::graphs {
namespace {

namespace solution = engine::slot::solution;
namespace mixture = engine::slot::mixture;
namespace buffer = engine::slot::buffer;
namespace titration = engine::slot::titration;
namespace polyprotic = engine::slot::polyprotic_titration;

using engine::EquilAB;

TEST(Catalogue, OffersTheKindsOfEachCodeInSlotOrder) {
    const GraphCatalogue& c = Catalogue();
    EXPECT_EQ(OfferedKinds(c, "33"), (std::vector<int>{1, 2, 3, 4, 7, 8, 9, 10}));
    EXPECT_EQ(OfferedKinds(c, "10"), (std::vector<int>{1, 2}));
    EXPECT_EQ(OfferedKinds(c, "11"), (std::vector<int>{1, 2, 7, 8, 11, 12, 16}));
    EXPECT_EQ(OfferedKinds(c, "55C"), (std::vector<int>{29, 33}));
    EXPECT_EQ(OfferedKinds(c, "52"), (std::vector<int>{27, 31}));
    EXPECT_TRUE(OfferedKinds(c, "16").empty());
    EXPECT_EQ(c.GraphOfferCode[1], "10");
    EXPECT_EQ(c.GraphOfferCode[34], "55C");
}

TEST(Catalogue, UnusedKindsStayEmptyAndAreNeverOffered) {
    const GraphCatalogue& c = Catalogue();
    for (int kind : {0, 15, 17, 19, 21, 28, 30, 32}) {
        EXPECT_TRUE(c.GraphKindTitle[kind].empty()) << kind;
        for (int row = 1; row <= OfferRowCount; ++row)
            for (int slot = 0; slot < 11; ++slot)
                EXPECT_NE(c.GraphOffer[row][slot], kind == 0 ? -1 : kind);
    }
    for (int row = 1; row <= OfferRowCount; ++row)
        for (int kind : OfferedKinds(c, c.GraphOfferCode[row]))
            EXPECT_FALSE(c.GraphKindTitle[kind].empty()) << c.GraphOfferCode[row] << " " << kind;
}

TEST(Catalogue, TitleSplitsIntoListTitleAndSubtitle) {
    const std::string& t = Catalogue().GraphKindTitle[2];
    EXPECT_EQ(ListTitle(t), "pH  vs.  pC_a.  pH versus acid concentration.  pC_a = –log_1_0C_a");
    EXPECT_EQ(Subtitle(t), "pH versus acid concentration.  pC_a = –log_1_0C_a");
    EXPECT_EQ(Subtitle("no split"), "no split");
    EXPECT_EQ(Catalogue().GraphKindYName[33], "&DeltapH/&DeltaV");
    EXPECT_TRUE(NeedsExtraFields("42", 27));
    EXPECT_TRUE(NeedsExtraFields("45", 29));
    EXPECT_FALSE(NeedsExtraFields("42", 23));
    EXPECT_FALSE(NeedsExtraFields("50", 29));
}

TEST(DecadeStep, StepsByPlaceInTheDecade) {
    const std::pair<double, double> cases[] = {
        {0.4, 0.02},   // F = 0.60206 > 0.602
        {20, 1},       // F = 0.30103 > 0.301
        {10, 0.5},     // F = 0
        {1000, 20},    // log10 just below 3: E = 2, F ≈ 1
        {2.75, 0.1},   // F = 0.439
        {1, 0.05},     // F = 0
        {1.9, 0.05},   // F = 0.279
        {50, 2},       // F = 0.699
        {0.03, 0.001}, // F = 0.477
    };
    for (auto [span, step] : cases) {
        const std::optional<double> got = DecadeStep(span);
        ASSERT_TRUE(got.has_value()) << span;
        EXPECT_NEAR(*got, step, step * 1e-12) << span;
    }
}

TEST(DecadeStep, NoStepForASpanThatIsNotPositiveAndFinite) {
    for (double span : {0.0, -1.0, std::numeric_limits<double>::infinity(),
                        std::numeric_limits<double>::quiet_NaN()})
        EXPECT_FALSE(DecadeStep(span).has_value()) << span;
}

struct Adjusted {
    GraphSettings settings;
    EquilAB state;
    bool ok;
};

Adjusted adjust(const char* code, int kind, std::vector<std::pair<int, double>> slots) {
    Adjusted a{{}, EquilAB{}, false};
    a.settings.ProblemCode = code;
    a.settings.TaskTitle = "Task";
    ChooseGraphKind(a.settings, Catalogue(), kind);
    for (auto [slot, v] : slots)
        a.state.IOValues[slot] = v;
    a.ok = AjustaEscalasETC(a.settings, a.state);
    return a;
}

TEST(AjustaEscalasETC, StrongAcidKeepsTitleAndTakesTheAcidicRange) {
    const Adjusted a = adjust("10", 1, {{solution::C, 0.01}});
    ASSERT_TRUE(a.ok);
    const GraphSettings& s = a.settings;
    EXPECT_EQ(s.GraphTitle, "Task");
    EXPECT_EQ(s.ParamCaption, "");
    EXPECT_EQ(s.TableCaption, "");
    EXPECT_EQ(s.GraphSubtitle, "pH versus acid concentration C_a");
    EXPECT_EQ(s.XAxisName, "Acid concentration C_a (mol/L)");
    EXPECT_DOUBLE_EQ(s.YMin, -1);
    EXPECT_DOUBLE_EQ(s.YMax, 8);
    EXPECT_DOUBLE_EQ(s.YStep, 1);
    EXPECT_DOUBLE_EQ(s.XMax, 1);
    EXPECT_DOUBLE_EQ(s.XStep, 0.05);
    EXPECT_EQ(s.XLabelEvery, 2);
    EXPECT_EQ(s.ColumnHeading[0], "C_a (mol/L)");
    EXPECT_EQ(s.ColumnHeading[1], "pH");
    EXPECT_EQ(s.ColumnHeading[2], "");
}

TEST(AjustaEscalasETC, WeakBaseAlphaCarriesItsConstantInTheTitle) {
    const Adjusted a = adjust("15", 13, {{solution::C, 0.1}, {solution::K, 1.8e-5}});
    ASSERT_TRUE(a.ok);
    const GraphSettings& s = a.settings;
    EXPECT_EQ(s.GraphTitle, "Task  k_b = 1.80&E-5");
    EXPECT_EQ(s.ParamCaption, "&alfa=[B^+]/C_b");
    EXPECT_EQ(s.TableCaption, "&alfa=[B^+]/C_b");
    for (auto [lo, hi, step, every] : {std::tuple{s.XMin, s.XMax, s.XStep, s.XLabelEvery},
                                       std::tuple{s.YMin, s.YMax, s.YStep, s.YLabelEvery}}) {
        EXPECT_DOUBLE_EQ(lo, 0);
        EXPECT_DOUBLE_EQ(hi, 1);
        EXPECT_DOUBLE_EQ(step, 0.05);
        EXPECT_EQ(every, 2);
    }
    EXPECT_EQ(s.ColumnHeading[1], "&alfa");
}

TEST(AjustaEscalasETC, FirstDissociationCompleteMarksTheMissingSpecies) {
    const Adjusted c = adjust("12C", 20, {{solution::C, 0.1}, {solution::K2, 1.2e-2}});
    const Adjusted plain =
        adjust("12", 20, {{solution::C, 0.1}, {solution::K, 4.3e-7}, {solution::K2, 5.6e-11}});
    ASSERT_TRUE(c.ok && plain.ok);
    EXPECT_NE(c.settings.ParamCaption.find("[H_2A]/C_a=0"), std::string::npos);
    EXPECT_NE(c.settings.TableCaption.find("[H_2A]/C_a=0"), std::string::npos);
    EXPECT_EQ(plain.settings.ParamCaption.find("C_a=0"), std::string::npos);
    EXPECT_EQ(c.settings.GraphTitle, "Task  k_2 = 0.012");
    EXPECT_EQ(plain.settings.TableCaption,
              "&alfa_0=[H_2A]/C_a     &alfa_1=[HA^–]/C_a     &alfa_2=[A^2^–]/C_a");
    const std::array<std::string, 5> headings{"pH", "&alfa_0", "&alfa_1", "&alfa_2", ""};
    EXPECT_EQ(c.settings.ColumnHeading, headings);
    EXPECT_DOUBLE_EQ(c.settings.XMin, -1);
    EXPECT_DOUBLE_EQ(c.settings.XMax, 15);
}

TEST(AjustaEscalasETC, BufferWithAddedAcidSpansTwiceItsPair) {
    const Adjusted a = adjust("42", 23, {{buffer::C, 0.1}, {buffer::CS, 0.1}, {buffer::K, 1.8e-5}});
    ASSERT_TRUE(a.ok);
    EXPECT_DOUBLE_EQ(a.settings.XMin, 0);
    EXPECT_NEAR(a.settings.XMax, 0.4, 1e-15);
    EXPECT_NEAR(a.settings.XStep, 0.04, 1e-15);
    EXPECT_EQ(a.settings.XLabelEvery, 4);
    EXPECT_EQ(a.settings.ParamCaption, "k_a = 1.80&E-5  C_a = 0.1 mol/L  C_S = 0.1 mol/L");
}

TEST(AjustaEscalasETC, VolumeSpansByCode) {
    struct Case {
        const char* code;
        int kind;
        std::vector<std::pair<int, double>> slots;
        double span;
    };
    const Case cases[] = {
        {"42",
         27,
         {{buffer::C, 0.1},
          {buffer::CS, 0.1},
          {buffer::Volume, 100},
          {buffer::AddedConcentration, 0.1}},
         400},
        {"50", 29, {{titration::Veq, 25}}, 50},
        {"52", 31, {{titration::Veq, 20}, {titration::Slope, 1}}, 40},
        {"54", 29, {{polyprotic::Veq, 50}}, 75},
        {"55C", 33, {{polyprotic::Veq, 60}, {polyprotic::Slope, 2}}, 80},
    };
    for (const Case& c : cases) {
        const Adjusted a = adjust(c.code, c.kind, c.slots);
        ASSERT_TRUE(a.ok) << c.code;
        EXPECT_DOUBLE_EQ(a.settings.XMin, 0) << c.code;
        EXPECT_NEAR(a.settings.XMax, c.span, c.span * 1e-15) << c.code;
        EXPECT_NEAR(a.settings.XStep, 2 * *DecadeStep(c.span), 1e-12) << c.code;
        EXPECT_EQ(a.settings.XLabelEvery, 2) << c.code;
    }
}

TEST(AjustaEscalasETC, SlopeRangeFollowsTheEquivalenceSlope) {
    const Adjusted a = adjust("50", 33,
                              {{titration::C, 0.1},
                               {titration::V, 25},
                               {titration::Titrant, 0.1},
                               {titration::Veq, 25},
                               {titration::Slope, 2.5}});
    ASSERT_TRUE(a.ok);
    EXPECT_DOUBLE_EQ(a.settings.YMin, 0);
    EXPECT_DOUBLE_EQ(a.settings.YMax, 3);
    EXPECT_NEAR(a.settings.YStep, 0.1, 1e-15);
    EXPECT_EQ(a.settings.YLabelEvery, 4);
    EXPECT_EQ(a.settings.ColumnHeading[1], "&DeltapH/&DeltaV");
    EXPECT_EQ(a.settings.ParamCaption, "C_a_0 = 0.1 mol/L  V_a_0 = 25 mL  C_S_B = 0.1 mol/L");
}

TEST(AjustaEscalasETC, InvalidDataWhenASpanHasNoStep) {
    // A zero slope: the logarithm fails, the other steps still run.
    Adjusted a = adjust("50", 33,
                        {{titration::C, 0.1},
                         {titration::V, 25},
                         {titration::Titrant, 0.1},
                         {titration::Veq, 25},
                         {titration::Slope, 0}});
    EXPECT_FALSE(a.ok);
    EXPECT_EQ(a.state.CalcError, 1);
    EXPECT_NEAR(a.settings.XMax, 50, 1e-12);
    EXPECT_EQ(a.settings.TableCaption, a.settings.ParamCaption);
    // A zero added concentration: the volume span divides by zero.
    a = adjust("44", 29,
               {{buffer::C, 0.1},
                {buffer::CS, 0.1},
                {buffer::Volume, 100},
                {buffer::AddedConcentration, 0}});
    EXPECT_FALSE(a.ok);
    EXPECT_EQ(a.state.CalcError, 1);
    // A titration without its equivalence volume.
    a = adjust("54C", 29, {{polyprotic::Veq, 0}});
    EXPECT_FALSE(a.ok);
}

TEST(AjustaEscalasETC, PendingCalcErrorFails) {
    Adjusted a{{}, EquilAB{}, false};
    a.settings.ProblemCode = "10";
    a.settings.GraphKind = 1;
    a.state.CalcError = 1;
    EXPECT_FALSE(AjustaEscalasETC(a.settings, a.state));
}

TEST(AjustaEscalasETC, ACaptionWithNumbersClearsAPendingCalcError) {
    // As after a refused entry in the chooser: the buffer's own kind still scales.
    Adjusted a{{}, EquilAB{}, false};
    a.settings.ProblemCode = "42";
    ChooseGraphKind(a.settings, Catalogue(), 23);
    a.state.IOValues[buffer::C] = a.state.IOValues[buffer::CS] = 0.1;
    a.state.IOValues[buffer::K] = 1.8e-5;
    a.state.CalcError = 1;
    EXPECT_TRUE(AjustaEscalasETC(a.settings, a.state));
    EXPECT_EQ(a.state.CalcError, 0);
    EXPECT_EQ(a.settings.ParamCaption, "k_a = 1.80&E-5  C_a = 0.1 mol/L  C_S = 0.1 mol/L");
    // A number that cannot be written fails, whatever follows it.
    a.state.IOValues[buffer::K] = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(AjustaEscalasETC(a.settings, a.state));
    EXPECT_EQ(a.state.CalcError, 1);
}

TEST(AjustaEscalasETC, AlkalineSolutionsTakeTheAlkalineRange) {
    for (const char* code : {"14", "15", "22"}) {
        // The concentration and the constant take slots 0 and 3 in all three codes.
        const Adjusted a = adjust(code, code[1] == '2' ? 5 : 3, {{0, 0.1}, {3, 1e-5}});
        ASSERT_TRUE(a.ok) << code;
        EXPECT_DOUBLE_EQ(a.settings.YMin, 6) << code;
        EXPECT_DOUBLE_EQ(a.settings.YMax, 15) << code;
    }
    const Adjusted mixture =
        adjust("33", 8, {{mixture::Ca, 0.1}, {mixture::Cb, 0.1}, {mixture::Kb, 1e-5}});
    EXPECT_DOUBLE_EQ(mixture.settings.YMin, -1);
    EXPECT_DOUBLE_EQ(mixture.settings.YMax, 15);
    EXPECT_EQ(mixture.settings.ParamCaption, "C_a = 0.1 mol/L   C_b = 0.1 mol/L   k_b = 1.00&E-5");
    EXPECT_EQ(mixture.settings.ColumnHeading[0], "pk_a");
}

} // namespace
} // namespace corvane::graphs
