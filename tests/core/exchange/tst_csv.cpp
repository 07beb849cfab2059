// The comma-delimited writer and reader, and the encodings files come in.
#include "core/exchange/CsvReader.h"
#include "core/exchange/CsvWriter.h"
#include "core/exchange/FileText.h"

#include <QTest>

namespace {

QList<QStringList> readAll(const QByteArray& text, QList<qsizetype>* lines = nullptr) {
    CsvReader reader(text);
    QList<QStringList> records;
    while (reader.next() == CsvReader::Status::Record) {
        records << reader.texts();
        if (lines)
            *lines << reader.line();
    }
    return records;
}

} // namespace

class TestCsv : public QObject {
    Q_OBJECT

private slots:
    void writesQuotedTextBareNumbersAndCrLf() {
        QByteArray out;
        CsvWriter w(out);
        w.text(QStringLiteral("Smith, \"Bud\" Jr."));
        w.number("1234.5");
        w.null();
        w.text(QString());
        w.endLine();
        w.text(QStringLiteral("Zoë"));
        w.endLine();
        QCOMPARE(out,
                 QByteArray("\"Smith, \"\"Bud\"\" Jr.\",1234.5,\"\",\"\"\r\n\"Zo\xc3\xab\"\r\n"));
    }

    void readsOneRecord_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("values");
        QTest::newRow("quoted and bare")
            << QByteArray("\"a\",\"b\",3\r\n") << QStringList{"a", "b", "3"};
        QTest::newRow("doubled quotes")
            << QByteArray("\"He said \"\"hi\"\"\",x") << QStringList{"He said \"hi\"", "x"};
        QTest::newRow("comma inside quotes")
            << QByteArray("\"Smith, Jr.\",1") << QStringList{"Smith, Jr.", "1"};
        QTest::newRow("line break inside quotes")
            << QByteArray("\"one\r\ntwo\",2\r\n") << QStringList{"one\r\ntwo", "2"};
        QTest::newRow("empty values") << QByteArray("\"\",,\"\"") << QStringList{"", "", ""};
        QTest::newRow("comma at the end") << QByteArray("a,\r\n") << QStringList{"a", ""};
        QTest::newRow("blanks around quotes") << QByteArray(" \"a\" ,b") << QStringList{"a", "b"};
        QTest::newRow("bare value as it stands")
            << QByteArray(" 5'10\" ,x") << QStringList{" 5'10\" ", "x"};
        QTest::newRow("only a quote") << QByteArray("\"\"\"\"") << QStringList{"\""};
    }
    void readsOneRecord() {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, values);
        const QList<QStringList> records = readAll(text);
        QCOMPARE(records.size(), 1);
        QCOMPARE(records[0], values);
    }

    void recordsEndWithAnyLineBreakAndEmptyLinesArePassedOver() {
        QList<qsizetype> lines;
        const auto records = readAll("a\r\n\r\n\"b\nc\"\nd\re", &lines);
        QCOMPARE(records, (QList<QStringList>{{"a"}, {"b\nc"}, {"d"}, {"e"}}));
        QCOMPARE(lines, (QList<qsizetype>{1, 3, 5, 6}));
    }

    void malformedTextNamesItsLine_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<qsizetype>("line");
        QTest::addColumn<QString>("problem");
        QTest::newRow("unclosed") << QByteArray("a\r\n\"x\r\ny,z") << qsizetype(2)
                                  << "the quoted value that begins on line 2 has no closing "
                                     "double quote";
        QTest::newRow("text after the quote")
            << QByteArray("a\n\"ab\"c,d") << qsizetype(2)
            << "on line 2 a quoted value is followed by more text before the next comma (a "
               "double quote inside a value is written twice: \"\")";
        QTest::newRow("zero byte") << QByteArray("a\nb\0c", 5) << qsizetype(2)
                                   << "line 2 holds a zero byte, which text files do not have";
    }
    void malformedTextNamesItsLine() {
        QFETCH(QByteArray, text);
        QFETCH(qsizetype, line);
        QFETCH(QString, problem);
        CsvReader reader(text);
        CsvReader::Status status;
        while ((status = reader.next()) == CsvReader::Status::Record) {
        }
        QCOMPARE(status, CsvReader::Status::Malformed);
        QCOMPARE(reader.line(), line);
        QCOMPARE(reader.problem(), problem);
        QCOMPARE(reader.next(), CsvReader::Status::Malformed);
    }

    void everyValueReadsBackAsWritten() {
        const QStringList awkward{"Smith, \"Bud\" Jr.",
                                  "two\r\nlines",
                                  "bare\nfeed",
                                  "lone\rreturn",
                                  "\"",
                                  "\"\"",
                                  "Zoë Ñandú € ✓",
                                  ",",
                                  " padded ",
                                  "",
                                  "\"a\",\"b\""};
        QByteArray out;
        CsvWriter w(out);
        for (const QString& v : awkward)
            w.text(v);
        w.endLine();
        w.text(QStringLiteral("second"));
        w.endLine();
        QCOMPARE(readAll(out), (QList<QStringList>{awkward, {"second"}}));
    }

    void eachLineIsReadAsUtf8OrElseWindows1252_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<qsizetype>("windows1252Lines");
        QTest::newRow("utf-8") << QByteArray("Jos\xc3\xa9") << QString::fromUtf8("José")
                               << qsizetype(0);
        QTest::newRow("utf-8 with byte-order mark")
            << QByteArray("\xef\xbb\xbfZo\xc3\xab") << QString::fromUtf8("Zoë") << qsizetype(0);
        QTest::newRow("four-byte utf-8")
            << QByteArray("\xf0\x9f\x98\x80") << QString::fromUtf8("😀") << qsizetype(0);
        QTest::newRow("1252 accent")
            << QByteArray("Jos\xe9") << QString::fromUtf8("José") << qsizetype(1);
        QTest::newRow("1252 quotes and euro")
            << QByteArray("\x93Hi\x94 \x80") << QString::fromUtf8("“Hi” €") << qsizetype(1);
        QTest::newRow("1252 quotes each way round, and the other signs")
            << QByteArray("\x91"
                          "a\x92 \x93"
                          "b\x94 \x82\x84\x85\x8b\x9b \x96\x97 \x99\x89\x86\x87\x95 "
                          "\x83\x88\x98 \x8a\x8c\x8e\x9a\x9c\x9e\x9f")
            << QString::fromUtf8("‘a’ “b” ‚„…‹› –— ™‰†‡• ƒˆ˜ ŠŒŽšœžŸ") << qsizetype(1);
        QTest::newRow("1252 unused byte")
            << QByteArray("a\x81") << QString::fromUtf8("a\u0081") << qsizetype(1);
        // A line a second program added in its own encoding: each keeps its accents.
        QTest::newRow("utf-8 lines and a 1252 line")
            << QByteArray("Zo\xc3\xab\r\nJos\xe9\r\n\xe2\x80\x9cok\xe2\x80\x9d\r\n")
            << QString::fromUtf8("Zoë\r\nJosé\r\n“ok”\r\n") << qsizetype(1);
        QTest::newRow("every kind of line break")
            << QByteArray("\xe9\r\xc3\xa9\n\xe9\r\n\xc3\xa9\r\r\n\xe9")
            << QString::fromUtf8("é\ré\né\r\né\r\r\né") << qsizetype(3);
        // Not UTF-8, though they look like it: the line is read as Windows-1252.
        QTest::newRow("overlong form")
            << QByteArray("\xc0\xaf\nZo\xc3\xab") << QString::fromUtf8("À¯\nZoë") << qsizetype(1);
        QTest::newRow("surrogate") << QByteArray("\xed\xa0\x80\nZo\xc3\xab")
                                   << QString::fromUtf8("í\u00a0€\nZoë") << qsizetype(1);
        QTest::newRow("cut short at the end of its line")
            << QByteArray("\xe2\x82\r\nZo\xc3\xab") << QString::fromUtf8("â‚\r\nZoë")
            << qsizetype(1);
        QTest::newRow("beyond unicode") << QByteArray("\xf4\x90\x80\x80\nZo\xc3\xab")
                                        << QString::fromUtf8("ô\u0090€€\nZoë") << qsizetype(1);
    }
    void eachLineIsReadAsUtf8OrElseWindows1252() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(qsizetype, windows1252Lines);
        QByteArray converted;
        const FileText::Decoded decoded = FileText::decode(bytes, converted, 1 << 20);
        QCOMPARE(QString::fromUtf8(decoded.utf8), text);
        QCOMPARE(decoded.windows1252Lines, windows1252Lines);
        QCOMPARE(decoded.overlongLine, qsizetype(0));
    }
};

QTEST_GUILESS_MAIN(TestCsv)
#include "tst_csv.moc"
