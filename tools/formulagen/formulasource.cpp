#include "formulasource.h"

#include "markup/renderer.h"
#include "markup/surface.h"
#include "markup/symbols.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QPainter>

#include <gif_lib.h>

#include <algorithm>
#include <climits>
#include <functional>

namespace corvane::formulas {

namespace {

// The panel's font and the spacing of the lines, in points and pixels.
constexpr double FontPoints = 10;
constexpr int MarginPixels = 8;
constexpr double LineSpacing = 1.55; // times the height of "Hp", room for indices and charges

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// "&FS=12:", "&FN=Arial:", "&FC=0;100;220:": the value between the skipped character and ":".
QString checkFontForm(const QString& line, qsizetype i, qsizetype& next) {
    const QChar kind = line[i + 2];
    const qsizetype colon = line.indexOf(QLatin1Char(':'), i);
    if (colon < 0) return QStringLiteral("\"&F%1\" without its closing \":\"").arg(kind);
    next = colon + 1;
    const QString value = colon > i + 4 ? line.mid(i + 4, colon - i - 4).trimmed() : QString();
    if (value.isEmpty()) return QStringLiteral("\"&F%1\" without a value").arg(kind);
    if (kind == QLatin1Char('S')) {
        bool ok = false;
        const double points = value.toDouble(&ok);
        if (!ok || points < 4 || points > 40)
            return QStringLiteral("font size \"%1\" is not a number from 4 to 40").arg(value);
    } else if (kind == QLatin1Char('C')) {
        const QString upper = value.toUpper();
        if (markup::ColorFromName(value) == QColor(Qt::black) &&
            !value.contains(QLatin1Char(';')) && !isDigit(value[0]) &&
            upper != QLatin1String("BLACK") && upper != QLatin1String("NEGRO"))
            return QStringLiteral("unknown colour \"%1\"").arg(value);
    }
    return {};
}

// The escape at i; sets next to the index after it.
QString checkEscape(const QString& line, qsizetype i, qsizetype& next) {
    const QStringView rest = QStringView(line).mid(i);
    for (const char* s : {"&+I", "&-I", "&+B", "&-B"}) {
        if (rest.startsWith(QLatin1String(s))) {
            next = i + 3;
            return {};
        }
    }
    if (rest.startsWith(QLatin1String("&FS")) || rest.startsWith(QLatin1String("&FN")) ||
        rest.startsWith(QLatin1String("&FC")))
        return checkFontForm(line, i, next);
    for (const markup::MarkupSymbol& symbol : markup::MarkupSymbols()) {
        if (rest.startsWith(symbol.word)) {
            next = i + symbol.word.size();
            return {};
        }
    }
    if (rest.startsWith(QLatin1String("&&"))) {
        next = i + 2;
        return {};
    }
    if (rest.startsWith(QLatin1String("&E"))) {
        qsizetype j = i + 2;
        if (j < line.size() && (line[j] == QLatin1Char('+') || line[j] == QLatin1Char('-'))) ++j;
        const qsizetype digits = j;
        while (j < line.size() && isDigit(line[j]))
            ++j;
        if (j == digits) return QStringLiteral("\"&E\" without an exponent");
        next = j;
        return {};
    }
    qsizetype end = i + 1;
    while (end < line.size() && line[end].isLetterOrNumber())
        ++end;
    return QStringLiteral("unknown escape \"%1\"")
        .arg(line.mid(i, std::max<qsizetype>(end - i, 2)));
}

} // namespace

QString SourceError::text() const {
    return QStringLiteral("%1:%2: %3").arg(file).arg(line).arg(message);
}

QString CheckMarkupLine(const QString& line) {
    QString brackets;
    qsizetype i = 0;
    while (i < line.size()) {
        const QChar c = line[i];
        if (c == QLatin1Char('&')) {
            qsizetype next = i + 1;
            const QString problem = checkEscape(line, i, next);
            if (!problem.isEmpty()) return problem;
            i = next;
            continue;
        }
        if (c == QLatin1Char('_') || c == QLatin1Char('^')) {
            if (i + 1 < line.size() && line[i + 1] == c) {
                i += 2;
                continue;
            }
            if (i + 1 >= line.size() || line[i + 1].isSpace())
                return QStringLiteral("\"%1\" with no character to %2")
                    .arg(c)
                    .arg(c == QLatin1Char('_') ? QStringLiteral("lower") : QStringLiteral("raise"));
            i += 2;
            continue;
        }
        if (c == QLatin1Char('(') || c == QLatin1Char('[')) brackets += c;
        if (c == QLatin1Char(')') || c == QLatin1Char(']')) {
            const QChar open = c == QLatin1Char(')') ? QLatin1Char('(') : QLatin1Char('[');
            if (brackets.isEmpty() || brackets.back() != open)
                return QStringLiteral("\"%1\" without its \"%2\"").arg(c).arg(open);
            brackets.chop(1);
        }
        ++i;
    }
    if (!brackets.isEmpty()) return QStringLiteral("\"%1\" is not closed").arg(brackets.back());
    return {};
}

FormulaSource ReadFormulaSource(const QString& path, std::vector<SourceError>& errors) {
    FormulaSource source;
    source.path = path;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        errors.push_back({path, 0, QStringLiteral("cannot be read")});
        return source;
    }
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (int n = 0; n < lines.size(); ++n) {
        QString line = lines[n];
        while (line.endsWith(QLatin1Char(' ')) || line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.startsWith(QLatin1Char('#'))) continue;
        const QString problem = CheckMarkupLine(line);
        if (!problem.isEmpty()) errors.push_back({path, n + 1, problem});
        source.lines << line;
        source.lineOf.push_back(n + 1);
    }
    while (!source.lines.isEmpty() && source.lines.back().isEmpty()) {
        source.lines.removeLast();
        source.lineOf.pop_back();
    }
    if (source.lines.isEmpty()) errors.push_back({path, 1, QStringLiteral("draws nothing")});
    return source;
}

