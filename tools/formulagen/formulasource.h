// \brief Formula picture sources: one mark-up text file per picture, checked line by line and
// drawn with DrawMarkup; the GIF writer over giflib.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

#include <vector>

namespace corvane::formulas {

/// One complaint about a source, with the 1-based line it concerns.
struct SourceError {
    QString file;
    int line;
    QString message;
    /// "file:line: message", the form compilers use, so editors jump to it.
    QString text() const;
};

/// A picture source. Each line is drawn as one line of mark-up; a line starting with "#" is a
/// comment; an empty line leaves half a line of space.
struct FormulaSource {
    QString path;
    QStringList lines;       // drawn lines, empty for a half-line gap
    std::vector<int> lineOf; // the source line of each entry of `lines`
};

/// What is wrong with one mark-up line, empty when it is sound: an escape that is not part of
/// the mark-up (a misspelt symbol word), a font form without its ":" or with an unusable value,
/// a "_" or "^" with nothing to lower or raise, unbalanced brackets.
QString CheckMarkupLine(const QString& line);

/// Reads and checks a source; every faulty line adds an error.
FormulaSource ReadFormulaSource(const QString& path, std::vector<SourceError>& errors);

/// Draws a source in the panel's font, black on white, cropped to its text with a margin.
QImage DrawFormulaSource(const FormulaSource& source);

/// The picture file a source becomes: "11.txt" gives "11.gif", "X11.txt" gives "X11.jpg".
QString PictureFileName(const QString& sourcePath);

/// The image as 8-bit indices into a palette of at most 256 of its colours.
QImage ToPalette(const QImage& image);

/// Writes an 8-bit GIF of the image in ToPalette's colours.
bool WriteGif(const QImage& image, const QString& path, QString& error);

} // namespace corvane::formulas
