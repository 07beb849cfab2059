// The real message, question and input boxes: what they answer, and that a long text wraps
// rather than stretching its box off a small screen.
#include "core/platform/Program.h"
#include "gui/platform/QtPrompter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

const QString kLabelPrompt = QStringLiteral(
    "Load your Avery 5160 labels in your printer now and enter the label number (labels are "
    "numbered down each column) of the first label you want to start printing on or press OK "
    "to choose label 1:");
const QString kChecksQuestion = QStringLiteral(
    "The print job has been sent to the printer. Wait until the checks are printed and then "
    "answer this question: Did all checks print properly? If you choose YES, all checks "
    "selected to print ONE TIME will be set to don't print. If you choose YES and you notice a "
    "few checks do not print properly, you can reprint checks by changing the How Will This "
    "Check Print option on the data entry screen. ");

struct Seen {
    QSize size;
    QString label;
};

/// Once the box is up: notes its size and the longest text it shows, then answers it by
/// pressing the button with `button` as its text (or typing `typed` and pressing it).
void answerWhenShown(Seen& seen, const QString& button, const QString& typed = {}) {
    QTimer::singleShot(0, [&seen, button, typed] {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen.size = box->frameGeometry().size();
        for (auto* label : box->findChildren<QLabel*>())
            if (label->text().size() > seen.label.size())
                seen.label = label->text();
        if (auto* line = box->findChild<QLineEdit*>())
            line->setText(typed);
        for (auto* b : box->findChildren<QAbstractButton*>())
            if (b->text().remove(QLatin1Char('&')) == button) {
                b->click();
                return;
            }
        box->reject();
    });
}

} // namespace

class TestQtPrompter : public QObject {
    Q_OBJECT

private slots:
    void boxes_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("answer");
        QTest::newRow("label prompt, OK with a number") << "input" << kLabelPrompt << "OK"
                                                        << "11";
        QTest::newRow("label prompt, OK without a number") << "input" << kLabelPrompt << "OK"
                                                           << "";
        QTest::newRow("label prompt, Cancel") << "input" << kLabelPrompt << "Cancel"
                                              << "(cancelled)";
        QTest::newRow("checks question, Yes") << "question" << kChecksQuestion << "Yes"
                                              << "yes";
        QTest::newRow("checks question, No") << "question" << kChecksQuestion << "No"
                                             << "no";
        QTest::newRow("marking failed, Retry") << "retry" << kChecksQuestion << "Retry"
                                               << "yes";
        QTest::newRow("marking failed, Cancel") << "retry" << kChecksQuestion << "Cancel"
                                                << "no";
        QTest::newRow("message") << "message" << kChecksQuestion + kChecksQuestion << "OK"
                                 << "";
    }
    void boxes() {
        QFETCH(QString, kind);
        QFETCH(QString, text);
        QFETCH(QString, button);
        QFETCH(QString, answer);
        Program program;
        QtPrompter qt(program);
        Prompter& prompter = qt;
        Seen seen;
        answerWhenShown(seen, button, answer == QLatin1String("(cancelled)") ? QString() : answer);
        QString got;
        if (kind == QLatin1String("input")) {
            const std::optional<QString> typed = prompter.ask(text, {});
            got = typed ? *typed : QStringLiteral("(cancelled)");
        } else if (kind == QLatin1String("question")) {
            got = prompter.question(text, {}, Prompter::Icon::Stop, false) ? "yes" : "no";
        } else if (kind == QLatin1String("retry")) {
            got = prompter.retry(text, {}, Prompter::Icon::Warning) ? "yes" : "no";
        } else {
            prompter.message(text);
        }
        QCOMPARE(got, answer);
        QCOMPARE(seen.label, text); // shown whole
        QVERIFY2(seen.size.width() <= 600, qPrintable(QString::number(seen.size.width())));
    }
};

QTEST_MAIN(TestQtPrompter)
#include "tst_qtprompter.moc"
