#include "scales.h"

#include "activitycurves.h"
#include "catalogue.h"

#include "engine/catalogue.h"
#include "engine/slots.h"
#include "numtext/numbertext.h"

#include <cmath>
#include <initializer_list>
#include <span>
#include <string_view>

namespace corvane::graphs {

namespace {

namespace buffer = engine::slot::buffer;
namespace titration = engine::slot::titration;
namespace polyprotic_titration = engine::slot::polyprotic_titration;

bool isCode(std::string_view code, std::initializer_list<std::string_view> codes) {
    for (std::string_view c : codes)
        if (c == code) return true;
    return false;
}

struct CodeText {
    std::string_view code;
    const char* text;
};

// Caption templates: "{n}" stands for IOValues[n] with 4 significant digits.
const CodeText AcidConcentrationCaptions[] = {
    {"11", "k_a = {3}"},
    {"12", "k_1 = {3}   k_2 = {4}"},
    {"12C", "k_2 = {4}"},
    {"13", "k_1 = {3}   k_2 = {4}   k_3 = {5}"},
    {"13C", "k_2 = {4}   k_3 = {5}"},
    {"30", "C_b = {1} mol/L"},
    {"31", "C_b = {1} mol/L   k_b = {4}"},
    {"32", "C_b = {1} mol/L   k_a = {3}"},
    {"33", "k_a = {3}   C_b = {1} mol/L   k_b = {4}"},
    {"34", "k_1 = {3}  k_2 = {4}   C_b = {1} mol/L"},
    {"34C", "k_2 = {4}   C_b = {1} mol/L"},
    {"35", "k_1 = {3}  k_2 = {4}  k_3 = {5}   C_b = {1} mol/L"},
    {"35C", "k_2 = {4}  k_3 = {5}   C_b = {1} mol/L"},
    {"40", "k_a = {3}  C_S = {1} mol/L"},
};

const CodeText BaseConcentrationCaptions[] = {
    {"15", "k_b = {3}"},
    {"30", "C_a = {0} mol/L"},
    {"31", "C_a = {0} mol/L   k_b = {4}"},
    {"32", "C_a = {0} mol/L   k_a = {3}"},
    {"33", "k_b = {4}   C_a = {0} mol/L   k_a = {3}"},
    {"34", "C_a = {0} mol/L   k_1 = {3}  k_2 = {4}"},
    {"34C", "C_a = {0} mol/L   k_2 = {4}"},
    {"35", "C_a = {0} mol/L   k_1 = {3}  k_2 = {4}  k_3 = {5}"},
    {"35C", "C_a = {0} mol/L   k_2 = {4}  k_3 = {5}"},
    {"41", "k_b = {3}  C_S = {1} mol/L"},
};

const CodeText SaltConcentrationCaptions[] = {
    {"21", "k_b = {4}"},
    {"22", "k_a = {3}"},
    {"23", "k_a = {3}   k_b = {4}"},
    {"40", "C_a = {0} mol/L   k_a = {3}"},
    {"41", "C_b = {0} mol/L   k_b = {3}"},
};

const CodeText AcidConstantCaptions[] = {
    {"11", "C_a = {0} mol/L"},
    {"22", "C_S = {0} mol/L"},
    {"23", "C_S = {0} mol/L   k_b = {4}"},
    {"32", "C_a = {0} mol/L   C_b = {1} mol/L"},
    {"33", "C_a = {0} mol/L   C_b = {1} mol/L   k_b = {4}"},
    {"40", "C_a = {0} mol/L   C_S = {1} mol/L"},
};

const CodeText BaseConstantCaptions[] = {
    {"15", "C_b = {0} mol/L"},
    {"21", "C_S = {0} mol/L"},
    {"23", "C_S = {0} mol/L   k_a = {3}"},
    {"31", "C_a = {0} mol/L   C_b = {1} mol/L"},
    {"33", "C_a = {0} mol/L   C_b = {1} mol/L   k_a = {3}"},
    {"41", "C_b = {0} mol/L   C_S = {1} mol/L"},
};

const CodeText AddedConcentrationCaptions[] = {
    {"42", "k_a = {3}  C_a = {0} mol/L  C_S = {1} mol/L"},
    {"44", "k_a = {3}  C_a = {0} mol/L  C_S = {1} mol/L"},
    {"43", "k_b = {3}  C_b = {0} mol/L  C_S = {1} mol/L"},
    {"45", "k_b = {3}  C_b = {0} mol/L  C_S = {1} mol/L"},
};

const CodeText AddedVolumeCaptions[] = {
    {"42", "k_a = {3}  C_a_0 = {0} mol/L  C_S_0 = {1} mol/L  V_D_I_S_o = {15} mL"},
    {"44", "k_a = {3}  C_a_0 = {0} mol/L  C_S_0 = {1} mol/L  V_D_I_S_o = {15} mL"},
    {"43", "k_b = {3}  C_b_0 = {0} mol/L  C_S_0 = {1} mol/L  V_D_I_S_o = {15} mL"},
    {"45", "k_b = {3}  C_b_0 = {0} mol/L  C_S_0 = {1} mol/L  V_D_I_S_o = {15} mL"},
    {"50", "C_a_0 = {0} mol/L  V_a_0 = {1} mL  C_S_B = {3} mol/L"},
    {"51", "C_a_0 = {0} mol/L  V_a_0 = {1} mL  k_a = {2}  C_S_B = {3} mol/L"},
    {"52", "C_b_0 = {0} mol/L  V_b_0 = {1} mL  C_S_A = {3} mol/L"},
    {"53", "C_b_0 = {0} mol/L  V_b_0 = {1} mL  k_b = {2}  C_S_A = {3} mol/L"},
    {"54", "C_a_0 = {0} mol/L  V_a_0 = {1} mL  k_1 = {3}  k_2 = {4}  C_S_B = {6} mol/L"},
    {"54C", "C_a_0 = {0} mol/L  V_a_0 = {1} mL  k_2 = {4}  C_S_B = {6} mol/L"},
    {"55", "C_a_0 = {0} mol/L  V_a_0 = {1} mL  k_1 = {3}  k_2 = {4}  k_3 = {5}  C_S_B = {6} mol/L"},
    {"55C", "C_a_0 = {0} mol/L  V_a_0 = {1} mL  k_2 = {4}  k_3 = {5}  C_S_B = {6} mol/L"},
};

// Title suffixes for the alpha and molar-fraction kinds.
const CodeText ConstantTitles[] = {
    {"11", "  k_a = {3}"},
    {"12", "  k_1 = {3}   k_2 = {4}"},
    {"12C", "  k_2 = {4}"},
    {"13", "  k_1 = {3}   k_2 = {4}   k_3 = {5}"},
    {"13C", "  k_2 = {4}   k_3 = {5}"},
    {"15", "  k_b = {3}"},
};

// The parameters that stay fixed along the x axis, by what x is.
std::span<const CodeText> captionsAlong(XQuantity x) {
    switch (x) {
    case XQuantity::AcidConcentration:
        return AcidConcentrationCaptions;
    case XQuantity::BaseConcentration:
        return BaseConcentrationCaptions;
    case XQuantity::SaltConcentration:
        return SaltConcentrationCaptions;
    case XQuantity::AcidConstant:
        return AcidConstantCaptions;
    case XQuantity::BaseConstant:
        return BaseConstantCaptions;
    case XQuantity::AddedAcidConcentration:
    case XQuantity::AddedBaseConcentration:
        return AddedConcentrationCaptions;
    case XQuantity::AddedAcidVolume:
    case XQuantity::AddedBaseVolume:
        return AddedVolumeCaptions;
    default:
        return {};
    }
}

// The steps of AjustaEscalasETC in their order; a later step overwrites what an earlier one
// wrote, and a failing step is noted and skipped.
class Adjuster {
public:
    Adjuster(GraphSettings& settings, engine::EquilAB& state, char decimalSeparator)
        : s(settings), kind(KindFacts(settings.GraphKind)), code(settings.ProblemCode),
          problem(engine::FindProblem(settings.ProblemCode)), io(state.IOValues),
          calcError(state.CalcError), separator(decimalSeparator) {}

