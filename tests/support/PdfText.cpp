#include "support/PdfText.h"

#include "core/platform/RecordingPage.h"

#include <QFontMetricsF>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        QTest::qFail(qPrintable(program + QStringLiteral(" failed on ") + arguments.join(' ') +
                                QStringLiteral(": ") +
                                QString::fromLocal8Bit(process.readAllStandardError())),
                     __FILE__, __LINE__);
        return {};
    }
    return process.readAllStandardOutput();
}

QString unescape(const QString& html) {
    QString text = html;
    text.replace(QLatin1String("&lt;"), QLatin1String("<"));
    text.replace(QLatin1String("&gt;"), QLatin1String(">"));
    text.replace(QLatin1String("&quot;"), QLatin1String("\""));
    text.replace(QLatin1String("&#39;"), QLatin1String("'"));
    text.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return text;
}

} // namespace

QList<double> PdfText::characterRightEdges(const QString& pdf, int page, double baseline) {
    constexpr int kDpi = 1200;
    constexpr double kTwipsPerDot = 1440.0 / kDpi;
    // A band from 0.15 inch above the baseline to a little below it, across the sheet.
    const int top = int((baseline - 216) / kTwipsPerDot);
    const int height = int(240 / kTwipsPerDot);
    const int width = int(8.5 * kDpi);
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("band"));
    run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"), QString::number(kDpi), QStringLiteral("-gray"),
         QStringLiteral("-singlefile"), QStringLiteral("-f"), QString::number(page + 1),
         QStringLiteral("-l"), QString::number(page + 1), QStringLiteral("-x"), QStringLiteral("0"),
         QStringLiteral("-y"), QString::number(top), QStringLiteral("-W"), QString::number(width),
         QStringLiteral("-H"), QString::number(height), pdf, prefix});
    const QImage band(prefix + QStringLiteral(".pgm"));
    QList<bool> ink(band.width(), false);
    for (int y = 0; y < band.height(); ++y) {
        const uchar* line = band.constScanLine(y);
        for (int x = 0; x < band.width(); ++x)
            ink[x] = ink[x] || line[x] < 128;
    }
    const int gap = int(0.030 * kDpi);
    QList<double> edges;
    int paper = gap; // columns of paper since the last ink
    for (int x = 0; x < band.width(); ++x) {
        if (!ink[x]) {
            ++paper;
            continue;
        }
        if (paper < gap && !edges.isEmpty())
            edges.removeLast();
        edges.append((x + 1) * kTwipsPerDot);
        paper = 0;
    }
    return edges;
}

QList<PdfText::Word> PdfText::words(const QString& pdf) {
    const QString html = QString::fromUtf8(
        run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")}));
    static const QRegularExpression tag(
        QStringLiteral("<page |<word xMin=\"([-0-9.]+)\" yMin=\"([-0-9.]+)\" xMax=\"([-0-9.]+)\" "
                       "yMax=\"([-0-9.]+)\">([^<]*)</word>"));
    QList<Word> out;
    int page = -1;
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.captured(0).startsWith(QLatin1String("<page"))) {
            ++page;
            continue;
        }
        // Points to twips.
        // Ligatures ("ﬁ") read as the letters they join.
        out.append({page, unescape(m.captured(5)).normalized(QString::NormalizationForm_KC),
                    m.captured(1).toDouble() * 20, m.captured(2).toDouble() * 20,
                    m.captured(3).toDouble() * 20, m.captured(4).toDouble() * 20});
    }
    return out;
}

QList<PdfText::Word> PdfText::find(const QList<Word>& words, const QString& text, int page) {
    QList<Word> out;
    for (const Word& w : words)
        if (w.text == text && (page < 0 || w.page == page))
            out.append(w);
    return out;
}

int PdfText::pages(const QString& pdf) {
    const QString info = QString::fromUtf8(run(QStringLiteral("pdfinfo"), {pdf}));
    static const QRegularExpression line(QStringLiteral("^Pages:\\s+(\\d+)"),
                                         QRegularExpression::MultilineOption);
    return line.match(info).captured(1).toInt();
}

QStringList PdfText::fonts(const QString& pdf) {
    const QStringList lines =
        QString::fromUtf8(run(QStringLiteral("pdffonts"), {pdf})).split(QLatin1Char('\n'));
    QStringList out;
    // Two heading lines; then the name, type words, encoding and the yes/no columns. The
    // name is the first field; "emb" is the first of the three yes/no columns.
    static const QRegularExpression row(QStringLiteral("^(\\S+)\\s.*\\s(yes|no)\\s+(yes|no)\\s+"
                                                       "(yes|no)\\s+\\d+\\s+\\d+\\s*$"));
    for (const QString& l : lines.mid(2)) {
        const QRegularExpressionMatch m = row.match(l);
        if (!m.hasMatch())
            continue;
        QString name = m.captured(1);
        const int plus = name.indexOf(QLatin1Char('+'));
        if (plus == 6)
            name = name.mid(7);
        out << name + (m.captured(2) == QLatin1String("yes") ? QStringLiteral(" embedded")
                                                             : QStringLiteral(" not embedded"));
    }
    return out;
}

QStringList PdfText::misplaced(const RecordingPage& recorded, const QList<Word>& words) {
    QStringList out;
    const RecordingPage::Text* before = nullptr;
    for (const RecordingPage::Text& t : recorded.texts()) {
        const RecordingPage::Text* previous = std::exchange(before, &t);
        const QString trimmed = t.text.trimmed();
        if (trimmed.isEmpty() ||
            (previous && previous->statement == t.statement && !previous->text.isEmpty() &&
             !previous->text.back().isSpace() && !t.text.front().isSpace()))
            continue;
        // Leading blanks (a number's) come before the first glyph.
        const QString lead = t.text.left(t.text.indexOf(trimmed.at(0)));
        const double x = t.x + QFontMetricsF(twipFont(t.font)).horizontalAdvance(lead);
        const QString word = trimmed.section(QLatin1Char(' '), 0, 0);
        QString seen;
        bool found = false;
        for (const Word& w : words) {
            if (w.page != t.page || !w.text.startsWith(word))
                continue;
            found = found || (qAbs(w.x - x) <= 20 && qAbs(w.y - t.y) <= 20);
            seen += QStringLiteral(" (%1, %2)").arg(w.x).arg(w.y);
        }
        if (!found)
            out << QStringLiteral("\"%1\" not at (%2, %3) on sheet %4; seen at%5")
                       .arg(word)
                       .arg(x)
                       .arg(t.y)
                       .arg(t.page + 1)
                       .arg(seen);
    }
    return out;
}
