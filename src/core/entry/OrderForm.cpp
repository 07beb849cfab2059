#include "core/entry/OrderForm.h"

#include "core/entry/FieldEntry.h"
#include "core/entry/MicrText.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <utility>

namespace {

struct Rule {
    const char* label;
    qsizetype offset;  // from the label's first character to its value's
    qsizetype length;  // the most characters the value may have
    const char* field; // in table Account; null when the value is not stored
    bool number;       // printed on the check, where a cut-off value would be a wrong one
};

// In the order they are applied; the first fifteen are the stored ones. Each offset skips
// the label, its colon and its blank, except the bottom row's: that value starts five
// characters into its label, so it carries the label's last nine letters, the colon and the
// blank before the row itself. It is only searched, so the extra text does no harm.
constexpr Rule kRules[] = {
    {"BankName", 10, 60, "Bank", false},
    {"BankCity", 10, 60, "BankCity", false},
    {"BankState", 11, 60, "BankState", false},
    {"BankRoutingNumber", 19, 15, "ABA", true},
    {"BankAccountNumber", 19, 30, "Account", true},
    {"CheckNumber", 13, 6, "Check", true},
    {"CustomerBusinessName", 22, 60, "BusinessName", false},
    {"CustomerFirstName", 19, 60, "FirstName", false},
    {"CustomerLastName", 18, 60, "LastName", false},
    {"CustomerAddress", 17, 80, "Address", false},
    {"CustomerCity", 14, 60, "City", false},
    {"CustomerState", 15, 60, "State", false},
    {"CustomerZip", 13, 30, "Zip", false},
    {"CustomerPhone", 15, 40, "Phone", false},
    {"TotalCost", 11, 14, "Amount", true},
    {"BottomCheckRow", 5, 60, nullptr, false},
    {"CustomerEMailAddress", 22, 80, nullptr, false},
    {"SpecialComments", 17, 100, nullptr, false},
    {"CardNumber", 12, 60, nullptr, false},
    {"CardExpDate", 13, 10, nullptr, false},
    {"CardExpYear", 13, 10, nullptr, false},
    {"CardType", 10, 20, nullptr, false},
    {"BankPhoneNumber", 17, 25, nullptr, false},
};
constexpr qsizetype kStoredRules = 15;

const QString kCrLf = QStringLiteral("\r\n");

// Forms are written with CR LF, but text copied from a mail program on this platform
// usually arrives with bare line feeds. Without a carriage return a value would run on into
// the following lines, so every bare line feed is given the carriage return it lacks.
QString withCarriageReturns(const QString& text) {
    if (!text.contains(u'\n'))
        return text;
    QString out;
    out.reserve(text.size() + text.size() / 16 + 1);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r'))
            out += u'\r';
        out += text[i];
    }
    return out;
}

// What a message may quote of a line that can be as long as the whole clipboard.
QString quotable(const QString& value) {
    constexpr qsizetype kMost = 40;
    return value.size() <= kMost ? value : value.left(kMost) + QChar(0x2026);
}

struct Extract {
    QString value;
    bool cut = false; // the line went on past the length limit with more than blanks
    QString line;     // when cut: the whole value as the line gives it, for quoting
};

// The value of the label found at `at`, as the rule takes it.
Extract extract(const QString& text, qsizetype at, const Rule& rule) {
    const qsizetype labelEnd = at + qsizetype(std::strlen(rule.label));
    // A label near the end of the text leaves less than the value's offset after it.
    qsizetype begin = std::min(at + rule.offset, text.size());
    // "BankName:" with nothing after it ends its line before the value's offset; the value
    // would otherwise begin inside the next line and take that line's label and text.
    if (labelEnd < begin && QStringView(text).sliced(labelEnd, begin - labelEnd).contains(u'\r'))
        return {};
    const qsizetype start = begin;
    qsizetype end = std::min(begin + rule.length, text.size());
    // Never keep half of a character: a value stored with a lone surrogate would be garbage
    // wherever it is shown or printed.
    if (begin < end && begin > 0 && text[begin].isLowSurrogate() &&
        text[begin - 1].isHighSurrogate())
        ++begin;
    if (begin < end && end < text.size() && text[end - 1].isHighSurrogate() &&
        text[end].isLowSurrogate())
        --end;
    const QString window = text.mid(begin, end - begin);
    Extract x;
    x.value = TakeLine(window);
    if (window.contains(u'\r'))
        return x;
    qsizetype lineEnd = text.indexOf(u'\r', end);
    if (lineEnd < 0)
        lineEnd = text.size();
    for (qsizetype i = end; i < lineEnd && !x.cut; ++i)
        x.cut = text[i] != u' ';
    if (x.cut) // quoted as its line gives it, leading blanks removed like any value's
        x.line = TakeLine(text.mid(start, lineEnd - start) + u'\r');
    return x;
}

