// \brief What the solve and graph commands share: reading the command line, solving the
// problem as the Calculate button does, and writing JSON.
#pragma once

#include "calc/calculation.h"
#include "engine/catalogue.h"
#include "engine/equilab.h"
#include "numtext/numbertext.h"

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::cli {

using calc::CalculationErrorMessage;
using calc::ReadingErrorMessage;
using calc::Status;

struct UsageError {
    std::string message;
};

struct SolveRequest {
    const engine::ProblemType* problem = nullptr;
    double pKw = 14.0;
    engine::ActivityModel activity = engine::ActivityModel::Ideal;
    /// Kw and A at this temperature in °C instead of the pKw item.
    std::optional<double> temperature;
    int digits = 4;
    bool json = false;
    std::map<int, std::string> values; // by slot
    std::map<int, double> constants;   // by slot, from --acid and --base
};

std::optional<int> parseWhole(const std::string& text);
/// --pkw: 14.00 or 13.59.
double parsePKw(const std::string& text);
/// --activity: ideal or davies.
engine::ActivityModel parseActivity(const std::string& text);
/// --temperature: °C from 0 to 60.
double parseTemperature(const std::string& text);
/// The usage error of --temperature given beside --pkw.
inline constexpr const char* TemperatureWithPKw =
    "--temperature and --pkw exclude each other: Kw follows from the temperature";
/// --digits: 4 to 12.
int parseDigits(const std::string& text);

/// The slot of NAME (a slot index or a quantity's symbol) among the rows the option offers for
/// typing.
int resolveSlot(const engine::ProblemType& problem, const std::string& name);
/// The symbol of a slot's quantity, "-" for a slot the problem does not use.
std::string_view slotName(const engine::ProblemType& problem, int slot);

/// The value of an option given as "--name value" or "--name=value"; args[i] is the option and
/// i moves past its value.
std::string optionValue(const std::vector<std::string>& args, std::size_t& i,
                        const std::string& option);

/// A command's own option at args[i]: true when it took it (moving i past its value).
using ExtraOption = std::function<bool(const std::vector<std::string>& args, std::size_t& i)>;

/// CODE in args[1], then from args[first] on the common options and NAME=VALUE pairs.
SolveRequest parseSolve(const std::vector<std::string>& args, std::size_t first,
                        const ExtraOption& extra = nullptr);

/// The activity model and temperature of the request into a state.
void applyModel(const SolveRequest& request, engine::EquilAB& state);

/// The "activity" member of a JSON object, with its leading comma; empty for an ideal solution
/// at a pKw item.
std::string jsonActivity(const SolveRequest& request, const engine::EquilAB& state);
/// The same for a model, whether a temperature was given, the result's ionic strength and
/// coefficients, and the temperature in °C.
std::string jsonActivity(engine::ActivityModel model, bool temperatureGiven,
                         const engine::ActivityResult& result, double temperature);

/// Reads one given value, a whole number text (an empty one is a reading error), into its slot;
/// false with the reason when it cannot be read.
bool readGiven(const engine::ProblemType& problem, int slot, std::string_view text,
               engine::EquilAB& state, numtext::NumberSettings& settings, std::string& reason);
/// Sets the model and the constants of --acid and --base, reads the given values into a state
/// whose slots start empty, in slot order up to the first failure, and runs the calculation.
/// `reason` says in words why it failed, or, for Incomplete (solved, but an input row still
/// unknown), what else to give, or warns about a result that came (an ionic strength beyond
/// the range of the Davies equation). A failed problem has its results emptied.
Status solveProblem(const SolveRequest& request, engine::EquilAB& state,
                    numtext::NumberSettings& settings, std::string& reason);
/// "ok" or the message of the window's error box; for Incomplete, "incomplete".
const char* statusMessage(Status status);
/// The status as JSON and batch write it: "ok", "reading error", "calculation error",
/// "incomplete".
const char* statusWord(Status status);

/// Writes the problem as solve does: the JSON object (without a line end) or the text lines.
void writeSolution(const SolveRequest& request, const engine::EquilAB& state, Status status,
                   const std::string& reason, char decimalSeparator, std::ostream& out);

/// A JSON string of `text`, made well-formed UTF-8 first (see ValidUtf8).
std::string jsonString(std::string_view text);
/// 17 significant digits.
std::string fullPrecision(double v);

/// The graph command.
int RunGraph(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
/// The fit command.
int RunFit(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace corvane::cli
