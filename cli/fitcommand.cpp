// corvane-cli fit: a measured titration fitted by least squares on its pH, with the standard
// errors of the fitted values, then the problem solved with them as "solve" prints it.
#include "request.h"

#include "commandline.h"

#include "engine/reason.h"
#include "fit/fit.h"
#include "fit/titrationmodel.h"

#include <algorithm>
#include <ostream>
#include <sstream>

namespace corvane::cli {

namespace {

using engine::EquilAB;

constexpr const char* OffsetName = "pH_offset";

struct FitOptions {
    std::string data;
    std::string names;  // the --fit list
    std::string offset; // the text of pH_offset=VALUE
};

std::string nameOf(const engine::ProblemType& problem, int slot) {
    return fit::UnknownName(problem.code, slot);
}

// The --fit list: names of the curve's quantities, and pH_offset.
std::vector<int> unknownsOf(const engine::ProblemType& problem, const std::string& list) {
    const std::vector<int> curve = fit::CurveSlots(problem.code);
    std::vector<int> unknowns;
    std::istringstream names(list);
    std::string name;
    while (std::getline(names, name, ',')) {
        const int slot = name == OffsetName ? fit::PHOffset : resolveSlot(problem, name);
        if (slot != fit::PHOffset && std::find(curve.begin(), curve.end(), slot) == curve.end()) {
            std::vector<std::string> offered;
            for (int s : curve)
                offered.push_back(nameOf(problem, s));
            offered.emplace_back(OffsetName);
            throw UsageError{"\"" + name + "\" cannot be fitted; the curve of code " +
                             std::string(problem.code) + " takes " + engine::JoinNames(offered)};
        }
        if (std::find(unknowns.begin(), unknowns.end(), slot) != unknowns.end())
            throw UsageError{"--fit names \"" + name + "\" twice"};
        unknowns.push_back(slot);
    }
    if (unknowns.empty()) throw UsageError{"--fit needs at least one NAME"};
    return unknowns;
}

int refuse(std::ostream& err, const std::string& message, const std::string& reason = {}) {
    err << "corvane-cli: " << message << "\n";
    if (!reason.empty()) err << "corvane-cli: " << reason << "\n";
    return ExitInvalidInput;
}

void writeFitted(const SolveRequest& request, const fit::FitResult& result, char separator,
                 std::ostream& out) {
    const engine::ProblemType& problem = *request.problem;
    std::int16_t formatError = 0;
    auto text = [&](double v) {
        return numtext::FormatNumber(v, request.digits, separator, formatError);
    };
    if (request.json) {
        out << "{\"code\":" << jsonString(problem.code) << ",\"fitted\":{";
        for (std::size_t i = 0; i < result.fitted.size(); ++i) {
            const fit::FittedValue& f = result.fitted[i];
            out << (i ? "," : "") << jsonString(nameOf(problem, f.slot))
                << ":{\"value\":" << fullPrecision(f.value) << ",\"se\":" << fullPrecision(f.se)
                << "}";
        }
        out << "},\"rms\":" << fullPrecision(result.rms) << ",\"r2\":" << fullPrecision(result.r2)
            << ",\"points\":" << result.points << ",\"solve\":";
        return;
    }
    for (const fit::FittedValue& f : result.fitted)
        out << nameOf(problem, f.slot) << '\t' << text(f.value) << '\t' << text(f.se) << '\n';
    // R² of a good titration differs from 1 only in the fifth digit or later.
    out << "rms\t" << text(result.rms) << "\nr2\t"
        << numtext::FormatNumber(result.r2, std::max(request.digits, 8), separator, formatError)
        << "\npoints\t" << result.points << '\n';
}

} // namespace

int RunFit(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() < 2) throw UsageError{"fit needs a problem code"};
    FitOptions options;
    SolveRequest request =
        parseSolve(args, 2, [&options](const std::vector<std::string>& a, std::size_t& i) {
            const std::string& arg = a[i];
            if (arg.starts_with("--data"))
                options.data = optionValue(a, i, "--data");
            else if (arg.starts_with("--fit"))
                options.names = optionValue(a, i, "--fit");
            else if (arg.starts_with(std::string(OffsetName) + "="))
                options.offset = arg.substr(arg.find('=') + 1);
            else
                return false;
            return true;
        });
    const engine::ProblemType& problem = *request.problem;
    const std::vector<int> curve = fit::CurveSlots(problem.code);
    if (curve.empty())
        throw UsageError{"fit takes the titration codes 50 to 55C, not " +
                         std::string(problem.code)};
    if (options.data.empty()) throw UsageError{"fit needs --data FILE"};
    if (options.names.empty()) throw UsageError{"fit needs --fit NAME[,NAME...]"};
    const std::vector<int> unknowns = unknownsOf(problem, options.names);