// Only the check number and the amount refuse a value.
QString refusal(const QString& field) {
    if (field == QLatin1String("Check"))
        return QStringLiteral("is not ") + MicrText::allowed(MicrText::Field::CheckNumber);
    if (field == QLatin1String("ABA"))
        return QStringLiteral("may hold digits only, as the MICR line prints it");
    if (field == QLatin1String("Account"))
        return QStringLiteral("may hold only digits, blanks, D and -, as the MICR line prints it");
    return QStringLiteral("is not an amount in dollars and cents");
}

} // namespace

QString TakeLine(const QString& value) {
    const qsizetype cr = value.indexOf(u'\r');
    if (cr < 0)
        return value;
    qsizetype from = 0;
    while (from < cr && value[from] == u' ')
        ++from;
    return value.mid(from, cr - from);
}

OrderForm OrderForm::parse(const QString& pasted) {
    const QString text = withCarriageReturns(pasted);
    OrderForm form;
    form.m_entries.reserve(std::size(kRules));
    for (qsizetype r = 0; r < qsizetype(std::size(kRules)); ++r) {
        const Rule& rule = kRules[r];
        Entry e;
        e.label = QString::fromLatin1(rule.label);
        e.field = rule.field ? QString::fromLatin1(rule.field) : QString();
        const qsizetype at = text.indexOf(e.label);
        e.found = at >= 0;
        if (e.found) {
            const Extract x = extract(text, at, rule);
            e.value = x.value;
            e.cut = x.cut;
            if (r < kStoredRules && !e.value.isEmpty()) {
                const bool accepted = FieldEntry::accepts(e.field, e.value);
                const bool wrongNumber = e.cut && rule.number;
                if (accepted && !wrongNumber)
                    e.stored = FieldEntry::convert(e.field, e.label, e.value);
                if (form.m_problem.isEmpty() && wrongNumber)
                    form.m_problem =
                        QStringLiteral("The order form's %1 \"%2\" is longer than the %3 "
                                       "characters it may have; nothing was imported.")
                            .arg(e.label, quotable(x.line))
                            .arg(rule.length);
                else if (form.m_problem.isEmpty() && !accepted)
                    form.m_problem =
                        QStringLiteral("The order form's %1 \"%2\" %3; nothing was imported.")
                            .arg(e.label, quotable(e.value), refusal(e.field));
            }
        }
        form.m_entries.append(std::move(e));
    }
    return form;
}

QList<OrderForm::Entry> OrderForm::fieldsToStore() const {
    QList<Entry> out;
    for (qsizetype r = 0; r < kStoredRules; ++r)
        if (m_entries[r].found && !m_entries[r].value.isEmpty())
            out.append(m_entries[r]);
    return out;
}

QString OrderForm::problem() const {
    return m_problem;
}

bool OrderForm::bottomRowContains(const QString& label) const {
    // An absent or empty number must fail: the empty text is found in any row, and a number
    // cut short by its length limit is not the number the form gave.
    const Entry* number = entry(label);
    return number->found && !number->value.isEmpty() && !number->cut &&
           entry(QStringLiteral("BottomCheckRow"))->value.contains(number->value);
}

QStringList OrderForm::verificationMessages() const {
    if (!entry(QStringLiteral("BottomCheckRow"))->found)
        return {QStringLiteral(
            "The bottom check row field to verify account and routing numbers does not exist!")};
    QStringList out;
    if (!bottomRowContains(QStringLiteral("BankAccountNumber")))
        out << QStringLiteral("Bank Account Number does NOT match bottom check row field used "
                              "to verify account number!");
    if (!bottomRowContains(QStringLiteral("BankRoutingNumber")))
        out << QStringLiteral("Bank Routing Number does NOT match bottom check row field used "
                              "to verify the bank routing number!");
    if (out.isEmpty())
        out << QStringLiteral(
            "Routing and Account numbers were successfully verified to the Bottom Check Row!");
    return out;
}

QString OrderForm::valueOf(const QString& label) const {
    return entry(label)->value;
}

QString OrderForm::comments() const {
    QString text =
        QStringLiteral("BankPhoneNumber: ") + valueOf(QStringLiteral("BankPhoneNumber")) + kCrLf +
        QStringLiteral("EMailAddress: ") + valueOf(QStringLiteral("CustomerEMailAddress")) + kCrLf +
        valueOf(QStringLiteral("SpecialComments")) + kCrLf;
    if (entry(QStringLiteral("CardNumber"))->found)
        text += QStringLiteral("CardNumber: ") + valueOf(QStringLiteral("CardNumber")) + kCrLf +
                QStringLiteral("CardExpDate: ") + valueOf(QStringLiteral("CardExpDate")) + kCrLf +
                QStringLiteral("CardExpYear: ") + valueOf(QStringLiteral("CardExpYear")) + kCrLf +
                QStringLiteral("CardType: ") + valueOf(QStringLiteral("CardType"));
    return text;
}

const OrderForm::Entry* OrderForm::entry(const QString& label) const {
    for (const Entry& e : m_entries)
        if (e.label == label)
            return &e;
    return nullptr;
}