    void startOver() {
        s.GraphTitle = s.TaskTitle;
        s.ParamCaption.clear();
        s.TableCaption.clear();
        for (std::string& heading : s.ColumnHeading)
            heading.clear();
    }

    void parameterCaption() {
        if (const char* text = find(captionsAlong(kind.x))) s.ParamCaption = fill(text);
    }

    // The degree of dissociation of a monoprotic acid or base and the molar fractions name the
    // constants in the title line.
    void constantsInTitle() {
        const bool monoprotic = isCode(code, {"11", "15"});
        if (kind.y == YQuantity::MolarFractions || (kind.y == YQuantity::Alpha && monoprotic))
            if (const char* suffix = find(ConstantTitles))
                s.GraphTitle = s.TaskTitle + fill(suffix);
    }

    void defaultScales() {
        axis(kind.xAxis, true);
        axis(kind.yAxis, false);
        for (std::size_t i = 0; i < s.ColumnHeading.size(); ++i)
            s.ColumnHeading[i] = kind.headings[i];
        const bool firstComplete = problem != nullptr && problem->firstDissociationComplete &&
                                   !kind.firstCompleteCaption.empty();
        const std::string_view caption = firstComplete ? kind.firstCompleteCaption : kind.caption;
        const std::string_view tableCaption =
            firstComplete ? kind.firstCompleteTableCaption : kind.tableCaption;
        if (!caption.empty()) s.ParamCaption = caption;
        if (!tableCaption.empty()) s.TableCaption = tableCaption;
    }