    const fit::MeasuredData data = fit::ReadMeasuredFile(options.data);
    if (!data.ok()) return refuse(err, "the measured data were refused", data.error);

    // The fixed quantities as the solver completes them from what was given; the given values
    // of the unknowns are only where the fit starts.
    numtext::NumberSettings numbers;
    fit::FitRequest fitting;
    fitting.code = problem.code;
    EquilAB model(request.pKw);
    applyModel(request, model);
    fitting.pKw = model.pKw;
    fitting.activity = model.Activity;
    fitting.temperature = model.Temperature;
    fitting.unknowns = unknowns;
    fitting.points = data.points;
    SolveRequest fixed = request;
    std::map<int, std::string> starts;
    for (int slot : unknowns) {
        if (const auto given = fixed.values.find(slot); given != fixed.values.end()) {
            starts.insert(*given);
            fixed.values.erase(given);
        }
        fixed.constants.erase(slot);
    }
    EquilAB state(request.pKw);
    std::string reason;
    // Without the unknowns the problem is incomplete, which the fit then completes.
    const Status status = solveProblem(fixed, state, numbers, reason);
    if (status != Status::Ok && status != Status::Incomplete)
        return refuse(err, statusMessage(status), reason);
    fitting.values = state.IOValues;
    std::vector<std::string> missing;
    for (int slot : curve)
        if (std::find(unknowns.begin(), unknowns.end(), slot) == unknowns.end() &&
            engine::IsEmpty(state.IOValues[slot]))
            missing.push_back(nameOf(problem, slot));
    if (!missing.empty())
        return refuse(err, "the curve needs " + engine::JoinNames(missing) +
                               ", neither given nor fitted");
    for (int slot : unknowns) {
        if (slot == fit::PHOffset) continue;
        fitting.values[slot] =
            request.constants.contains(slot) ? request.constants.at(slot) : engine::EmptyValue;
    }
    auto read = [&](const std::string& name, const std::string& text, double& value) {
        std::int16_t readError = 0;
        const double v = numtext::ParseNumberToken(text, numbers, readError);
        if (readError != 0 || engine::IsEmpty(v)) {
            reason = name + " = \"" + text + "\" cannot be read as a number";
            return false;
        }
        value = v;
        return true;
    };
    for (const auto& [slot, text] : starts)
        if (!read(nameOf(problem, slot), text, fitting.values[slot]))
            return refuse(err, ReadingErrorMessage, reason);
    if (!options.offset.empty() && !read(OffsetName, options.offset, fitting.offset))
        return refuse(err, ReadingErrorMessage, reason);

    const fit::FitResult result = fit::FitTitration(fitting);
    if (!result.ok()) {
        if (request.json)
            out << "{\"code\":" << jsonString(problem.code)
                << ",\"reason\":" << jsonString(result.reason) << "}\n";
        return refuse(err, "the fit was refused", result.reason);
    }

    // The problem solved with the fitted curve, as solve prints it.
    SolveRequest solved;
    solved.problem = request.problem;
    solved.pKw = request.pKw;
    solved.digits = request.digits;
    solved.json = request.json;
    solved.activity = request.activity;
    solved.temperature = request.temperature;
    EquilAB final(request.pKw);
    applyModel(request, final);
    for (int slot : curve)
        final.IOValues[slot] = result.values[slot];
    engine::RunProblem(final, problem.code);
    const Status finalStatus = final.CalcError == 0 ? Status::Ok : Status::CalculationError;
    if (finalStatus != Status::Ok) calc::ClearResults(problem, final);
    writeFitted(request, result, numbers.DecimalSeparator, out);
    writeSolution(solved, final, finalStatus, final.CalcErrorReason, numbers.DecimalSeparator, out);
    if (request.json) out << "}\n";
    if (finalStatus == Status::Ok) return ExitOk;
    return refuse(err, statusMessage(finalStatus));
}

} // namespace corvane::cli
