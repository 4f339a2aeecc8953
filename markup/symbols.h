// \brief The symbol words of the mark-up ("&alfa", "&ard", ...) in lookup order, and the
// colour names of the "&FC" form.
#pragma once

#include <QColor>
#include <QString>

#include <vector>

namespace corvane::markup {

struct MarkupSymbol {
    QString word;     // with its "&"
    QString fontName; // "Symbol" or "MT Extra"
    int code;         // the character in that font's own encoding
    QString sign;     // the Unicode sign drawn in its place
};

/// Builds the symbol table; call once at start-up before any text is drawn.
void InitMarkupSymbols();

/// The symbol table in lookup order (built on first use if InitMarkupSymbols was not called).
const std::vector<MarkupSymbol>& MarkupSymbols();

/// A colour from "r;g;b", a packed number (red in the lowest byte) or a colour name; black
/// for anything else.
QColor ColorFromName(const QString& text);

} // namespace corvane::markup
