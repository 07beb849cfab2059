#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class RecordingPage;

/// Reads a PDF back with poppler's tools, as a user's viewer would show it.
namespace PdfText {

/// One word of a page, in twips from the paper's top left corner.
struct Word {
    int page; ///< 0 for the first sheet
    QString text;
    double x;  ///< left edge of the first glyph's advance box
    double y;  ///< top of the font's ascent
    double x2; ///< right end of the word
    double y2; ///< bottom of the font's descent
};

/// Every word of every page, in reading order; fails the running test when pdftotext
/// cannot read the file.
QList<Word> words(const QString& pdf);
/// The words on one page that read exactly `text`.
QList<Word> find(const QList<Word>& words, const QString& text, int page = -1);
/// The items of a recorded job that the PDF of the same job does not have within a point
/// (20 twips) of where the recording page put them, in words; empty when all are there.
/// Each item is found by its first word; an item glued to the text before it (no blank
/// between) is part of that word and is not looked for on its own.
QStringList misplaced(const RecordingPage& recorded, const QList<Word>& words);
/// The right edges, in twips from the paper's left edge, of the characters printed on a
/// band of `page` whose bottom is `baseline` (twips from the top): the page is rendered at
/// 1200 dpi and its ink cut into characters wherever 0.030 inch of paper stands between
/// (wider than any gap inside an E-13B character, narrower than any gap between two).
QList<double> characterRightEdges(const QString& pdf, int page, double baseline);
/// The number of pages.
int pages(const QString& pdf);
/// The fonts the file uses, without the subset prefix ("ABCDEF+"), each with whether it is
/// embedded: "MICR65 embedded".
QStringList fonts(const QString& pdf);

} // namespace PdfText
