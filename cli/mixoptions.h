// \brief The options mix and species share and how they write numbers and refusals.
#pragma once

#include "graphoutput.h"
#include "request.h"

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
    double pKw = 14.0;
    GraphRequest graph; // --picture, --size, --table
    numtext::NumberSettings numbers;
};

/// Takes a shared option at args[i] (moving i past its value); false for anything else.
bool takeMixOption(const std::vector<std::string>& args, std::size_t& i, MixOptions& o);

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
