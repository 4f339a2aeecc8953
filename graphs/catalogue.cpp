#include "catalogue.h"

#include "engine/catalogue.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace corvane::graphs {

namespace {

using X = XQuantity;
using Y = YQuantity;
using A = AxisPreset;

struct KindRow {
    int kind;
    const char* title;
    const char* xName;
    const char* yName;
    GraphKindFacts facts;
};

// The "–" is the en dash the mark-up draws as a minus sign.
const KindRow Kinds[] = {
    {1,
     "pH  vs.  C_a.  @pH versus acid concentration C_a",
     "Acid concentration C_a (mol/L)",
     "pH",
     {X::AcidConcentration, false, Y::PH, 1, A::Unit, A::Decades, {"C_a (mol/L)", "pH"}}},
    {2,
     "pH  vs.  pC_a.  @pH versus acid concentration.  pC_a = –log_1_0C_a",
     "Acid concentration pC_a",
     "pH",
     {X::AcidConcentration, true, Y::PH, 1, A::Decades, A::Decades, {"pC_a", "pH"}}},
    {3,
     "pH  vs.  C_b.  @pH versus base concentration C_b",
     "Base concentration C_b (mol/L)",
     "pH",
     {X::BaseConcentration, false, Y::PH, 1, A::Unit, A::Decades, {"C_b (mol/L)", "pH"}}},
    {4,
     "pH  vs.  pC_b.  @pH versus base concentration.  pC_b = –log_1_0C_b",
     "Base concentration pC_b",
     "pH",
     {X::BaseConcentration, true, Y::PH, 1, A::Decades, A::Decades, {"pC_b", "pH"}}},
    {5,
     "pH  vs.  C_S.  @pH versus salt concentration C_S",
     "Salt concentration C_S (mol/L)",
     "pH",
     {X::SaltConcentration, false, Y::PH, 1, A::Unit, A::Decades, {"C_S (mol/L)", "pH"}}},
    {6,
     "pH  vs.  pC_S.  @pH versus salt concentration.  pC_S = –log_1_0C_S",
     "Salt concentration pC_S",
     "pH",
     {X::SaltConcentration, true, Y::PH, 1, A::Decades, A::Decades, {"pC_S", "pH"}}},
    {7,
     "pH  vs.  k_a.  @pH versus acidity constant k_a",
     "Acidity constant k_a",
     "pH",
     {X::AcidConstant, false, Y::PH, 1, A::Unit, A::Decades, {"k_a", "pH"}}},
    {8,
     "pH  vs.  pk_a.  @pH versus acidity constant.  pk_a = –log_1_0k_a",
     "Acidity constant pk_a",
     "pH",
     {X::AcidConstant, true, Y::PH, 1, A::Decades, A::Decades, {"pk_a", "pH"}}},
    {9,
     "pH  vs.  k_b.  @pH versus base dissociation constant k_b",
     "Base dissociation constant k_b",
     "pH",
     {X::BaseConstant, false, Y::PH, 1, A::Unit, A::Decades, {"k_b", "pH"}}},
    {10,
     "pH  vs.  pk_b.  @pH versus base dissociation constant.  pk_b = –log_1_0k_b",
     "Base dissociation constant pk_b",
     "pH",
     {X::BaseConstant, true, Y::PH, 1, A::Decades, A::Decades, {"pk_b", "pH"}}},
    {11,
     "&alfa  vs.  C_a.  @Degree of dissociation &alfa versus acid concentration C_a",
     "Acid concentration C_a (mol/L)",
     "&alfa",
     {X::AcidConcentration,
      false,
      Y::Alpha,
      1,
      A::Unit,
      A::Unit,
      {"C_a (mol/L)", "&alfa"},
      "&alfa=[A^–]/C_a"}},
    {12,
     "&alfa  vs.  pC_a.  @Degree of dissociation &alfa versus acid concentration.  pC_a = "
     "–log_1_0C_a",
     "Acid concentration pC_a",
     "&alfa",
     {X::AcidConcentration,
      true,
      Y::Alpha,
      1,
      A::Decades,
      A::Unit,
      {"pC_a", "&alfa"},
      "&alfa=[A^–]/C_a"}},
    {13,
     "&alfa  vs.  C_b.  @Degree of dissociation &alfa versus base concentration C_b",
     "Base concentration C_b (mol/L)",
     "&alfa",
     {X::BaseConcentration,
      false,
      Y::Alpha,
      1,
      A::Unit,
      A::Unit,
      {"C_b (mol/L)", "&alfa"},
      "&alfa=[B^+]/C_b"}},
    {14,
     "&alfa  vs.  pC_b.  @Degree of dissociation versus base concentration.  pC_b = –log_1_0C_b",
     "Base concentration pC_b",
     "&alfa",
     {X::BaseConcentration,
      true,
      Y::Alpha,
      1,
      A::Decades,
      A::Unit,
      {"pC_b", "&alfa"},
      "&alfa=[B^+]/C_b"}},
    {16,
     "&alfa_0, &alfa_1  vs.  pH.  @Molar fractions &alfa_i of acid derivatives versus pH.",
     "pH",
     "&alfa_0, &alfa_1",
     {X::PH,
      false,
      Y::MolarFractions,
      2,
      A::Decades,
      A::Unit,
      {"pH", "&alfa_0", "&alfa_1"},
      "&FC=200;0;0:&alfa_0=[HA]/C_a     &FC=0;100;220:&alfa_1=[A^–]/C_a",
      "&alfa_0=[HA]/C_a     &alfa_1=[A^–]/C_a"}},
    {18,
     "&alfa_0, &alfa_1  vs.  pH.  @Molar fractions &alfa_i of base derivatives versus pH.",
     "pH",
     "&alfa_0, &alfa_1",
     {X::PH,
      false,
      Y::MolarFractions,
      2,
      A::Decades,
      A::Unit,
      {"pH", "&alfa_0", "&alfa_1"},
      "&FC=200;0;0:&alfa_0=[BOH]/C_b     &FC=0;100;220:&alfa_1=[B^+]/C_b",
      "&alfa_0=[BOH]/C_b     &alfa_1=[B^+]/C_b"}},
    {20,
     "&alfa_0, &alfa_1, &alfa_2  vs.  pH.  @Molar fractions &alfa_i of acid derivatives versus "
     "pH.",
     "pH",
     "&alfa_0, &alfa_1, &alfa_2",
     {X::PH,
      false,
      Y::MolarFractions,
      3,
      A::Decades,
      A::Unit,
      {"pH", "&alfa_0", "&alfa_1", "&alfa_2"},
      "&FC=200;0;0:&alfa_0=[H_2A]/C_a     &FC=0;100;220:&alfa_1=[HA^–]/C_a     "
      "&FC=0;128;0:&alfa_2=[A^2^–]/C_a",
      "&alfa_0=[H_2A]/C_a     &alfa_1=[HA^–]/C_a     &alfa_2=[A^2^–]/C_a",
      "&FC=200;0;0:&alfa_0=[H_2A]/C_a=0     &FC=0;100;220:&alfa_1=[HA^–]/C_a     "
      "&FC=0;128;0:&alfa_2=[A^2^–]/C_a",
      "&alfa_0=[H_2A]/C_a=0     &alfa_1=[HA^–]/C_a     &alfa_2=[A^2^–]/C_a"}},
    {22,
     "&alfa_0, &alfa_1, &alfa_2, &alfa_3  vs.  pH.  @Molar fractions &alfa_i of acid derivatives "
     "versus pH.",
     "pH",
     "&alfa_0, &alfa_1, &alfa_2, &alfa_3",
     {X::PH,
      false,
      Y::MolarFractions,
      4,
      A::Decades,
      A::Unit,
      {"pH", "&alfa_0", "&alfa_1", "&alfa_2", "&alfa_3"},
      "&FC=200;0;0:&alfa_0=[H_3A]/C_a     &FC=0;100;220:&alfa_1=[H_2A^–]/C_a     "
      "&FC=0;128;0:&alfa_2=[HA^2^–]/C_a     &FC=196;128;0:&alfa_3=[A^3^–]/C_a",
      "&alfa_0=[H_3A]/C_a     &alfa_1=[H_2A^–]/C_a     &alfa_2=[HA^2^–]/C_a     "
      "&alfa_3=[A^3^–]/C_a",
      "&FC=200;0;0:&alfa_0=[H_3A]/C_a=0     &FC=0;100;220:&alfa_1=[H_2A^–]/C_a     "
      "&FC=0;128;0:&alfa_2=[HA^2^–]/C_a     &FC=196;128;0:&alfa_3=[A^3^–]/C_a",
      "&alfa_0=[H_3A]/C_a=0     &alfa_1=[H_2A^–]/C_a     &alfa_2=[HA^2^–]/C_a     "
      "&alfa_3=[A^3^–]/C_a"}},
    {23,
     "pH  vs.  C_S_A.  @pH versus added strong acid concentration C_S_A",
     "Added strong acid concentration C_S_A (mol/L)",
     "pH",
     {X::AddedAcidConcentration, false, Y::PH, 1, A::Unit, A::Decades, {"C_S_A (mol/L)", "pH"}}},
    {24,
     "pH  vs.  pC_S_A.  @pH versus added strong acid concentration.  pC_S_A = –log_1_0C_S_A",
     "Added strong acid concentration pC_S_A",
     "pH",
     {X::AddedAcidConcentration, true, Y::PH, 1, A::Decades, A::Decades, {"pC_S_A", "pH"}}},
    {25,
     "pH  vs.  C_S_B.  @pH versus added strong base concentration C_S_B",
     "Added strong base concentration C_S_B (mol/L)",
     "pH",
     {X::AddedBaseConcentration, false, Y::PH, 1, A::Unit, A::Decades, {"C_S_B (mol/L)", "pH"}}},
    {26,
     "pH  vs.  pC_S_B.  @pH versus added strong base concentration.  pC_S_B = –log_1_0C_S_B",
     "Added strong base concentration pC_S_B",
     "pH",
     {X::AddedBaseConcentration, true, Y::PH, 1, A::Decades, A::Decades, {"pC_S_B", "pH"}}},
    {27,
     "pH  vs.  V_S_A.  @pH versus volume of added strong acid V_S_A",
     "Volume of added strong acid V_S_A (mL)",
     "pH",
     {X::AddedAcidVolume, false, Y::PH, 1, A::Kept, A::Decades, {"V_S_A (mL)", "pH"}}},
    {29,
     "pH  vs.  V_S_B.  @pH versus volume of added strong base V_S_B",
     "Volume of added strong base V_S_B (mL)",
     "pH",
     {X::AddedBaseVolume, false, Y::PH, 1, A::Kept, A::Decades, {"V_S_B (mL)", "pH"}}},
    {31,
     "-&DeltapH/&DeltaV  vs.  V_S_A.  @Rate of change of pH with change of volume  vs.  volume "
     "of added strong acid V_S_A",
     "Volume of added strong acid V_S_A (mL)",
     "-&DeltapH/&DeltaV",
     {X::AddedAcidVolume,
      false,
      Y::Slope,
      1,
      A::Kept,
      A::Kept,
      {"V_S_A (mL)", "-&DeltapH/&DeltaV"}}},
    {33,
     "&DeltapH/&DeltaV  vs.  V_S_B.  @Rate of change of pH with change of volume  vs.  volume of "
     "added strong base V_S_B",
     "Volume of added strong base V_S_B (mL)",
     "&DeltapH/&DeltaV",
     {X::AddedBaseVolume,
      false,
      Y::Slope,
      1,
      A::Kept,
      A::Kept,
      {"V_S_B (mL)", "&DeltapH/&DeltaV"}}},
};

struct Offer {
    const char* code;
    std::vector<std::int16_t> kinds;
};

// Catalogue rows 1..34 in order.
const Offer Offers[] = {
    {"10", {1, 2}},
    {"11", {1, 2, 7, 8, 11, 12, 16}},
    {"12", {1, 2, 20}},
    {"12C", {1, 2, 20}},
    {"13", {1, 2, 22}},
    {"13C", {1, 2, 22}},
    {"14", {3, 4}},
    {"15", {3, 4, 9, 10, 13, 14, 18}},
    {"20", {5, 6}},
    {"21", {5, 6, 9, 10}},
    {"22", {5, 6, 7, 8}},
    {"23", {5, 6, 7, 8, 9, 10}},
    {"30", {1, 2, 3, 4}},
    {"31", {1, 2, 3, 4, 9, 10}},
    {"32", {1, 2, 3, 4, 7, 8}},
    {"33", {1, 2, 3, 4, 7, 8, 9, 10}},
    {"34", {1, 2, 3, 4}},
    {"34C", {1, 2, 3, 4}},
    {"35", {1, 2, 3, 4}},
    {"35C", {1, 2, 3, 4}},
    {"40", {1, 2, 5, 6, 7, 8}},
    {"41", {3, 4, 5, 6, 9, 10}},
    {"42", {23, 24, 27}},
    {"43", {23, 24, 27}},
    {"44", {25, 26, 29}},
    {"45", {25, 26, 29}},
    {"50", {29, 33}},
    {"51", {29, 33}},
    {"52", {27, 31}},
    {"53", {27, 31}},
    {"54", {29, 33}},
    {"54C", {29, 33}},
    {"55", {29, 33}},
    {"55C", {29, 33}},
};

} // namespace