    // Acidic solutions keep to the acidic side, alkaline ones to the alkaline side.
    void pHRangeOfSolution() {
        if (kind.y != YQuantity::PH || !IsSolutionQuantity(kind.x)) return;
        if (isCode(code, {"10", "11", "12", "12C", "13", "13C", "21"})) yAxis(-1, 8, 1, 1);
        if (isCode(code, {"14", "15", "22"})) yAxis(6, 15, 1, 1);
    }

    // The added strong acid or base of a buffer runs up to twice its weak pair.
    void addedConcentrationSpan() {
        if (strongAdded() && IsAddedConcentration(kind.x) && !kind.negativeLog)
            spanAxis(2 * (io[buffer::C] + io[buffer::CS]), 4);
    }

    // The volume kinds run past the (last) equivalence point.
    void volumeSpan() {
        if (!IsAddedVolume(kind.x)) return;
        if (strongAdded())
            spanAxis(divide(2 * (io[buffer::C] + io[buffer::CS]) * io[buffer::Volume],
                            io[buffer::AddedConcentration]),
                     2);
        else if (isCode(code, {"50", "51", "52", "53"}))
            spanAxis(2 * io[titration::Veq], 2);
        else if (isCode(code, {"54", "54C"}))
            spanAxis(io[polyprotic_titration::Veq] * 3 / 2, 2);
        else if (isCode(code, {"55", "55C"}))
            spanAxis(io[polyprotic_titration::Veq] * 4 / 3, 2);
    }

    // The slope kinds reach a little above the slope at the equivalence point, which every
    // titration leaves in the same slot.
    void slopeRange() {
        if (kind.y != YQuantity::Slope) return;
        const double slope = io[titration::Slope];
        s.YMin = 0;
        s.YMax = 1.2 * slope;
        if (const std::optional<double> step = DecadeStep(1.1 * slope))
            s.YStep = *step;
        else
            failed = true;
        s.YLabelEvery = 4;
    }

    void tableCaptionFromCaption() {
        if (s.TableCaption.empty()) s.TableCaption = s.ParamCaption;
    }

    // The subtitle names the model its curves are computed with.
    void modelSubtitle(const engine::EquilAB& state) {
        const std::string model = ModelSubtitle(state, code, s.GraphKind);
        if (!model.empty() && !s.GraphSubtitle.ends_with(model)) s.GraphSubtitle += model;
    }

    // Any failure, or a CalcError already set, fails the whole.
    bool finish(engine::EquilAB& state) const {
        if (failed || state.CalcError != 0) {
            state.CalcError = 1;
            return false;
        }
        return true;
    }

private:
    bool strongAdded() const { return problem != nullptr && problem->strongAdded; }

