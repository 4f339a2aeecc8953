// \brief The catalogue of graph kinds (titles and axis names in mark-up) and the kinds each
// problem code offers.
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

/// Kinds 27 and 29 of the buffers 42 to 45 need the buffer volume and the added concentration.
bool NeedsExtraFields(std::string_view code, int kind);

/// The title as the chooser lists it: every "@" removed.
std::string ListTitle(std::string_view title);
/// The part after the first "@" (the whole title when it has none).
std::string Subtitle(std::string_view title);

/// The characters the mark-up renderer draws for a catalogue title, without a drawing
/// surface: "_c" and "^c" give c, "&alfa" and "&Delta" their Greek letters, "-" the en dash.
std::string PlainTitle(std::string_view title);

} // namespace corvane::graphs
