#include "mixoptions.h"

#include "commandline.h"

#include <ostream>

namespace corvane::cli {

bool takeMixOption(const std::vector<std::string>& args, std::size_t& i, MixOptions& o) {
    const std::string& arg = args[i];
    if (arg == "--json")
        o.json = true;
    else if (arg.starts_with("--digits"))
        o.digits = parseDigits(optionValue(args, i, "--digits"));
    else if (arg.starts_with("--pkw")) {
        o.pKw = parsePKw(optionValue(args, i, "--pkw"));
        o.pKwGiven = true;
    } else if (arg.starts_with("--picture"))
        parsePicture(optionValue(args, i, "--picture"), o.graph);
    else if (arg.starts_with("--size"))
        parseSize(optionValue(args, i, "--size"), o.graph);
    else if (arg.starts_with("--table"))
        parseTable(optionValue(args, i, "--table"), o.graph);
    else
        return false;
    return true;
}

bool takeActivityOption(const std::vector<std::string>& args, std::size_t& i, MixOptions& o) {
    const std::string& arg = args[i];
    if (arg.starts_with("--activity"))
        o.activity = parseActivity(optionValue(args, i, "--activity"));
    else if (arg.starts_with("--temperature"))
        o.temperature = parseTemperature(optionValue(args, i, "--temperature"));
    else
        return false;
    return true;
}

void finishModel(MixOptions& o) {
    if (o.pKwGiven && o.temperature) throw UsageError{TemperatureWithPKw};
    if (o.temperature) o.pKw = engine::WaterPKw(*o.temperature);
}

engine::MixtureModel mixtureModel(const MixOptions& o) {
    return {o.pKw, o.activity, o.temperature ? *o.temperature : engine::TemperatureOfPKw(o.pKw)};
}

std::string jsonActivity(const MixOptions& o, const engine::MixtureResult& r) {
    const double temperature = mixtureModel(o).temperature;
    return jsonActivity(o.activity, o.temperature.has_value(),
                        {r.ionicStrength, r.gamma, temperature}, temperature);
}

std::string resultText(const MixOptions& o, double v) {
    std::int16_t formatError = 0;
    return numtext::FormatNumber(v, o.digits, o.numbers.DecimalSeparator, formatError);
}

std::optional<double> readOption(const std::string& name, const std::string& text, bool positive,
                                 MixOptions& o, std::string& reason) {
    std::int16_t error = 0;
    const double v = numtext::ParseNumber(text, o.numbers, error);
    if (error != 0 || engine::IsEmpty(v)) {
        reason = name + " = \"" + text + "\" cannot be read as a number";
        return std::nullopt;
    }
    if (positive && !(v > 0)) {
        reason = name + " must be above 0, not \"" + text + "\"";
        return std::nullopt;
    }
    return v;
}

int refuse(const MixOptions& o, Status status, const std::string& reason, std::ostream& out,
           std::ostream& err) {
    const char* message = statusMessage(status);
    if (o.json)
        out << "{\"status\":\""
            << (status == Status::ReadingError ? "reading error" : "calculation error")
            << "\",\"reason\":" << jsonString(reason) << "}\n";
    else
        out << message << '\n' << reason << '\n';
    err << "corvane-cli: " << message << "\n";
    return ExitInvalidInput;
}

} // namespace corvane::cli
