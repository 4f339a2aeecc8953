#include "scales.h"

#include "activitycurves.h"
#include "catalogue.h"

#include "numtext/numbertext.h"

#include <cmath>
#include <initializer_list>
#include <string_view>

namespace corvane::graphs {

namespace {

bool in(int kind, std::initializer_list<int> kinds) {
    for (int k : kinds)
        if (k == kind) return true;
    return false;
}

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

// The default axes: 0 to 1 by 0.05 with every second tick labelled, or -1 to 15 by 1.
enum class Axis { Kept, Unit, Decades };

struct KindScale {
    int kind;
    Axis x, y;
    const char* xHeading;
    const char* yHeading;
};

const KindScale Scales[] = {
    {1, Axis::Unit, Axis::Decades, "C_a (mol/L)", "pH"},
    {3, Axis::Unit, Axis::Decades, "C_b (mol/L)", "pH"},
    {5, Axis::Unit, Axis::Decades, "C_S (mol/L)", "pH"},
    {7, Axis::Unit, Axis::Decades, "k_a", "pH"},
    {9, Axis::Unit, Axis::Decades, "k_b", "pH"},
    {2, Axis::Decades, Axis::Decades, "pC_a", "pH"},
    {4, Axis::Decades, Axis::Decades, "pC_b", "pH"},
    {6, Axis::Decades, Axis::Decades, "pC_S", "pH"},
    {8, Axis::Decades, Axis::Decades, "pk_a", "pH"},
    {10, Axis::Decades, Axis::Decades, "pk_b", "pH"},
    {11, Axis::Unit, Axis::Unit, "C_a (mol/L)", "&alfa"},
    {13, Axis::Unit, Axis::Unit, "C_b (mol/L)", "&alfa"},
    {12, Axis::Decades, Axis::Unit, "pC_a", "&alfa"},
    {14, Axis::Decades, Axis::Unit, "pC_b", "&alfa"},
    {16, Axis::Decades, Axis::Unit, "", ""},
    {18, Axis::Decades, Axis::Unit, "", ""},
    {20, Axis::Decades, Axis::Unit, "", ""},
    {22, Axis::Decades, Axis::Unit, "", ""},
    {23, Axis::Unit, Axis::Decades, "C_S_A (mol/L)", "pH"},
    {25, Axis::Unit, Axis::Decades, "C_S_B (mol/L)", "pH"},
    {24, Axis::Decades, Axis::Decades, "pC_S_A", "pH"},
    {26, Axis::Decades, Axis::Decades, "pC_S_B", "pH"},
    {27, Axis::Kept, Axis::Decades, "V_S_A (mL)", "pH"},
    {29, Axis::Kept, Axis::Decades, "V_S_B (mL)", "pH"},
    {31, Axis::Kept, Axis::Kept, "V_S_A (mL)", "-&DeltapH/&DeltaV"},
    {33, Axis::Kept, Axis::Kept, "V_S_B (mL)", "&DeltapH/&DeltaV"},
};

struct Legend {
    int kind;
    std::string_view code; // "" for every code of the kind
    const char* caption;
    const char* tableCaption;
    int fractions;
};

// The first match wins, so the "C" variants come before their kind's general entry.
const Legend Legends[] = {
    {16, "", "&FC=200;0;0:&alfa_0=[HA]/C_a     &FC=0;100;220:&alfa_1=[A^–]/C_a",
     "&alfa_0=[HA]/C_a     &alfa_1=[A^–]/C_a", 2},
    {18, "", "&FC=200;0;0:&alfa_0=[BOH]/C_b     &FC=0;100;220:&alfa_1=[B^+]/C_b",
     "&alfa_0=[BOH]/C_b     &alfa_1=[B^+]/C_b", 2},
    {20, "12C",
     "&FC=200;0;0:&alfa_0=[H_2A]/C_a=0     &FC=0;100;220:&alfa_1=[HA^–]/C_a     "
     "&FC=0;128;0:&alfa_2=[A^2^–]/C_a",
     "&alfa_0=[H_2A]/C_a=0     &alfa_1=[HA^–]/C_a     &alfa_2=[A^2^–]/C_a", 3},
    {20, "",
     "&FC=200;0;0:&alfa_0=[H_2A]/C_a     &FC=0;100;220:&alfa_1=[HA^–]/C_a     "
     "&FC=0;128;0:&alfa_2=[A^2^–]/C_a",
     "&alfa_0=[H_2A]/C_a     &alfa_1=[HA^–]/C_a     &alfa_2=[A^2^–]/C_a", 3},
    {22, "13C",
     "&FC=200;0;0:&alfa_0=[H_3A]/C_a=0     &FC=0;100;220:&alfa_1=[H_2A^–]/C_a     "
     "&FC=0;128;0:&alfa_2=[HA^2^–]/C_a     &FC=196;128;0:&alfa_3=[A^3^–]/C_a",
     "&alfa_0=[H_3A]/C_a=0     &alfa_1=[H_2A^–]/C_a     &alfa_2=[HA^2^–]/C_a     "
     "&alfa_3=[A^3^–]/C_a",
     4},
    {22, "",
     "&FC=200;0;0:&alfa_0=[H_3A]/C_a     &FC=0;100;220:&alfa_1=[H_2A^–]/C_a     "
     "&FC=0;128;0:&alfa_2=[HA^2^–]/C_a     &FC=196;128;0:&alfa_3=[A^3^–]/C_a",
     "&alfa_0=[H_3A]/C_a     &alfa_1=[H_2A^–]/C_a     &alfa_2=[HA^2^–]/C_a     "
     "&alfa_3=[A^3^–]/C_a",
     4},
};

class Adjuster {
public:
    Adjuster(GraphSettings& settings, engine::EquilAB& state, char decimalSeparator)
        : s(settings), io(state.IOValues), calcError(state.CalcError), separator(decimalSeparator) {
    }

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