    // A template with its {n} filled in. A number written clears a CalcError left by an
    // earlier step (a refused entry in the chooser); one that cannot be written is a failure.
    std::string fill(std::string_view text) {
        std::string out;
        std::size_t i = 0;
        while (i < text.size()) {
            const std::size_t close = text.find('}', i);
            if (text[i] == '{' && close != std::string_view::npos) {
                const int slot = std::stoi(std::string(text.substr(i + 1, close - i - 1)));
                std::int16_t formatError = 0;
                out += numtext::FormatNumberMarkup(io[slot], 4, separator, formatError);
                if (formatError != 0)
                    failed = true;
                else if (io[slot] != 0)
                    calcError = 0;
                i = close + 1;
            } else {
                out += text[i++];
            }
        }
        return out;
    }

    const char* find(std::span<const CodeText> table) const {
        for (const CodeText& row : table)
            if (row.code == code) return row.text;
        return nullptr;
    }

    void xAxis(double lo, double hi, double step, int every) {
        s.XMin = lo;
        s.XMax = hi;
        s.XStep = step;
        s.XLabelEvery = every;
    }
    void yAxis(double lo, double hi, double step, int every) {
        s.YMin = lo;
        s.YMax = hi;
        s.YStep = step;
        s.YLabelEvery = every;
    }

    void axis(AxisPreset preset, bool x) {
        if (preset == AxisPreset::Kept) return;
        const bool unit = preset == AxisPreset::Unit;
        if (x)
            xAxis(unit ? 0 : -1, unit ? 1 : 15, unit ? 0.05 : 1, unit ? 2 : 1);
        else
            yAxis(unit ? 0 : -1, unit ? 1 : 15, unit ? 0.05 : 1, unit ? 2 : 1);
    }

    // XMin = 0, XMax = S, XStep = 2 · DecadeStep(S); a span without a step is a failure.
    void spanAxis(double S, int every) {
        if (!std::isfinite(S)) {
            failed = true;
            return;
        }
        s.XMin = 0;
        s.XMax = S;
        if (const std::optional<double> step = DecadeStep(S))
            s.XStep = 2 * *step;
        else
            failed = true;
        s.XLabelEvery = every;
    }

    // a / b where a zero divisor is a failure.
    double divide(double a, double b) {
        if (b == 0) failed = true;
        return a / b;
    }

    GraphSettings& s;
    const GraphKindFacts& kind;
    const std::string& code;
    const engine::ProblemType* problem;
    const engine::Slots& io;
    std::int16_t& calcError;
    char separator;
    bool failed = false;
};

} // namespace

std::optional<double> DecadeStep(double S) {
    if (!(S > 0) || !std::isfinite(S)) return std::nullopt;
    const double L = std::log(S) / std::log(10.0);
    const double E = std::floor(L);
    const double P = std::pow(10.0, E);
    const double F = L - E;
    if (F <= 0.301) return P / 20;
    if (F <= 0.602) return P / 10;
    return P / 5;
}

bool AjustaEscalasETC(GraphSettings& settings, engine::EquilAB& state, char decimalSeparator) {
    Adjuster a(settings, state, decimalSeparator);
    a.startOver();
    a.parameterCaption();
    a.constantsInTitle();
    a.defaultScales();
    a.pHRangeOfSolution();
    a.addedConcentrationSpan();
    a.volumeSpan();
    a.slopeRange();
    a.tableCaptionFromCaption();
    a.modelSubtitle(state);
    return a.finish(state);
}

void ChooseGraphKind(GraphSettings& settings, const GraphCatalogue& catalogue, int kind) {
    settings.GraphKind = static_cast<std::int16_t>(kind);
    const bool known = kind >= 0 && kind < GraphKindCount;
    settings.XAxisName = known ? catalogue.GraphKindXName[kind] : "";
    settings.YAxisName = known ? catalogue.GraphKindYName[kind] : "";
    settings.GraphSubtitle = known ? Subtitle(catalogue.GraphKindTitle[kind]) : "";
}

} // namespace corvane::graphs
