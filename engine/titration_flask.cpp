#include "titration_flask.h"

#include "catalogue.h"
#include "slots.h"

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
    namespace mono = slot::titration;
    namespace poly = slot::polyprotic_titration;
    namespace mix = slot::mixture;
    static const std::vector<FlaskLayout> layouts{
        {"50", "30", true, mono::Titrant, {}},
        {"51", "32", true, mono::Titrant, {{mix::Ka, mono::K}}},
        {"52", "30", false, mono::Titrant, {}},
        {"53", "31", false, mono::Titrant, {{mix::Kb, mono::K}}},
        {"54", "34", true, poly::Titrant, {{mix::Ka, poly::K1}, {mix::Kb, poly::K2}}},
        {"54C", "34C", true, poly::Titrant, {{mix::Kb, poly::K2}}},
        {"55",
         "35",
         true,
         poly::Titrant,
         {{mix::Ka, poly::K1}, {mix::Kb, poly::K2}, {mix::K3, poly::K3}}},
        {"55C", "35C", true, poly::Titrant, {{mix::Kb, poly::K2}, {mix::K3, poly::K3}}},
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
    // The analyte's concentration and volume take the same slots in every titration.
    const double C = titration[slot::titration::C], V0 = titration[slot::titration::V];
    const double T = titration[f.titrant];
    const double analyte = C * V0 / (V0 + V), titrant = T * V / (V + V0);
    work.IOValues.fill(EmptyValue);
    work.IOValues[slot::mixture::Ca] = f.acidTitrated ? analyte : titrant;
    work.IOValues[slot::mixture::Cb] = f.acidTitrated ? titrant : analyte;
    for (auto [to, from] : f.constants)
        work.IOValues[to] = titration[from];
    RunProblem(work, f.mixture);
    return work.IOValues[slot::mixture::PH];
}

} // namespace corvane::engine