    template <std::size_t N> const char* find(const CodeText (&table)[N]) const {
        for (const CodeText& row : table)
            if (row.code == s.ProblemCode) return row.text;
        return nullptr;
    }

    template <std::size_t N> void caption(const CodeText (&table)[N]) {
        if (const char* text = find(table)) s.ParamCaption = fill(text);
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

    void axis(Axis preset, bool x) {
        if (preset == Axis::Kept) return;
        const bool unit = preset == Axis::Unit;
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
    GraphSettings& s = settings;
    const int kind = s.GraphKind;
    const std::string& code = s.ProblemCode;
    const engine::Slots& io = state.IOValues;

    // 1. Titles and captions start over.
    s.GraphTitle = s.TaskTitle;
    s.ParamCaption.clear();
    s.TableCaption.clear();
    for (std::string& heading : s.ColumnHeading)
        heading.clear();

    // 2. The parameters that stay fixed along the x axis.
    if (in(kind, {1, 2, 11, 12})) a.caption(AcidConcentrationCaptions);
    if (in(kind, {3, 4, 13, 14})) a.caption(BaseConcentrationCaptions);
    if (in(kind, {5, 6})) a.caption(SaltConcentrationCaptions);
    if (in(kind, {7, 8})) a.caption(AcidConstantCaptions);
    if (in(kind, {9, 10})) a.caption(BaseConstantCaptions);
    if (in(kind, {23, 24, 25, 26})) a.caption(AddedConcentrationCaptions);
    if (in(kind, {27, 29, 31, 33})) a.caption(AddedVolumeCaptions);

    // 3. The constants in the title line.
    if (in(kind, {11, 12, 13, 14}) && isCode(code, {"11", "15"}))
        s.GraphTitle = s.TaskTitle + a.fill(a.find(ConstantTitles));
    if (in(kind, {16, 18, 20, 22}))
        if (const char* suffix = a.find(ConstantTitles))
            s.GraphTitle = s.TaskTitle + a.fill(suffix);

    // 4. Scales, headings and legends by group of kinds.
    for (const KindScale& k : Scales) {
        if (k.kind != kind) continue;
        a.axis(k.x, true);
        a.axis(k.y, false);
        s.ColumnHeading = {k.xHeading, k.yHeading, "", "", ""};
    }
    if (in(kind, {11, 12})) s.ParamCaption = "&alfa=[A^–]/C_a";
    if (in(kind, {13, 14})) s.ParamCaption = "&alfa=[B^+]/C_b";
    for (const Legend& legend : Legends) {
        if (legend.kind != kind || !(legend.code.empty() || legend.code == code)) continue;
        s.ParamCaption = legend.caption;
        s.TableCaption = legend.tableCaption;
        const char* fractions[] = {"&alfa_0", "&alfa_1", "&alfa_2", "&alfa_3"};
        s.ColumnHeading[0] = "pH";
        for (int i = 0; i < legend.fractions; ++i)
            s.ColumnHeading[i + 1] = fractions[i];
        break;
    }
    // 5. Acidic solutions keep to the acidic side, alkaline ones to the alkaline side.
    if (kind >= 1 && kind <= 10) {
        if (isCode(code, {"10", "11", "12", "12C", "13", "13C", "21"})) a.yAxis(-1, 8, 1, 1);
        if (isCode(code, {"14", "15", "22"})) a.yAxis(6, 15, 1, 1);
    }

    // 6. The added strong acid or base of a buffer runs up to twice its weak pair.
    const bool buffer = isCode(code, {"42", "43", "44", "45"});
    if (in(kind, {23, 25}) && buffer) a.spanAxis(2 * (io[0] + io[1]), 4);

    // 7. The volume kinds run past the (last) equivalence point.
    if (kind >= 27 && kind <= 33) {
        if (buffer)
            a.spanAxis(a.divide(2 * (io[0] + io[1]) * io[15], io[16]), 2);
        else if (isCode(code, {"50", "51", "52", "53"}))
            a.spanAxis(2 * io[4], 2);
        else if (isCode(code, {"54", "54C"}))
            a.spanAxis(io[7] * 3 / 2, 2);
        else if (isCode(code, {"55", "55C"}))
            a.spanAxis(io[7] * 4 / 3, 2);
    }

    // 8. The slope kinds reach a little above the slope at the equivalence point.
    if (in(kind, {31, 33})) {
        s.YMin = 0;
        s.YMax = 1.2 * io[15];
        if (const std::optional<double> step = DecadeStep(1.1 * io[15]))
            s.YStep = *step;
        else
            a.failed = true;
        s.YLabelEvery = 4;
    }

    // 9.
    if (s.TableCaption.empty()) s.TableCaption = s.ParamCaption;

    // The subtitle names the model its curves are computed with.
    const std::string model = ModelSubtitle(state, code, kind);
    if (!model.empty() && !s.GraphSubtitle.ends_with(model)) s.GraphSubtitle += model;

    // 10.
    if (a.failed || state.CalcError != 0) {
        state.CalcError = 1;
        return false;
    }
    return true;
}

void ChooseGraphKind(GraphSettings& settings, const GraphCatalogue& catalogue, int kind) {
    settings.GraphKind = static_cast<std::int16_t>(kind);
    const bool known = kind >= 0 && kind < GraphKindCount;
    settings.XAxisName = known ? catalogue.GraphKindXName[kind] : "";
    settings.YAxisName = known ? catalogue.GraphKindYName[kind] : "";
    settings.GraphSubtitle = known ? Subtitle(catalogue.GraphKindTitle[kind]) : "";
}

} // namespace corvane::graphs