QImage DrawFormulaSource(const FormulaSource& source) {
    constexpr int Large = 1600;
    markup::PictureSurface surface(Large, Large);
    surface.setFontName(QStringLiteral("Arial"));
    surface.setFontSize(FontPoints);
    const double twips = markup::PictureSurface::ScreenTwipsPerPixel;
    const double line = surface.textHeight(QStringLiteral("Hp")) * LineSpacing;
    double y = MarginPixels * twips;
    double right = 0;
    for (const QString& text : source.lines) {
        if (text.isEmpty()) {
            y += line / 2;
            continue;
        }
        surface.setCurrentX(MarginPixels * twips);
        surface.setCurrentY(y);
        markup::DrawMarkup(text, surface);
        right = std::max(right, surface.currentX());
        y += line;
    }
    const int width = std::min(Large, int(right / twips) + MarginPixels);
    const int height = std::min(Large, int(y / twips) + MarginPixels);
    return surface.image().copy(0, 0, width, height).convertToFormat(QImage::Format_RGB32);
}

QString PictureFileName(const QString& sourcePath) {
    const QString base = QFileInfo(sourcePath).completeBaseName();
    return base +
           (base.startsWith(QLatin1Char('X')) ? QStringLiteral(".jpg") : QStringLiteral(".gif"));
}

// The picture's own colours when there are at most 256 of them; otherwise its 256 most frequent
// colours (white, the text colours and their commonest anti-aliasing shades), every other
// colour taking its nearest entry.
QImage ToPalette(const QImage& image) {
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y) | 0xff000000u];
    std::vector<std::pair<int, QRgb>> byCount;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        byCount.emplace_back(it.value(), it.key());
    std::sort(byCount.begin(), byCount.end(), std::greater<>());
    if (byCount.size() > 256) byCount.resize(256);
    QList<QRgb> table;
    for (const auto& entry : byCount)
        table << entry.second;
    QHash<QRgb, int> index;
    auto nearest = [&](QRgb c) {
        int best = 0, bestDistance = INT_MAX;
        for (int n = 0; n < table.size(); ++n) {
            const int dr = qRed(c) - qRed(table[n]), dg = qGreen(c) - qGreen(table[n]),
                      db = qBlue(c) - qBlue(table[n]);
            const int distance = dr * dr + dg * dg + db * db;
            if (distance < bestDistance) {
                bestDistance = distance;
                best = n;
            }
        }
        return best;
    };
    QImage indexed(image.size(), QImage::Format_Indexed8);
    indexed.setColorTable(table);
    for (int y = 0; y < image.height(); ++y) {
        uchar* line = indexed.scanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y) | 0xff000000u;
            auto it = index.find(c);
            if (it == index.end()) it = index.insert(c, nearest(c));
            line[x] = uchar(it.value());
        }
    }
    return indexed;
}

bool WriteGif(const QImage& image, const QString& path, QString& error) {
    const QImage indexed = ToPalette(image);
    const QList<QRgb> table = indexed.colorTable();
    ColorMapObject* map = GifMakeMapObject(256, nullptr);
    if (map == nullptr) {
        error = QStringLiteral("out of memory");
        return false;
    }
    for (int n = 0; n < 256; ++n) {
        const QRgb c = n < table.size() ? table[n] : qRgb(255, 255, 255);
        map->Colors[n] =
            GifColorType{GifByteType(qRed(c)), GifByteType(qGreen(c)), GifByteType(qBlue(c))};
    }
    int code = 0;
    GifFileType* gif = EGifOpenFileName(QFile::encodeName(path).constData(), false, &code);
    bool ok = gif != nullptr;
    if (ok)
        ok = EGifPutScreenDesc(gif, indexed.width(), indexed.height(), 8, 0, map) == GIF_OK &&
             EGifPutImageDesc(gif, 0, 0, indexed.width(), indexed.height(), false, nullptr) ==
                 GIF_OK;
    for (int row = 0; ok && row < indexed.height(); ++row) {
        // giflib takes a non-const line; the image owns its copy.
        auto* pixels = const_cast<GifByteType*>(indexed.constScanLine(row));
        ok = EGifPutLine(gif, pixels, indexed.width()) == GIF_OK;
    }
    if (!ok && gif != nullptr) code = gif->Error;
    int closeCode = 0;
    if (gif != nullptr && EGifCloseFile(gif, &closeCode) != GIF_OK && ok) {
        ok = false;
        code = closeCode;
    }
    GifFreeMapObject(map);
    if (!ok) error = QString::fromUtf8(GifErrorString(code));
    return ok;
}

} // namespace corvane::formulas
