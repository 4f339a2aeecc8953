#include "symbols.h"
#include "plainmarkup/symbolwords.h"

#include "numtext/numbertext.h"

#include <QHash>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace corvane::markup {

namespace {

std::vector<MarkupSymbol> buildTable() {
    std::vector<MarkupSymbol> table;
    for (const SymbolWord& e : SymbolFontWords())
        table.push_back({QString::fromUtf8(e.word), QStringLiteral("Symbol"), e.code,
                         QString::fromUtf8(e.sign)});
    for (const SymbolWord& e : MtExtraWords())
        table.push_back({QString::fromUtf8(e.word), QStringLiteral("MT Extra"), e.code,
                         QString::fromUtf8(e.sign)});
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
