// The MICR font the program carries: registered from the resources, measured as Qt lays it
// out (twips at 12 points: a pixel size of 240), and embedded in a PDF.
#include "gui/platform/MicrFont.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QProcess>
#include <QRawFont>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

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
        for (const QChar c : QStringLiteral("0123456789ABCD "))
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
        // 0.117 inch is 168.48 twips; one square of the matrix 18.72.
        for (const QChar c : QStringLiteral("0123456789AB"))
            QTest::newRow(qPrintable(QString(c))) << c << 168.48 << 0.0;
        QTest::newRow("on-us") << QChar(u'C') << 149.76 << 18.72;
        QTest::newRow("dash") << QChar(u'D') << 131.04 << 37.44;
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
