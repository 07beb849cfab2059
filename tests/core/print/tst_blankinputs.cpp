// What a print run takes from the user and the printer before it prints: the count typed
// into the count box, the printer offsets of the settings, checked against the sheet, and
// the faces the printer lists.
#include "core/print/PrintCount.h"
#include "core/print/PrinterOffsets.h"
#include "core/print/Stock.h"
#include "support/ScriptedPrompter.h"

#include <QTest>

using PrintCount::Verdict;

Q_DECLARE_METATYPE(PrintCount::Verdict)

class TestBlankInputs : public QObject {
    Q_OBJECT

private slots:
    void readCount_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<Verdict>("verdict");
        QTest::addColumn<qlonglong>("count");
        QTest::newRow("digits") << "12" << Verdict::Count << 12LL;
        QTest::newRow("blanks around") << "  12 " << Verdict::Count << 12LL;
        QTest::newRow("a tab and a no-break space") << "\t12\u00a0" << Verdict::Count << 12LL;
        QTest::newRow("leading zeros") << "007" << Verdict::Count << 7LL;
        QTest::newRow("one") << "1" << Verdict::Count << 1LL;
        QTest::newRow("thousands comma") << "1,000" << Verdict::Count << 1000LL;
        QTest::newRow("two thousands commas") << "12,500" << Verdict::Count << 12500LL;
        QTest::newRow("the most") << "99,999" << Verdict::Count << 99999LL;
        QTest::newRow("one more than the most") << "100000" << Verdict::TooMany << 0LL;
        QTest::newRow("too large for any integer")
            << "99999999999999999999" << Verdict::TooMany << 0LL;
        QTest::newRow("plus sign") << "+3" << Verdict::Count << 3LL;
        QTest::newRow("empty (or Cancel)") << "" << Verdict::Empty << 0LL;
        QTest::newRow("only blanks") << "   " << Verdict::Empty << 0LL;
        QTest::newRow("zero") << "0" << Verdict::BelowOne << 0LL;
        QTest::newRow("zeros") << "000" << Verdict::BelowOne << 0LL;
        QTest::newRow("negative") << "-3" << Verdict::BelowOne << 0LL;
        QTest::newRow("large negative") << "-99999999999999999999" << Verdict::BelowOne << 0LL;
        QTest::newRow("fraction") << "2.5" << Verdict::NotWhole << 0LL;
        QTest::newRow("whole with a point") << "2.0" << Verdict::NotWhole << 0LL;
        QTest::newRow("exponent") << "1e3" << Verdict::NotWhole << 0LL;
        QTest::newRow("European grouping") << "1.000" << Verdict::NotWhole << 0LL;
        QTest::newRow("grouping by blanks") << "1 000" << Verdict::NotWhole << 0LL;
        QTest::newRow("comma out of place") << "1,00" << Verdict::NotWhole << 0LL;
        QTest::newRow("leading comma") << ",100" << Verdict::NotWhole << 0LL;
        QTest::newRow("letters") << "abc" << Verdict::NotWhole << 0LL;
        QTest::newRow("a letter for a digit") << "1O" << Verdict::NotWhole << 0LL;
        QTest::newRow("words after") << "12 checks" << Verdict::NotWhole << 0LL;
        QTest::newRow("hexadecimal") << "0x10" << Verdict::NotWhole << 0LL;
        QTest::newRow("another script's digits") << "\u0661\u0662" << Verdict::NotWhole << 0LL;
        QTest::newRow("full-width digits") << "\uff11\uff12" << Verdict::NotWhole << 0LL;
    }
    void readCount() {
        QFETCH(QString, typed);
        QFETCH(Verdict, verdict);
        QFETCH(qlonglong, count);
        const PrintCount::Reading reading = PrintCount::read(typed);
        QCOMPARE(reading.verdict, verdict);
        QCOMPARE(reading.count, count);
    }

    // What the user sees for each kind of answer, and what is left to print.
    void askCount_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("answer"); // to the question: -1 none asked, 0 No, 1 Yes
        QTest::addColumn<qlonglong>("count");
        QTest::addColumn<QString>("shown"); // the message or question after the input box
        QTest::newRow("a count") << "25" << -1 << 25LL << "";
        QTest::newRow("the most before asking") << "5,000" << -1 << 5000LL << "";
        QTest::newRow("Cancel") << "" << -1 << 0LL << "";
        QTest::newRow("over 5000, Yes")
            << "5001" << 1 << 5001LL
            << "You asked for 5,001 blank checks, far more than a box of stock usually "
               "holds.\n\nPrint 5,001 blank checks now?";
        QTest::newRow("over 5000, No")
            << "60000" << 0 << 0LL
            << "You asked for 60,000 blank checks, far more than a box of stock usually "
               "holds.\n\nPrint 60,000 blank checks now?";
        QTest::newRow("zero") << "0" << -1 << 0LL
                              << "0 blank checks means nothing to print. Type a number from 1 "
                                 "up, such as 25. Nothing was printed.";
        QTest::newRow("fraction") << " 2.5 " << -1 << 0LL
                                  << "\"2.5\" is not a number of blank checks. Type the number "
                                     "as a whole number in digits, such as 25. Nothing was "
                                     "printed.";
        QTest::newRow("a pasted paragraph: quoted in part")
            << QString(QStringLiteral("Dear customer, thank you ") + QString(500, QLatin1Char('x')))
            << -1 << 0LL
            << QString::fromUtf8("\"Dear customer, thank you xxxxx\u2026\" is not a number of "
                                 "blank checks. Type the number as a whole number in digits, "
                                 "such as 25. Nothing was printed.");
        QTest::newRow("too many") << "250000" << -1 << 0LL
                                  << "At most 99,999 blank checks are printed at a time; print "
                                     "more in several runs. Nothing was printed.";
    }
    void askCount() {
        QFETCH(QString, typed);
        QFETCH(int, answer);
        QFETCH(qlonglong, count);
        QFETCH(QString, shown);
        ScriptedPrompter prompter;
        prompter.answerInput(typed);
        if (answer >= 0)
            prompter.answerQuestion(answer == 1);
        QCOMPARE(PrintCount::ask(prompter, QStringLiteral("Ledgerline"),
                                 QStringLiteral("How many?"), QStringLiteral("blank checks")),
                 count);
        const QList<Prompt> prompts = prompter.take();
        QCOMPARE(prompts.first().kind, Prompt::Kind::Input);
        QCOMPARE(prompts.first().title, QStringLiteral("Ledgerline"));
        QCOMPARE(prompts.size(), shown.isEmpty() ? 1 : 2);
        if (!shown.isEmpty()) {
            QCOMPARE(prompts[1].text, shown);
            QCOMPARE(prompts[1].title, QStringLiteral("Ledgerline"));
            QCOMPARE(prompts[1].kind, answer >= 0 ? Prompt::Kind::Question : Prompt::Kind::Message);
            QVERIFY(!prompts[1].yesIsDefault);
        }
    }

    void storedOffsets_data() {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<bool>("whole");
        QTest::addColumn<qlonglong>("twips");
        QTest::newRow("integer") << QVariant(200) << true << 200LL;
        QTest::newRow("negative") << QVariant(-40) << true << -40LL;
        QTest::newRow("real without fraction") << QVariant(350.0) << true << 350LL;
        QTest::newRow("text of digits") << QVariant(QStringLiteral(" 525 ")) << true << 525LL;
        QTest::newRow("Null") << QVariant() << false << 0LL;
        QTest::newRow("fraction") << QVariant(200.5) << false << 0LL;
        QTest::newRow("text") << QVariant(QStringLiteral("two hundred")) << false << 0LL;
        QTest::newRow("beyond any page") << QVariant(1e300) << false << 0LL;
    }
    void storedOffsets() {
        QFETCH(QVariant, stored);
        QFETCH(bool, whole);
        QFETCH(qlonglong, twips);
        const std::optional<qint64> read = PrinterOffsets::twips(stored);
        QCOMPARE(read.has_value(), whole);
        if (whole)
            QCOMPARE(*read, twips);
    }

    // A check layout whose lowest line ends 14335 twips below the vertical start (the MICR
    // line of the third 88 mm check) and that needs 10800 twips right of the horizontal
    // start: vertical starts from 0 to 1505 and horizontal starts from 0 to 1440 fit.
    void offsetsOnTheSheet_data() {
        QTest::addColumn<QVariant>("vertical");
        QTest::addColumn<QVariant>("horizontal");
        QTest::addColumn<QString>("problem");
        const QString start = QStringLiteral("Blank checks were not printed. ");
        const QString align =
            QStringLiteral(" Choose Align Printer on the printer control screen to correct this.");
        QTest::newRow("laser defaults") << QVariant(200) << QVariant(525) << "";
        QTest::newRow("lowest and rightmost that fit") << QVariant(1505) << QVariant(1440) << "";
        QTest::newRow("one twip too low")
            << QVariant(1506) << QVariant(525)
            << start +
                   "The vertical starting position 1506 would put blank checks below the bottom of "
                   "the sheet. Set it to a number from 0 to 1505." +
                   align;
        QTest::newRow("above the sheet")
            << QVariant(-1) << QVariant(525)
            << start +
                   "The vertical starting position -1 would put blank checks above the top of the "
                   "sheet. Set it to a number from 0 to 1505." +
                   align;
        QTest::newRow("beyond 16 bits")
            << QVariant(70000) << QVariant(525)
            << start +
                   "The vertical starting position 70000 would put blank checks below the bottom "
                   "of the sheet. Set it to a number from 0 to 1505." +
                   align;
        QTest::newRow("one twip too far right")
            << QVariant(200) << QVariant(1441)
            << start +
                   "The horizontal starting position 1441 would put blank checks past the right "
                   "edge of the sheet. Set it to a number from 0 to 1440." +
                   align;
        QTest::newRow("left of the sheet")
            << QVariant(200) << QVariant(-300)
            << start +
                   "The horizontal starting position -300 would put blank checks past the left "
                   "edge of the sheet. Set it to a number from 0 to 1440." +
                   align;
        QTest::newRow("both wrong")
            << QVariant(5000) << QVariant(5250)
            << start +
                   "The vertical starting position 5000 would put blank checks below the bottom of "
                   "the sheet. Set it to a number from 0 to 1505. The horizontal starting position "
                   "5250 would put blank checks past the right edge of the sheet. Set it to a "
                   "number from 0 to 1440." +
                   align;
        QTest::newRow("no vertical start")
            << QVariant() << QVariant(525)
            << start +
                   "The printer alignment has no vertical starting position. Set it to a number "
                   "from 0 to 1505." +
                   align;
    }
    void offsetsOnTheSheet() {
        QFETCH(QVariant, vertical);
        QFETCH(QVariant, horizontal);
        QFETCH(QString, problem);
        const PrinterOffsets::Reach reach{14335, 10800, QStringLiteral("blank checks")};
        QCOMPARE(PrinterOffsets::problem(PrinterOffsets::twips(vertical),
                                         PrinterOffsets::twips(horizontal), reach),
                 problem);
    }

    // A family installed from several foundries is listed once for each, with the foundry
    // in brackets; a name that only begins the same is another family.
    void facesThePrinterLists_data() {
        QTest::addColumn<QStringList>("fonts");
        QTest::addColumn<QString>("body");
        QTest::addColumn<bool>("micr");
        QTest::newRow("plain names")
            << QStringList{"Times New Roman", "MICR65"} << "Times New Roman" << true;
        QTest::newRow("foundries") << QStringList{"Times New Roman [Monotype]", "MICR65 [Home]"}
                                   << "Times New Roman" << true;
        QTest::newRow("look-alikes")
            << QStringList{"Times New Roman PS", "MICR65X", "micr65"} << "Helv" << false;
        QTest::newRow("nothing listed") << QStringList{} << "Helv" << false;
    }
    void facesThePrinterLists() {
        QFETCH(QStringList, fonts);
        QFETCH(QString, body);
        QFETCH(bool, micr);
        ScriptedPrompter prompter;
        QCOMPARE(PrintFaces::body(fonts), body);
        QCOMPARE(PrintFaces::micrPresent(fonts, prompter), micr);
        QCOMPARE(prompter.take().size(), micr ? 0 : 1);
    }
};

QTEST_MAIN(TestBlankInputs)
#include "tst_blankinputs.moc"