const GraphKindFacts& KindFacts(int kind) {
    static const std::array<GraphKindFacts, GraphKindCount> facts = [] {
        std::array<GraphKindFacts, GraphKindCount> f{};
        for (const KindRow& k : Kinds)
            f[k.kind] = k.facts;
        return f;
    }();
    static const GraphKindFacts none{};
    return kind >= 0 && kind < GraphKindCount ? facts[kind] : none;
}

bool IsSolutionQuantity(XQuantity x) {
    return x == X::AcidConcentration || x == X::BaseConcentration || x == X::SaltConcentration ||
           x == X::AcidConstant || x == X::BaseConstant;
}

bool IsAddedConcentration(XQuantity x) {
    return x == X::AddedAcidConcentration || x == X::AddedBaseConcentration;
}

bool IsAddedVolume(XQuantity x) {
    return x == X::AddedAcidVolume || x == X::AddedBaseVolume;
}

void InicializaDescripciones(GraphCatalogue& catalogue) {
    catalogue = GraphCatalogue{};
    for (const KindRow& k : Kinds) {
        catalogue.GraphKindTitle[k.kind] = k.title;
        catalogue.GraphKindXName[k.kind] = k.xName;
        catalogue.GraphKindYName[k.kind] = k.yName;
    }
    int row = 1;
    for (const Offer& offer : Offers) {
        catalogue.GraphOfferCode[row] = offer.code;
        int slot = 1;
        for (std::int16_t kind : offer.kinds)
            catalogue.GraphOffer[row][slot++] = kind;
        ++row;
    }
}

