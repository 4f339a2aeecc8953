#include "renderer.h"

#include "surface.h"
#include "symbols.h"

#include "numtext/numbertext.h"

namespace corvane::markup {

namespace {

const QChar EnDash(0x2013);
const QString MiddleDotTen = QString(QChar(0x00B7)) + QStringLiteral("10");

bool isAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Characters drawn upright whatever the italic setting.
bool isUpright(QChar c) {
    return isAsciiDigit(c) || QStringLiteral(".,:;()[]|{}").contains(c);
}

class Renderer {
public:
    Renderer(const QString& text, DrawingSurface& surface) : m_text(text), m_s(surface) {
        m_entryName = surface.fontName();
        m_entrySize = surface.fontSize();
        m_entryItalic = surface.italic();
        m_entryBold = surface.bold();
        m_entryColor = surface.textColor();
        m_baseSize = m_entrySize;
        m_hgt = surface.textHeight(QStringLiteral("Hp"));
        m_entryAscent = m_ascent = ascent();
        m_entryY = surface.currentY();
    }

    // False when a font form without its ":" ended the drawing.
    bool run() {
        const qsizetype n = m_text.size();
        qsizetype i = 0;
        while (i < n) {
            const QChar c = m_text[i];
            if (c == QLatin1Char('_') || c == QLatin1Char('^'))
                i = smallCharacter(i, c == QLatin1Char('_'));
            else if (c == QLatin1Char('&')) {
                i = escape(i);
                if (i < 0) return false;
            } else {
                const qsizetype length = characterLength(i);
                ordinary(m_text.mid(i, length));
                i += length;
            }
        }
        m_s.setFontName(m_entryName);
        m_s.setFontSize(m_entrySize);
        m_s.setItalic(m_entryItalic);
        m_s.setBold(m_entryBold);
        m_s.setTextColor(m_entryColor);
        return true;
    }

    const QString& plain() const { return m_plain; }

private:
    // A surrogate pair is one character.
    qsizetype characterLength(qsizetype i) const {
        if (m_text[i].isHighSurrogate() && i + 1 < m_text.size() && m_text[i + 1].isLowSurrogate())
            return 2;
        return 1;
    }

    double ascent() const { return m_s.fontAscentPixels() * m_s.twipsPerPixelY(); }

    void draw(const QString& s) {
        m_s.drawText(s);
        m_plain += s;
    }

    void ordinary(QString c) {
        if (c == QLatin1String("-")) c = EnDash;
        const bool italic = m_s.italic();
        double gap = 0;
        if (c == QLatin1String("+") || c == EnDash || c == QLatin1String("=")) {
            gap = 0.04 * m_hgt;
            m_s.setItalic(false);
        } else if (c.size() == 1 && isUpright(c[0])) {
            m_s.setItalic(false);
        }
        const double y = m_s.currentY();
        m_s.setCurrentX(m_s.currentX() + gap);
        draw(c);
        m_s.setCurrentX(m_s.currentX() + gap);
        m_s.setCurrentY(y);
        m_s.setItalic(italic);
    }

    // "_c" lowered or "^c" raised, one character in the smaller size; "__" and "^^" are the
    // characters themselves; at the very end the "_" or "^" is drawn small.
    qsizetype smallCharacter(qsizetype i, bool lowered) {
        const QChar mark = m_text[i];
        if (i + 1 < m_text.size() && m_text[i + 1] == mark) {
            draw(QString(mark));
            return i + 2;
        }
        const bool last = i + 1 >= m_text.size();
        const qsizetype at = last ? i : i + 1;
        const qsizetype length = last ? 1 : characterLength(at);
        const QString c = m_text.mid(at, length);
        m_s.setFontSize(m_baseSize * 8 / 12);
        const bool italic = m_s.italic();
        const double y = m_s.currentY();
        if (lowered) m_s.setCurrentY(y + m_s.textHeight(QStringLiteral("9")) / 1.925);
        if (isAsciiDigit(c[0])) m_s.setItalic(false);
        draw(c);
        m_s.setItalic(italic);
        m_s.setCurrentY(y);
        m_s.setFontSize(m_baseSize);
        return at + length;
    }

    bool startsWith(qsizetype i, QLatin1String word) const {
        return QStringView(m_text).mid(i).startsWith(word);
    }

