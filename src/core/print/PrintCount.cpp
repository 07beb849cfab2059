#include "core/print/PrintCount.h"

#include "core/platform/Prompter.h"

#include <QLocale>
#include <QRegularExpression>

namespace {

// Enough digits to tell "too many" from anything printable without overflowing a qint64.
constexpr int kLongestCount = 15;
constexpr int kLongestQuote = 30;

} // namespace

PrintCount::Reading PrintCount::read(const QString& typed) {
    const QString answer = typed.trimmed();
    if (answer.isEmpty())
        return {Verdict::Empty};
    // Digits only (never another script's digits), plain or grouped by threes with commas.
    static const QRegularExpression number(
        QStringLiteral("^([+-]?)([0-9]+|[0-9]{1,3}(?:,[0-9]{3})+)$"));
    const QRegularExpressionMatch m = number.match(answer);
    if (!m.hasMatch())
        return {Verdict::NotWhole};
    QString digits = m.captured(2);
    digits.remove(QLatin1Char(','));
    while (digits.size() > 1 && digits.startsWith(QLatin1Char('0')))
        digits.remove(0, 1);
    const bool negative = m.captured(1) == QLatin1String("-");
    if (digits == QLatin1String("0") || negative)
        return {Verdict::BelowOne};
    if (digits.size() > kLongestCount)
        return {Verdict::TooMany};
    const qint64 count = digits.toLongLong();
    if (count > kMaximum)
        return {Verdict::TooMany};
    return {Verdict::Count, count};
}

QString PrintCount::text(qint64 count) {
    return QLocale(QLocale::English, QLocale::UnitedStates).toString(count);
}

qint64 PrintCount::ask(Prompter& prompter, const QString& title, const QString& prompt,
                       const QString& things) {
    const QString typed = prompter.input(prompt, title);
    const Reading reading = read(typed);
    // Whatever was pasted into the box, the message quotes no more than a line of it.
    QString shown = typed.trimmed();
    if (shown.size() > kLongestQuote)
        shown = shown.left(kLongestQuote) + QChar(0x2026);
    // An answer that is no count is told, and counts as nothing to print.
    const auto refuse = [&](const QString& why) -> qint64 {
        prompter.message(why + QStringLiteral(" Nothing was printed."), title,
                         Prompter::Icon::Warning);
        return 0;
    };
    switch (reading.verdict) {
    case Verdict::Empty:
        return 0;
    case Verdict::NotWhole:
        return refuse(QStringLiteral("\"%1\" is not a number of %2. Type the number as a whole "
                                     "number in digits, such as 25.")
                          .arg(shown, things));
    case Verdict::BelowOne:
        return refuse(QStringLiteral("%1 %2 means nothing to print. Type a number from 1 up, "
                                     "such as 25.")
                          .arg(shown, things));
    case Verdict::TooMany:
        return refuse(QStringLiteral("At most %1 %2 are printed at a time; print more in "
                                     "several runs.")
                          .arg(text(kMaximum), things));
    case Verdict::Count:
        break;
    }
    if (reading.count > kAskAbove &&
        !prompter.question(QStringLiteral("You asked for %1 %2, far more than a box of stock "
                                          "usually holds.\n\nPrint %1 %2 now?")
                               .arg(text(reading.count), things),
                           title, Prompter::Icon::Question, false))
        return 0;
    return reading.count;
}
