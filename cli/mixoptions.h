// \brief The options mix and species share and how they write numbers and refusals.
#pragma once

#include "graphoutput.h"
#include "request.h"

#include "engine/mixture.h"
#include "numtext/numbertext.h"

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace corvane::cli {

struct MixOptions {
    bool json = false;
    int digits = 4;
    double pKw = 14.0; // of the temperature once it is given
    bool pKwGiven = false;
    engine::ActivityModel activity = engine::ActivityModel::Ideal;
    std::optional<double> temperature; // °C, instead of --pkw
    GraphRequest graph;                // --picture, --size, --table
    numtext::NumberSettings numbers;
};

/// Takes a shared option at args[i] (moving i past its value); false for anything else.
bool takeMixOption(const std::vector<std::string>& args, std::size_t& i, MixOptions& o);

/// Takes --activity or --temperature at args[i] (moving i past its value); false for anything
/// else.
bool takeActivityOption(const std::vector<std::string>& args, std::size_t& i, MixOptions& o);

/// Checks --temperature against --pkw (a usage error together) and sets pKw from the
/// temperature; once the options are read.
void finishModel(MixOptions& o);

/// The model the options solve a mixture with: Kw and A at the temperature, or at the pKw
/// item's temperature.
engine::MixtureModel mixtureModel(const MixOptions& o);

/// The "activity" member of a mixture's JSON object, as solve writes it; empty for an ideal
/// solution at a pKw item.
std::string jsonActivity(const MixOptions& o, const engine::MixtureResult& r);

/// A number as the results are written: the significant digits and separator of the options.
std::string resultText(const MixOptions& o, double v);

/// A number typed for an option, read as solve reads values; with `positive` it must be above
/// 0. Nothing, with the reason, when it is not.
std::optional<double> readOption(const std::string& name, const std::string& text, bool positive,
                                 MixOptions& o, std::string& reason);

/// A refused input: the message and the reason on standard output (or one JSON object), the
/// message on the error stream; the invalid-input exit status.
int refuse(const MixOptions& o, Status status, const std::string& reason, std::ostream& out,
           std::ostream& err);

} // namespace corvane::cli
