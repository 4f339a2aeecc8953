// \brief The catalogue of graph kinds: for each kind its title and axis names in mark-up, what
// x sets and what y shows, the default axes and the table headings; and the kinds each problem
// code offers.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::graphs {

inline constexpr int GraphKindCount = 34; // GraphKind 0..33
inline constexpr int OfferRowCount = 34;  // catalogue rows 1..34
inline constexpr int OfferSlotCount = 8;  // slots 1..8 are shown

/// The quantity the x axis stands for.
enum class XQuantity {
    None,
    AcidConcentration,      // C_a
    BaseConcentration,      // C_b
    SaltConcentration,      // C_S
    AcidConstant,           // k_a
    BaseConstant,           // k_b
    AddedAcidConcentration, // C_S_A
    AddedBaseConcentration, // C_S_B
    PH,
    AddedAcidVolume, // V_S_A
    AddedBaseVolume, // V_S_B
};

/// What the curves show.
enum class YQuantity { None, PH, Alpha, MolarFractions, Slope };

/// A default axis: kept as it was, 0 to 1 by 0.05 with every second tick labelled, or -1 to 15
/// by 1.
enum class AxisPreset { Kept, Unit, Decades };

/// What the curves, the scales and the table of one graph kind are made of.
struct GraphKindFacts {
    XQuantity x = XQuantity::None;
    bool negativeLog = false; // x is −log10 of the quantity (pC_a, pk_a...)
    YQuantity y = YQuantity::None;
    int curves = 0;
    AxisPreset xAxis = AxisPreset::Kept, yAxis = AxisPreset::Kept;
    std::array<std::string_view, 5> headings{}; // the data table's columns
    // The caption of a kind whose caption does not depend on the code ("" for the others),
    // the table's form of it without colours, and both for the "C" variants, whose first
    // dissociation is complete.
    std::string_view caption{};
    std::string_view tableCaption{};
    std::string_view firstCompleteCaption{};
    std::string_view firstCompleteTableCaption{};
};

/// The facts of a kind; none (XQuantity::None) for an unused or unknown kind.
const GraphKindFacts& KindFacts(int kind);

/// x is a concentration or a constant of the solution itself (not added to it).
bool IsSolutionQuantity(XQuantity x);
/// x is a concentration of an added strong acid or base.
bool IsAddedConcentration(XQuantity x);
/// x is a volume of an added strong acid or base.
bool IsAddedVolume(XQuantity x);

struct GraphCatalogue {
    std::array<std::string, GraphKindCount> GraphKindTitle;
    std::array<std::string, GraphKindCount> GraphKindXName;
    std::array<std::string, GraphKindCount> GraphKindYName;
    std::array<std::string, OfferRowCount + 1> GraphOfferCode;
    std::array<std::array<std::int16_t, 11>, OfferRowCount + 1> GraphOffer{};
};

/// Fills the catalogue: kinds 1..33 (15, 17, 19, 21, 28, 30 and 32 stay empty) and the offer
/// table of the 34 problem codes.
void InicializaDescripciones(GraphCatalogue& catalogue);

/// The catalogue, filled once.
const GraphCatalogue& Catalogue();

/// The kinds a code offers in slot order; none for a code outside the offer table.
std::vector<int> OfferedKinds(const GraphCatalogue& catalogue, std::string_view code);

/// The volume kinds of a buffer with a strong acid or base added need the buffer volume and the
/// added concentration.
bool NeedsExtraFields(std::string_view code, int kind);

/// The title as the chooser lists it: every "@" removed.
std::string ListTitle(std::string_view title);
/// The part after the first "@" (the whole title when it has none).
std::string Subtitle(std::string_view title);

/// The characters the mark-up renderer draws for a catalogue title, without a drawing
/// surface: "_c" and "^c" give c, "&alfa" and "&Delta" their Greek letters, "-" the en dash.
std::string PlainTitle(std::string_view title);

} // namespace corvane::graphs