const GraphCatalogue& Catalogue() {
    static const GraphCatalogue catalogue = [] {
        GraphCatalogue c;
        InicializaDescripciones(c);
        return c;
    }();
    return catalogue;
}

std::vector<int> OfferedKinds(const GraphCatalogue& catalogue, std::string_view code) {
    std::vector<int> kinds;
    for (int row = 1; row <= OfferRowCount; ++row) {
        if (catalogue.GraphOfferCode[row] != code) continue;
        for (int slot = 1; slot <= OfferSlotCount; ++slot)
            if (catalogue.GraphOffer[row][slot] != 0)
                kinds.push_back(catalogue.GraphOffer[row][slot]);
        break;
    }
    return kinds;
}

bool NeedsExtraFields(std::string_view code, int kind) {
    const engine::ProblemType* problem = engine::FindProblem(code);
    return problem != nullptr && problem->strongAdded && IsAddedVolume(KindFacts(kind).x);
}

std::string ListTitle(std::string_view title) {
    std::string s(title);
    s.erase(std::remove(s.begin(), s.end(), '@'), s.end());
    return s;
}

std::string Subtitle(std::string_view title) {
    const std::size_t at = title.find('@');
    return std::string(at == std::string_view::npos ? title : title.substr(at + 1));
}

std::string PlainTitle(std::string_view title) {
    // The symbol words the catalogue's titles use.
    static constexpr std::pair<std::string_view, std::string_view> Symbols[] = {
        {"&alfa", "α"}, {"&Delta", "Δ"}, {"&&", "&"}};
    std::string plain;
    std::size_t i = 0;
    while (i < title.size()) {
        const char c = title[i];
        if ((c == '_' || c == '^') && i + 1 < title.size()) {
            // "__" and "^^" stand for the mark itself.
            plain += title[i + 1];
            i += 2;
        } else if (c == '&') {
            const auto symbol = std::find_if(std::begin(Symbols), std::end(Symbols), [&](auto& s) {
                return title.substr(i).starts_with(s.first);
            });
            if (symbol != std::end(Symbols)) {
                plain += symbol->second;
                i += symbol->first.size();
            } else {
                ++i; // an unknown form: the renderer skips its "&"
            }
        } else {
            plain += c == '-' ? std::string_view("–") : std::string_view(&title[i], 1);
            ++i;
        }
    }
    return plain;
}

} // namespace corvane::graphs
