// The MICR font the program carries: registered from the resources, measured as Qt lays it
// out (twips at 12 points: a pixel size of 240), and embedded in a PDF.
#include "gui/platform/MicrFont.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QProcess>
#include <QRawFont>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cmath>

namespace {

const QString kFamily = QStringLiteral("MICR65");
const QString kLine = QStringLiteral("C1043C A123456789A 110D0054C");

QFont micrAt12pt() {
    QFont font(kFamily);
    font.setPixelSize(240); // 12 points in twips
    return font;
}

QRawFont shipped(QFont::HintingPreference hinting = QFont::PreferDefaultHinting) {
    QFile file(kMicrFontResource);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QRawFont(file.readAll(), 240, hinting);
}

QByteArray vendor(const QRawFont& font) {
    return font.fontTable("OS/2").mid(58, 4);
}

/// Runs a poppler tool on a file; an empty result when it is not installed.
QString run(const QString& tool, const QStringList& arguments) {
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty())
        return {};
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(-1) || p.exitCode() != 0)
        return QStringLiteral("%1 failed: %2")
            .arg(tool, QString::fromLocal8Bit(p.readAllStandardError()));
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

/// The E-13B shapes the font is held to, as the standard's reference drawings give them.
QJsonObject e13b() {
    QFile file(QStringLiteral(LEDGERLINE_TEST_DATA "/e13b-grid.json"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

/// How much of the square from (x, y), `side` pixels wide, is inked, from 0 to 1; pixels
/// at its edges count by the share of them inside it.
double coverage(const QImage& image, double x, double y, double side) {
    double ink = 0;
    for (int py = int(y); py < int(std::ceil(y + side)); ++py)
        for (int px = int(x); px < int(std::ceil(x + side)); ++px) {
            const double w = std::min(px + 1.0, x + side) - std::max(double(px), x);
            const double h = std::min(py + 1.0, y + side) - std::max(double(py), y);
            ink += w * h * (255 - qGray(image.pixel(px, py))) / 255.0;
        }
    return ink / (side * side);
}

} // namespace

class TestMicrFont : public QObject {
    Q_OBJECT

    /// Qt lays out the MICR65 it finds by name; where a MICR65 from elsewhere is installed,
    /// that one, which the program then uses instead of its own.
    static bool qtUsesTheShippedFont() {
        return vendor(QRawFont::fromFont(micrAt12pt())) == QByteArrayLiteral("LDGL");
    }

private slots:
    void initTestCase() { QVERIFY(registerMicrFont()); }

    void registeredFamily() {
        QVERIFY(QFontDatabase::families().contains(kFamily));
        QVERIFY(registerMicrFont()); // again: still there
        QCOMPARE(QFontInfo(micrAt12pt()).family(), kFamily);
    }

    void resourceIsTheFont() {
        const QRawFont raw = shipped();
        QVERIFY(raw.isValid());
        QCOMPARE(raw.familyName(), kFamily);
        QCOMPARE(raw.styleName(), QStringLiteral("Regular"));
        // How the program tells its own MICR65 from someone else's.
        QCOMPARE(vendor(raw), QByteArrayLiteral("LDGL"));
    }

    void eightCharactersToTheInch_data() {
        QTest::addColumn<QChar>("character");
        for (const QChar c : QStringLiteral("0123456789ABCD- "))
            QTest::newRow(qPrintable(c == QLatin1Char(' ') ? QStringLiteral("space") : QString(c)))
                << c;
    }

    void eightCharactersToTheInch() {
        QFETCH(QChar, character);
        // 0.125 inch is 180 twips.
        const QRawFont raw = shipped();
        const QList<quint32> glyphs = raw.glyphIndexesForString(QString(character));
        QCOMPARE(glyphs.size(), 1);
        QVERIFY(glyphs[0] != 0); // not the box for a missing character
        QCOMPARE(raw.advancesForGlyphIndexes(glyphs).value(0).x(), 180.0);

        if (!qtUsesTheShippedFont())
            QSKIP("a MICR65 from elsewhere is installed, and Qt lays that one out");
        const QFontMetricsF metrics(micrAt12pt());
        QVERIFY(metrics.inFont(character));
        QVERIFY2(qAbs(metrics.horizontalAdvance(character) - 180) <= 1,
                 qPrintable(QString::number(metrics.horizontalAdvance(character))));
    }

    void heightsInTwips_data() {
        QTest::addColumn<QChar>("character");
        QTest::addColumn<qreal>("top");    // above the baseline
        QTest::addColumn<qreal>("bottom"); // above the baseline
        // 0.117 inch is 168.48 twips; one E-13B module (0.013 inch) 18.72.
        for (const QChar c : QStringLiteral("0123456789AB"))
            QTest::newRow(qPrintable(QString(c))) << c << 168.48 << 0.0;
        QTest::newRow("on-us") << QChar(u'C') << 159.12 << 28.08;
        QTest::newRow("dash") << QChar(u'D') << 121.68 << 46.8;
        QTest::newRow("minus sign, the dash") << QChar(u'-') << 121.68 << 46.8;
    }

    void heightsInTwips() {
        QFETCH(QChar, character);
        QFETCH(qreal, top);
        QFETCH(qreal, bottom);
        const QRawFont raw = shipped(QFont::PreferNoHinting);
        const QList<quint32> glyphs = raw.glyphIndexesForString(QString(character));
        QCOMPARE(glyphs.size(), 1);
        const QRectF box = raw.pathForGlyph(glyphs[0]).boundingRect(); // y grows downwards
        QVERIFY2(qAbs(-box.top() - top) < 0.5, qPrintable(QString::number(-box.top())));
        QVERIFY2(qAbs(-box.bottom() - bottom) < 0.5, qPrintable(QString::number(-box.bottom())));
        // Every ink ends 0.108 inch (155.52 twips) into its cell.
        QVERIFY2(qAbs(box.right() - 155.52) < 0.5, qPrintable(QString::number(box.right())));
        QVERIFY(box.left() >= 0);
    }

    // Every character, printed at 12 points at 2400 dpi as the print page prints it, is the
    // E-13B shape square by square: each square of half a module (0.0065 inch), counted from
    // the character's right edge (0.108 inch into its cell) and the baseline, is ink when
    // more than half of it is covered. A ring of squares around the shape must be paper.
    void everySquareIsTheE13BShape_data() {
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<QChar>("character");
        const QJsonObject letters = e13b().value(QStringLiteral("font_letters")).toObject();
        QCOMPARE(letters.size(), 4);
        for (const QChar c : QStringLiteral("0123456789"))
            QTest::newRow(qPrintable(QString(c))) << QString(c) << c;
        for (const QString symbol : {"transit", "amount", "on-us", "dash"})
            QTest::newRow(qPrintable(symbol)) << symbol << letters.value(symbol).toString().at(0);
        QTest::newRow("minus sign") << QStringLiteral("dash") << QChar(u'-');
    }
    void everySquareIsTheE13BShape() {
        QFETCH(QString, symbol);
        QFETCH(QChar, character);
        if (!qtUsesTheShippedFont())
            QSKIP("a MICR65 from elsewhere is installed, and Qt prints with that one");
        const QJsonObject shape =
            e13b().value(QStringLiteral("characters")).toObject().value(symbol).toObject();
        const QJsonArray rows = shape.value(QStringLiteral("rows_half")).toArray();
        QVERIFY(!rows.isEmpty());
        const int width = rows[0].toString().size();
        const int height = int(rows.size());
        const int raised = qRound(shape.value(QStringLiteral("bottom")).toDouble() * 2);

        constexpr double kDpi = 2400;
        constexpr double kPixelsPerTwip = kDpi / 1440;
        const double half = 0.0065 * kDpi; // one square, in pixels
        const QPointF cell(60, 300);       // the cell's left edge and the baseline, twips
        QImage image(600, 600, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setRenderHint(QPainter::TextAntialiasing);
            painter.scale(kPixelsPerTwip, kPixelsPerTwip); // one unit is one twip
            painter.setFont(micrAt12pt());
            painter.setPen(Qt::black);
            painter.drawText(cell, QString(character));
        }
        const double right = (cell.x() + 0.108 * 1440) * kPixelsPerTwip;
        const double baseline = cell.y() * kPixelsPerTwip;

        // Squares from one beyond the shape on every side; those outside it are paper.
        QStringList drawn, wrong;
        for (int up = raised + height; up >= raised - 1; --up) {
            QString line;
            for (int left = width; left >= -1; --left) {
                const int row = raised + height - 1 - up; // in rows_half, top first
                const bool inside = row >= 0 && row < height && left >= 0 && left < width;
                const bool expected =
                    inside && rows[row].toString().at(width - 1 - left) == QLatin1Char('#');
                const bool ink = coverage(image, right - (left + 1) * half,
                                          baseline - (up + 1) * half, half) > 0.5;
                line += ink ? QLatin1Char('#') : QLatin1Char('.');
                if (ink != expected)
                    wrong << QStringLiteral("%1 squares left of the right edge, %2 up")
                                 .arg(left)
                                 .arg(up);
            }
            drawn << line;
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QStringLiteral("; ")) +
                                             QStringLiteral("\n") + drawn.join('\n')));
    }

    void lineMetrics() {
        if (!qtUsesTheShippedFont())
            QSKIP("a MICR65 from elsewhere is installed, and Qt lays that one out");
        const QFontMetricsF metrics(micrAt12pt());
        QCOMPARE(metrics.ascent(), 192.0);
        QCOMPARE(metrics.descent(), 48.0);
        QCOMPARE(metrics.lineSpacing(), 240.0);
    }

    void embeddedInPdf() {
        if (QStandardPaths::findExecutable(QStringLiteral("pdffonts")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("poppler-utils (pdffonts, pdftotext) is not installed");
        if (!qtUsesTheShippedFont())
            QSKIP("a MICR65 from elsewhere is installed, and Qt prints with that one");
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString pdf = dir.filePath(QStringLiteral("micr.pdf"));
        {
            QPdfWriter writer(pdf);
            writer.setResolution(1440);                   // one unit is one twip
            writer.setPageMargins(QMarginsF(0, 0, 0, 0)); // from the paper's corner
            QPainter painter(&writer);
            painter.setFont(micrAt12pt());
            // One inch from the left; the baseline two inches down.
            painter.drawText(QPointF(1440, 2880), kLine);
            QVERIFY(painter.end());
        }

        const QStringList fonts = run(QStringLiteral("pdffonts"), {pdf}).split(QLatin1Char('\n'));
        const QStringList micr =
            fonts.filter(QRegularExpression(QStringLiteral("^([A-Z]{6}\\+)?MICR65 ")));
        QVERIFY2(micr.size() == 1, qPrintable(fonts.join(QLatin1Char('\n'))));
        // name, type (two words), encoding, emb, sub, uni, object, generation
        const QStringList columns = micr[0].split(QLatin1Char(' '), Qt::SkipEmptyParts);
        QCOMPARE(columns.size(), 9);
        QCOMPARE(columns[4], QStringLiteral("yes"));             // embedded
        QCOMPARE(fonts.filter(QStringLiteral("yes")).size(), 1); // and nothing else is used

        // The text reads back as typed, each character 9 points (0.125 inch) wide.
        const QString words =
            run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
        const QRegularExpression word(
            QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"[0-9.]+\" xMax=\"([0-9.]+)\" "
                           "yMax=\"[0-9.]+\">([^<]*)</word>"));
        struct Expected {
            QString text;
            qreal xMin;
            qreal xMax;
        };
        const QList<Expected> expected = {{QStringLiteral("C1043C"), 72, 126},
                                          {QStringLiteral("A123456789A"), 135, 234},
                                          {QStringLiteral("110D0054C"), 243, 324}};
        auto it = word.globalMatch(words);
        for (const Expected& e : expected) {
            QVERIFY2(it.hasNext(), qPrintable(words));
            const auto m = it.next();
            QCOMPARE(m.captured(3), e.text);
            QVERIFY2(qAbs(m.captured(1).toDouble() - e.xMin) < 0.1, qPrintable(m.captured(0)));
            QVERIFY2(qAbs(m.captured(2).toDouble() - e.xMax) < 0.1, qPrintable(m.captured(0)));
        }
        QVERIFY(!it.hasNext());
    }
};

QTEST_MAIN(TestMicrFont)
#include "tst_micrfont.moc"
