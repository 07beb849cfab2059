#pragma once

#include <QString>

class Prompter;

/// How many checks or deposit slips a blank run prints: the answer typed into the count
/// box, read strictly so that a slip of the finger never prints a box of stock.
namespace PrintCount {

/// Counts above this are asked about once more before anything prints.
constexpr qint64 kAskAbove = 5000;
/// The most one run prints.
constexpr qint64 kMaximum = 99999;

enum class Verdict {
    Empty,    ///< nothing typed, or the box was cancelled
    NotWhole, ///< not a whole number written in digits
    BelowOne, ///< zero or negative
    TooMany,  ///< more than kMaximum
    Count,    ///< a count from 1 to kMaximum
};

struct Reading {
    Verdict verdict;
    qint64 count = 0; ///< the count when the verdict is Count
};

/// Reads a typed count. A count is digits (0-9 only), optionally grouped by thousands
/// commas ("1,000"), with an optional sign, blanks around it ignored. Fractions ("2.5"),
/// exponents ("1e3"), other groupings ("1.000", "1 000") and words are not counts.
Reading read(const QString& typed);

/// Asks for a count with `prompt` in an input box titled `title`. Cancel and an empty answer
/// stop quietly; an answer that is no count says why and stops; a count above kAskAbove is
/// asked about once more, and No stops. Returns the count to print, or 0 to print nothing.
/// `things` names what is counted ("blank checks").
qint64 ask(Prompter& prompter, const QString& title, const QString& prompt, const QString& things);

/// A count as the messages write it: thousands commas, "6,000".
QString text(qint64 count);

} // namespace PrintCount
