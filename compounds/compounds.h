// \brief The table of common weak acids and bases at 25 °C compiled into the program: name,
// formula mark-up, protons, pK values and the source of the values.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::compounds {

enum class Kind { Acid, Base };

/// What one mole of a reagent gives in water: `count` of a form of its system or of a spectator
/// ion, written in formula mark-up with its charge ("HPO_4^2^-", "Na^+").
struct Supply {
    int count;
    std::string formula;
};

/// A substance weighed or poured to make a solution of an acid or base system.
struct Reagent {
    std::string name;
    std::string formula; // formula mark-up
    double molarMass;    // g/mol
    std::vector<Supply> supplies;
    std::string source;
};

struct Compound {
    Kind kind;
    std::string name;
    std::string formula; // formula mark-up
    /// Protons an acid gives up (1 to 3); 1 for a base, which takes up one.
    int protons;
    /// pK_a of each successive proton of an acid, or the pK_b of a base. Only the first step
    /// of an acid may be empty: that proton is given up completely (a strong first step).
    std::vector<std::optional<double>> pk;
    std::string source; // the compilation the values come from
    std::vector<Reagent> reagents;

    bool firstStepComplete() const { return !pk.front().has_value(); }
    /// 10^(-pk) of a step that has a pK.
    double constant(int step) const;
};

/// The text of compounds.csv as compiled into the program.
extern const std::string_view EmbeddedData;

struct ParseResult {
    std::vector<Compound> compounds;
    std::vector<std::string> errors; // "line 12: ..."; a faulty line gives no compound
};

/// Reads the table's text (format described at the top of compounds.csv).
ParseResult ParseCompounds(std::string_view text);

/// The compiled-in table, read on first use.
const std::vector<Compound>& Compounds();
/// What was wrong with the compiled-in table; empty for a sound table.
const std::vector<std::string>& DataErrors();

/// ASCII letters in lower case.
std::string Lowercase(std::string_view s);

/// The formula without its mark-up: "H_2SO_4" → "H2SO4".
std::string PlainFormula(std::string_view markup);

/// True when text is empty or found, ignoring case, in the name or the plain formula of the
/// compound or in the name of one of its reagents, or when it is a reagent's plain formula.
bool Matches(const Compound& compound, std::string_view text);

/// "monoprotic acid", "diprotic acid", "triprotic acid" or "base".
std::string KindText(const Compound& compound);

enum class LookupStatus { Found, NotFound, Ambiguous };

struct Lookup {
    LookupStatus status;
    const Compound* compound = nullptr;
    std::vector<const Compound*> candidates; // the matches when ambiguous
};

/// The compounds of one kind, in table order.
std::vector<const Compound*> OfKind(Kind kind);

/// The compound among some that a user names: the one whose name or plain formula equals the
/// text (ignoring case), else the only one whose name starts with it, else the only one whose
/// name or formula contains it.
Lookup FindCompound(std::string_view text, const std::vector<const Compound*>& among);

} // namespace corvane::compounds