    // Returns the index after the form, or −1 when drawing must stop.
    qsizetype escape(qsizetype i) {
        const QStringView rest = QStringView(m_text).mid(i);
        if (rest.startsWith(QLatin1String("&+I")) || rest.startsWith(QLatin1String("&-I"))) {
            m_s.setItalic(rest[1] == QLatin1Char('+'));
            return i + 3;
        }
        if (rest.startsWith(QLatin1String("&+B")) || rest.startsWith(QLatin1String("&-B"))) {
            m_s.setBold(rest[1] == QLatin1Char('+'));
            return i + 3;
        }
        if (rest.startsWith(QLatin1String("&FS")) || rest.startsWith(QLatin1String("&FN")) ||
            rest.startsWith(QLatin1String("&FC")))
            return fontForm(i, rest[2]);
        for (const MarkupSymbol& symbol : MarkupSymbols()) {
            if (!rest.startsWith(symbol.word)) continue;
            const double y = m_s.currentY();
            if (m_s.isPrinter()) m_s.setCurrentY(y - 15);
            draw(symbol.sign);
            m_s.setCurrentY(y);
            // Like the symbol fonts it stands for, a symbol returns to the entry font.
            m_s.setFontName(m_entryName);
            return i + symbol.word.size();
        }
        if (rest.startsWith(QLatin1String("&&"))) {
            draw(QStringLiteral("&"));
            return i + 2;
        }
        if (rest.startsWith(QLatin1String("&E"))) return power(i);
        return i + 1;
    }

    qsizetype fontForm(qsizetype i, QChar kind) {
        const qsizetype colon = m_text.indexOf(QLatin1Char(':'), i);
        if (colon < 0) return -1;
        const QString value = colon > i + 4 ? m_text.mid(i + 4, colon - i - 4) : QString();
        if (kind == QLatin1Char('S')) {
            m_s.setFontSize(numtext::LeadingNumberValue(value.toStdString()));
            m_baseSize = m_s.fontSize();
            restandOnEntryBaseline();
        } else if (kind == QLatin1Char('N')) {
            m_s.setFontName(QStringLiteral("Courier New"));
            m_s.setFontName(value);
            restandOnEntryBaseline();
        } else {
            m_s.setTextColor(ColorFromName(value));
        }
        return colon + 1;
    }

    // After a change of face or size the text goes on standing on the entry baseline.
    void restandOnEntryBaseline() {
        m_hgt = m_s.textHeight(QStringLiteral("Hp"));
        m_ascent = ascent();
        m_s.setCurrentY(m_entryY + m_entryAscent - m_ascent);
    }

    // "&E" + optional sign + digits: "·10" with the exponent raised.
    qsizetype power(qsizetype i) {
        qsizetype j = i + 2;
        while (j < m_text.size() &&
               (isAsciiDigit(m_text[j]) ||
                ((m_text[j] == QLatin1Char('+') || m_text[j] == QLatin1Char('-')) && j == i + 2)))
            ++j;
        QString exponent = m_text.mid(i + 2, j - i - 2).trimmed();
        if (exponent.startsWith(QLatin1Char('+')))
            exponent.remove(0, 1);
        else if (exponent.startsWith(QLatin1Char('-')))
            exponent[0] = EnDash;
        const bool italic = m_s.italic();
        m_s.setItalic(false);
        m_s.drawText(MiddleDotTen);
        m_plain += QLatin1Char('E');
        m_s.setFontSize(m_baseSize * 8 / 12);
        draw(exponent);
        m_s.setFontSize(m_baseSize);
        m_s.setItalic(italic);
        return j;
    }

    const QString& m_text;
    DrawingSurface& m_s;
    QString m_entryName;
    double m_entrySize;
    bool m_entryItalic;
    bool m_entryBold;
    QColor m_entryColor;
    double m_baseSize;
    double m_hgt;
    double m_entryAscent;
    double m_ascent;
    double m_entryY;
    QString m_plain;
};

} // namespace

void DrawMarkup(const QString& text, DrawingSurface& surface, QString* plainText) {
    Renderer renderer(text, surface);
    if (renderer.run() && plainText != nullptr) *plainText = renderer.plain();
}

} // namespace corvane::markup
