#include "titration_flask.h"

#include "catalogue.h"

#include <utility>
#include <vector>

namespace corvane::engine {

namespace {

// The mixture problem a titration's flask is, and where its slots come from.
struct FlaskLayout {
    std::string_view titration;
    std::string_view mixture;
    bool acidTitrated;
    int titrant;
    std::vector<std::pair<int, int>> constants; // (mixture slot, titration slot)
};

const std::vector<FlaskLayout>& flaskLayouts() {
    static const std::vector<FlaskLayout> layouts{
        {"50", "30", true, 3, {}},
        {"51", "32", true, 3, {{3, 2}}},
        {"52", "30", false, 3, {}},
        {"53", "31", false, 3, {{4, 2}}},
        {"54", "34", true, 6, {{3, 3}, {4, 4}}},
        {"54C", "34C", true, 6, {{4, 4}}},
        {"55", "35", true, 6, {{3, 3}, {4, 4}, {5, 5}}},
        {"55C", "35C", true, 6, {{4, 4}, {5, 5}}},
    };
    return layouts;
}

const FlaskLayout* flaskOf(std::string_view code) {
    for (const FlaskLayout& f : flaskLayouts())
        if (f.titration == code) return &f;
    return nullptr;
}

} // namespace

bool HasTitrationFlask(std::string_view code) {
    return flaskOf(code) != nullptr;
}

double PHInFlask(std::string_view code, const Slots& titration, double V, EquilAB& work) {
    const FlaskLayout& f = *flaskOf(code);
    const double C = titration[0], V0 = titration[1], T = titration[f.titrant];
    const double analyte = C * V0 / (V0 + V), titrant = T * V / (V + V0);
    work.IOValues.fill(EmptyValue);
    work.IOValues[0] = f.acidTitrated ? analyte : titrant;
    work.IOValues[1] = f.acidTitrated ? titrant : analyte;
    for (auto [to, from] : f.constants)
        work.IOValues[to] = titration[from];
    RunProblem(work, f.mixture);
    return work.IOValues[2];
}

} // namespace corvane::engine
