#include "core/entry/AmountText.h"

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

/// Where the dollars and the cents of an amount lie in its text. The dollars may hold commas.
struct AmountSpans {
    bool negative = false;
    qsizetype wholeBegin = 0, wholeEnd = 0;
    qsizetype fractionBegin = 0, fractionEnd = 0;
};

/// Reads an amount; `maxDecimals` < 0 allows any number of decimals.
bool parse(QByteArrayView text, int maxDecimals, AmountSpans& p) {
    qsizetype i = 0;
    qsizetype end = text.size();
    while (i < end && isBlank(text[i]))
        ++i;
    while (end > i && isBlank(text[end - 1]))
        --end;
    auto at = [&](qsizetype k) { return k < end ? text[k] : '\0'; };

    if (at(i) == '-') {
        p.negative = true;
        if (at(++i) == '$')
            ++i;
    } else if (at(i) == '$') {
        if (at(++i) == '-') {
            p.negative = true;
            ++i;
        }
    }

    p.wholeBegin = i;
    qsizetype run = 0;
    while (isDigit(at(i)))
        ++i, ++run;
    if (at(i) == ',') {
        // Thousands commas: a first group of one to three digits, then groups of three. A
        // first group of "0" would make "0,125" (a decimal comma elsewhere) read as 125.
        if (run < 1 || run > 3 || text[p.wholeBegin] == '0')
            return false;
        while (at(i) == ',') {
            ++i;
            for (int k = 0; k < 3; ++k, ++i)
                if (!isDigit(at(i)))
                    return false;
            if (isDigit(at(i)))
                return false;
            run += 3;
        }
    }
    p.wholeEnd = i;

    p.fractionBegin = p.fractionEnd = i;
    if (at(i) == '.') {
        p.fractionBegin = ++i;
        while (isDigit(at(i)))
            ++i;
        p.fractionEnd = i;
        if (maxDecimals >= 0 && p.fractionEnd - p.fractionBegin > maxDecimals)
            return false;
    }
    return i == end && (run > 0 || p.fractionEnd > p.fractionBegin);
}

/// The dollars' digits without commas and leading zeros ("0" when none are left).
void appendWhole(QByteArray& out, QByteArrayView text, const AmountSpans& p, qsizetype& digits) {
    digits = 0;
    bool leading = true;
    for (qsizetype i = p.wholeBegin; i < p.wholeEnd; ++i) {
        const char c = text[i];
        if (c == ',' || (leading && c == '0'))
            continue;
        leading = false;
        out += c;
        ++digits;
    }
    if (digits == 0)
        out += '0';
}

bool isZero(QByteArrayView text, const AmountSpans& p) {
    for (qsizetype i = p.wholeBegin; i < p.fractionEnd; ++i)
        if (isDigit(text[i]) && text[i] != '0')
            return false;
    return true;
}

/// Amounts are plain ASCII; anything else cannot be one and may stand as '?'.
QByteArray ascii(const QString& text) {
    return text.toLatin1();
}

} // namespace

bool AmountText::appendNormalised(QByteArray& out, QByteArrayView text) {
    AmountSpans p;
    if (!parse(text, 2, p))
        return false;
    const qsizetype start = out.size();
    if (p.negative && !isZero(text, p))
        out += '-';
    qsizetype digits = 0;
    appendWhole(out, text, p, digits);
    if (digits > kMaxWholeDigits) {
        out.truncate(start);
        return false;
    }
    out += '.';
    const qsizetype decimals = p.fractionEnd - p.fractionBegin;
    out.append(text.sliced(p.fractionBegin, decimals));
    out.append(2 - decimals, '0');
    return true;
}

bool AmountText::appendPlainNumber(QByteArray& out, QByteArrayView text) {
    AmountSpans p;
    if (!parse(text, -1, p))
        return false;
    if (p.negative && !isZero(text, p))
        out += '-';
    qsizetype digits = 0;
    appendWhole(out, text, p, digits);
    qsizetype fractionEnd = p.fractionEnd;
    while (fractionEnd > p.fractionBegin && text[fractionEnd - 1] == '0')
        --fractionEnd;
    if (fractionEnd > p.fractionBegin) {
        out += '.';
        out.append(text.sliced(p.fractionBegin, fractionEnd - p.fractionBegin));
    }
    return true;
}

std::optional<QString> AmountText::normalise(const QString& text) {
    QByteArray out;
    if (!appendNormalised(out, ascii(text)))
        return std::nullopt;
    return QString::fromLatin1(out);
}

std::optional<QString> AmountText::plainNumber(const QString& stored) {
    QByteArray out;
    if (!appendPlainNumber(out, ascii(stored)))
        return std::nullopt;
    return QString::fromLatin1(out);
}

std::optional<qint64> AmountText::cents(QByteArrayView stored) {
    AmountSpans p;
    if (!parse(stored, -1, p))
        return std::nullopt;
    qint64 value = 0;
    int digits = 0;
    for (qsizetype i = p.wholeBegin; i < p.wholeEnd; ++i) {
        const char c = stored[i];
        if (c == ',' || (digits == 0 && c == '0'))
            continue;
        if (++digits > kMaxWholeDigits)
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    // Two decimals make cents; any further ones must be zeros.
    for (qsizetype i = p.fractionBegin, k = 0; k < 2; ++i, ++k)
        value = value * 10 + (i < p.fractionEnd ? stored[i] - '0' : 0);
    for (qsizetype i = p.fractionBegin + 2; i < p.fractionEnd; ++i)
        if (stored[i] != '0')
            return std::nullopt;
    return p.negative ? -value : value;
}

std::optional<qint64> AmountText::cents(const QString& stored) {
    return cents(QByteArrayView(ascii(stored)));
}

QString AmountText::fromCents(TotalCents cents, bool grouped) {
    const bool negative = cents < 0;
    TotalCents rest = negative ? -cents : cents;
    QString digits;
    do {
        digits.prepend(QLatin1Char(char('0' + int(rest % 10))));
        rest /= 10;
    } while (rest > 0);
    while (digits.size() < 3)
        digits.prepend(QLatin1Char('0'));
    QString whole = digits.left(digits.size() - 2);
    if (grouped)
        for (qsizetype i = whole.size() - 3; i > 0; i -= 3)
            whole.insert(i, QLatin1Char(','));
    return (negative ? QStringLiteral("-") : QString()) + whole + QLatin1Char('.') +
           digits.right(2);
}
