#include "symbols.h"

#include "numtext/numbertext.h"

#include <QHash>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace corvane::markup {

namespace {

struct Entry {
    const char* word;
    int code;
    char16_t sign;
};

// Symbol font entries, then the four of MT Extra.
constexpr Entry SymbolFont[] = {
    {"&alfa", 'a', u'α'},  {"&beta", 'b', u'β'},    {"&gamma", 'g', u'γ'},   {"&Gamma", 'G', u'Γ'},
    {"&delta", 'd', u'δ'}, {"&Delta", 'D', u'Δ'},   {"&epsilon", 'e', u'ε'}, {"&zeta", 'z', u'ζ'},
    {"&eta", 'h', u'η'},   {"&teta", 'q', u'θ'},    {"&Teta", 'Q', u'Θ'},    {"&iota", 'i', u'ι'},
    {"&kappa", 'k', u'κ'}, {"&lambda", 'l', u'λ'},  {"&Lambda", 'L', u'Λ'},  {"&mu", 'm', u'μ'},
    {"&nu", 'n', u'ν'},    {"&xi", 'x', u'ξ'},      {"&Xi", 'X', u'Ξ'},      {"&pi", 'p', u'π'},
    {"&Pi", 'P', u'Π'},    {"&ro", 'r', u'ρ'},      {"&sigma", 's', u'σ'},   {"&Sigma", 'S', u'Σ'},
    {"&tau", 't', u'τ'},   {"&ypsilon", 'u', u'υ'}, {"&Ypsilon", 161, u'ϒ'}, {"&fi", 'j', u'ϕ'},
    {"&Fi", 'F', u'Φ'},    {"&ji", 'c', u'χ'},      {"&psi", 'y', u'ψ'},     {"&Psi", 'Y', u'Ψ'},
    {"&omega", 'w', u'ω'}, {"&Omega", 'W', u'Ω'},   {"&ald", 220, u'⇐'},     {"&aud", 221, u'⇑'},
    {"&ard", 222, u'⇒'},   {"&add", 223, u'⇓'},     {"&alrd", 219, u'⇔'},    {"&als", 172, u'←'},
    {"&aus", 173, u'↑'},   {"&ars", 174, u'→'},     {"&ads", 175, u'↓'},     {"&alrs", 171, u'↔'},
    {"&divi", 184, u'÷'},  {"&!=", 185, u'≠'},      {"&vacio", 198, u'∅'},   {"&iorden", 187, u'≈'},
    {"&aprox", 64, u'≅'},  {"&real", 194, u'ℜ'},    {"&<=", 163, u'≤'},      {"&>=", 179, u'≥'},
    {"&oo", 165, u'∞'},    {"&Vacio", 198, u'∅'},   {"&theta", 'q', u'θ'},   {"&Theta", 'Q', u'Θ'},
    {"&perte", 206, u'∈'}, {"&nabla", 209, u'∇'},   {"&perpen", '^', u'⊥'},  {"&todo", 34, u'∀'},
    {"&exist", '$', u'∃'}, {"&parci", 182, u'∂'},   {"&itg", 242, u'∫'},     {"&pm", 177, u'±'},
    {"&aspa", 180, u'×'},  {"&noperte", 207, u'∉'}, {"&TRE", 167, u'♣'},     {"&DIA", 168, u'♦'},
    {"&COR", 169, u'♥'},   {"&PIC", 170, u'♠'},     {"&rho", 'r', u'ρ'},     {"&and", 217, u'∧'},
    {"&or", 218, u'∨'},
};

constexpr Entry MtExtraFont[] = {
    {"&union", 'U', u'∪'},
    {"&inter", 'I', u'∩'},
    {"&mp", 'm', u'∓'},
    {"&hbar", 'h', u'ℏ'},
};

std::vector<MarkupSymbol> buildTable() {
    std::vector<MarkupSymbol> table;
    for (const Entry& e : SymbolFont)
        table.push_back(
            {QString::fromUtf8(e.word), QStringLiteral("Symbol"), e.code, QString(QChar(e.sign))});
    for (const Entry& e : MtExtraFont)
        table.push_back({QString::fromUtf8(e.word), QStringLiteral("MT Extra"), e.code,
                         QString(QChar(e.sign))});
    return table;
}

const QHash<QString, QColor>& colourNames() {
    static const QHash<QString, QColor> names = [] {
        QHash<QString, QColor> n;
        auto add = [&n](std::initializer_list<const char*> words, QColor c) {
            for (const char* w : words)
                n.insert(QString::fromLatin1(w), c);
        };
        add({"BLACK", "NEGRO"}, QColor(0, 0, 0));
        add({"BLUE", "AZUL"}, QColor(0, 0, 255));
        add({"CYAN", "CIAN"}, QColor(0, 255, 255));
        add({"GREEN", "VERDE"}, QColor(0, 255, 0));
        add({"MAGENTA"}, QColor(255, 0, 255));
        add({"PINK", "ROSA", "FUCSIA"}, QColor(255, 128, 255));
        add({"VIOLETA"}, QColor(128, 0, 255));
        add({"RED", "ROJO"}, QColor(255, 0, 0));
        add({"WHITE", "BLANCO"}, QColor(255, 255, 255));
        add({"YELLOW", "AMARILLO"}, QColor(255, 255, 0));
        add({"BROWN", "MARRON", "CANELO"}, QColor(128, 64, 0));
        add({"GREY", "GRIS"}, QColor(192, 192, 192));
        add({"ORANGE", "NARANJA", "NARANJADO"}, QColor(255, 128, 0));
        return n;
    }();
    return names;
}

double leading(const QString& text) {
    return numtext::LeadingNumberValue(text.toStdString());
}

// A colour component rounded to a whole number within 0..255.
int component(double v) {
    if (!std::isfinite(v)) return v > 0 ? 255 : 0;
    return static_cast<int>(std::clamp(std::round(v), 0.0, 255.0));
}

} // namespace

void InitMarkupSymbols() {
    MarkupSymbols();
}

const std::vector<MarkupSymbol>& MarkupSymbols() {
    static const std::vector<MarkupSymbol> table = buildTable();
    return table;
}

QColor ColorFromName(const QString& text) {
    const QString t = text.trimmed();
    if (const auto first = t.indexOf(QLatin1Char(';')); first >= 0) {
        const QString afterFirst = t.mid(first + 1);
        const double red = leading(t);
        const double green = leading(afterFirst);
        const auto second = afterFirst.indexOf(QLatin1Char(';'));
        const double blue = second >= 0 ? leading(afterFirst.mid(second + 1)) : green;
        return QColor(component(red), component(green), component(blue));
    }
    if (!t.isEmpty() && t.front().isDigit() && t.front().unicode() < 128) {
        const double packed = leading(t);
        // Only the low 24 bits carry a colour.
        const auto value = std::isfinite(packed) && packed < 9.0e15
                               ? static_cast<std::uint64_t>(packed) & 0xFFFFFF
                               : 0;
        return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
    }
    return colourNames().value(t.toUpper(), QColor(0, 0, 0));
}

} // namespace corvane::markup
