#include "core/register/PositivePay.h"

#include "core/databases/CheckDb.h"
#include "core/databases/CheckKeys.h"
#include "core/databases/PartFile.h"
#include "core/databases/WholeFile.h"
#include "core/entry/AmountText.h"
#include "core/platform/Clock.h"
#include "core/platform/Database.h"
#include "core/platform/DbError.h"
#include "core/platform/FileReason.h"
#include "core/platform/RecordSet.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSqlQuery>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace {

using Column = PositivePayFormat::Column;

// Each column: how the settings file names it, and its caption in the header row.
const struct {
    Column column;
    const char* key;
    const char* caption;
} kColumns[] = {
    {Column::Account, "Account", "Account Number"},
    {Column::Check, "Check", "Check Number"},
    {Column::IssueDate, "IssueDate", "Issue Date"},
    {Column::Amount, "Amount", "Amount"},
    {Column::Payee, "Payee", "Payee"},
    {Column::Void, "Void", "Void"},
};

QString keyOf(Column column) {
    for (const auto& c : kColumns)
        if (c.column == column)
            return QString::fromLatin1(c.key);
    return {};
}

// How the setup screen names the date formats, and how Qt writes each.
const std::pair<const char*, const char*> kDatePatterns[] = {
    {"MM/DD/YYYY", "MM/dd/yyyy"}, {"M/D/YYYY", "M/d/yyyy"}, {"MM/DD/YY", "MM/dd/yy"},
    {"YYYY-MM-DD", "yyyy-MM-dd"}, {"MMDDYYYY", "MMddyyyy"}, {"MMDDYY", "MMddyy"},
    {"YYYYMMDD", "yyyyMMdd"},
};

/// One time a check was printed: its number and amount then, and the day.
struct Print {
    QVariant number;
    QString amount;
    QDate printed;
};

/// The print notes of a check's comments, the latest (topmost) first, each number once.
QList<Print> printNotes(const QString& comments) {
    static const QRegularExpression note(QStringLiteral(
        "^Printed this check as #(-?[0-9]+) For \\$(.*) on ([0-9]{1,2}/[0-9]{1,2}/[0-9]{4}) *$"));
    QList<Print> prints;
    for (const QString& line : comments.split(QLatin1Char('\n'))) {
        QString text = line;
        if (text.endsWith(QLatin1Char('\r')))
            text.chop(1);
        const QRegularExpressionMatch m = note.match(text);
        if (!m.hasMatch())
            continue;
        const qint64 number = m.captured(1).toLongLong();
        // A check printed again under its number (a one-time check set to print once more)
        // was issued as it was printed last.
        if (std::any_of(prints.cbegin(), prints.cend(),
                        [&](const Print& p) { return p.number.toLongLong() == number; }))
            continue;
        prints.append({number, m.captured(2), Clock::dateFromText(m.captured(3))});
    }
    return prints;
}

QString digitsOf(const QString& text) {
    QString out;
    for (const QChar c : text)
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            out += c;
    return out;
}

QString csvField(QString text) {
    // A line break inside a value would end the bank's line early.
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "))
        .replace(QLatin1Char('\r'), QLatin1Char(' '))
        .replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')))
        return text;
    text.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

DbError cannotWrite(const QString& target, int error) {
    const QFileInfo info(target);
    return DbError(QStringLiteral("The positive pay file %1 could not be written in %2 because "
                                  "%3. Nothing was written; an earlier %1 is as it was.")
                       .arg(info.fileName(), QDir::toNativeSeparators(info.absolutePath()),
                            FileReason::why(error, info.fileName())));
}

} // namespace

const QStringList PositivePayFormat::kDateFormats = [] {
    QStringList names;
    for (const auto& [name, pattern] : kDatePatterns)
        names << QString::fromLatin1(name);
    return names;
}();

PositivePayFormat PositivePayFormat::defaults() {
    PositivePayFormat format;
    format.columns = {Column::Account, Column::Check, Column::IssueDate,
                      Column::Amount,  Column::Payee, Column::Void};
    format.dateFormat = kDateFormats.first();
    return format;
}

QString PositivePayFormat::formatDate(const QDate& date, const QString& pattern) {
    for (const auto& [name, qtPattern] : kDatePatterns)
        if (pattern == QLatin1String(name))
            return date.toString(QString::fromLatin1(qtPattern));
    return date.toString(QStringLiteral("MM/dd/yyyy"));
}

QString PositivePayFormat::caption(Column column) {
    for (const auto& c : kColumns)
        if (c.column == column)
            return QString::fromLatin1(c.caption);
    return {};
}

QString PositivePayFormat::toText(const QList<Column>& columns) {
    QStringList keys;
    for (Column c : columns)
        keys << keyOf(c);
    return keys.join(QLatin1Char(','));
}

QList<PositivePayFormat::Column> PositivePayFormat::fromText(const QString& text) {
    QList<Column> columns;
    for (const QString& key : text.split(QLatin1Char(','))) {
        for (const auto& c : kColumns)
            if (key.trimmed() == QLatin1String(c.key) && !columns.contains(c.column))
                columns << c.column;
    }
    for (Column c : defaults().columns)
        if (!columns.contains(c))
            columns << c;
    return columns;
}

const QString PositivePay::kDraftRefusal = QStringLiteral(
    "A DRAFT database has no positive pay file: drafts are drawn on your customers' accounts, "
    "not on yours, so your bank has no checks of yours to match them against.");

QList<IssuedCheck> PositivePay::checks(const std::shared_ptr<Database>& db, const QDate& from,
                                       const QDate& to, bool voids) {
    {
        RecordSet header(db, CheckDb::kHeader);
        if (CheckDb::kind(header) != CheckDb::Kind::Check)
            throw DbError(kDraftRefusal);
    }
    if (!from.isValid() || !to.isValid() || from > to)
        throw DbError(QStringLiteral("The dates must be two dates, the first not after the "
                                     "second."));
    const bool hasVoid = CheckDb::hasVoidFields(*db);
    const auto number = [](const QDate& d) { return d.year() * 10000 + d.month() * 100 + d.day(); };

    // Only a check printed or voided on the first day or later can have a line: its notes
    // are never later than its last print date. Both dates have an index.
    QString where = CheckKeys::date(QStringLiteral("Printed"), db->onServer()) + QStringLiteral(" >= ?");
    QVariantList binds{number(from)};
    if (hasVoid) {
        where +=
            QStringLiteral(" OR ") + CheckKeys::date(CheckDb::kVoidDate, db->onServer()) + QStringLiteral(" >= ?");
        binds << number(from);
    }
    const QString voidColumn =
        hasVoid ? Database::quote(CheckDb::kVoidDate) : QStringLiteral("NULL");
    QSqlQuery rows = db->exec(
        QStringLiteral("SELECT \"ID\", \"Check\", \"Amount\", \"PayTo\", \"Account\", \"Date\", "
                       "\"Printed\", \"Comments\", %1 FROM %2 WHERE \"ID\" <> ? AND (%3)")
            .arg(voidColumn, Database::quote(CheckDb::kAccount), where),
        QVariantList{CheckDb::kTemplateId} + binds);

    QList<IssuedCheck> listed;
    QStringList refused;
    const auto inRange = [&](const QDate& d) { return d.isValid() && d >= from && d <= to; };
    while (rows.next()) {
        QList<Print> prints = printNotes(rows.value(7).toString());
        const QDate printed = Clock::dateFromText(rows.value(6).toString());
        if (prints.isEmpty() && printed.isValid())
            prints.append({rows.value(1), rows.value(2).toString(), printed});
        if (prints.isEmpty())
            continue; // voided before it was ever printed: the bank never saw it
        const QDate voided = Clock::dateFromText(rows.value(8).toString());
        for (qsizetype i = 0; i < prints.size(); ++i) {
            const Print& p = prints[i];
            // The void is of the check as it was printed last.
            const bool isVoid = i == 0 && voided.isValid();
            bool listIt = false;
            if (isVoid && inRange(voided))
                listIt = voids;
            else if (inRange(p.printed))
                listIt = !isVoid || voided > to;
            if (!listIt)
                continue;
            IssuedCheck check;
            check.number = p.number.toLongLong();
            check.account = digitsOf(rows.value(4).toString());
            check.payee = rows.value(3).toString().trimmed();
            check.isVoid = isVoid && inRange(voided);
            // The date printed on the check: its Date when printed last, the day of the
            // run for a check that prints every time and was printed before.
            const QDate dated = Clock::dateFromText(rows.value(5).toString());
            check.issued = i == 0 && dated.isValid() ? dated : p.printed;
            const QString who = QStringLiteral("Check #%1").arg(check.number);
            const auto cents = AmountText::cents(p.amount);
            if (!cents || *cents <= 0)
                refused << QStringLiteral("%1 has the amount \"%2\", which is not an amount a "
                                          "bank pays.")
                               .arg(who, p.amount);
            else if (check.account.isEmpty())
                refused << QStringLiteral("%1 has no account number.").arg(who);
            check.cents = cents.value_or(0);
            listed.append(check);
        }
    }
    if (!refused.isEmpty())
        throw DbError(QStringLiteral("The positive pay file was not written: the bank would "
                                     "refuse it.\n%1\nCorrect these checks, then export "
                                     "again.")
                          .arg(refused.join(QLatin1Char('\n'))));
    std::stable_sort(listed.begin(), listed.end(), [](const IssuedCheck& a, const IssuedCheck& b) {
        return a.number != b.number ? a.number < b.number : a.issued < b.issued;
    });
    return listed;
}

QByteArray PositivePay::text(const QList<IssuedCheck>& checks, const PositivePayFormat& format) {
    const QList<Column> columns =
        PositivePayFormat::fromText(PositivePayFormat::toText(format.columns));
    QStringList header;
    for (Column c : columns)
        header << PositivePayFormat::caption(c);
    QByteArray out = header.join(QLatin1Char(',')).toUtf8() + "\r\n";
    for (const IssuedCheck& check : checks) {
        QStringList fields;
        for (Column c : columns) {
            switch (c) {
            case Column::Account:
                fields << check.account;
                break;
            case Column::Check:
                fields << QString::number(check.number);
                break;
            case Column::IssueDate:
                fields << PositivePayFormat::formatDate(check.issued, format.dateFormat);
                break;
            case Column::Amount:
                fields << (format.cents ? QString::number(check.cents)
                                        : AmountText::fromCents(check.cents));
                break;
            case Column::Payee:
                fields << csvField(check.payee);
                break;
            case Column::Void:
                fields << (check.isVoid ? QStringLiteral("Y") : QStringLiteral("N"));
                break;
            }
        }
        out += fields.join(QLatin1Char(',')).toUtf8() + "\r\n";
    }
    return out;
}

qint64 PositivePay::write(const QString& databasePath, const QString& target, const QDate& from,
                          const QDate& to, const PositivePayFormat& format, bool replace) {
    const QList<IssuedCheck> listed = checks(Database::open(databasePath), from, to, format.voids);
    if (listed.isEmpty())
        return 0;
    const QFileInfo info(target);
    if (info.exists() && !replace)
        throw DbError(QStringLiteral("A file named %1 is already in %2; it was left as it was.")
                          .arg(info.fileName(), QDir::toNativeSeparators(info.absolutePath())));
    const QByteArray bytes = text(listed, format);

    PartFile part(info.absoluteDir(), QStringLiteral("new"));
    if (!part.create())
        throw cannotWrite(target, errno);
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n =
            ::write(part.handle(), bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw cannotWrite(target, n < 0 ? errno : ENOSPC);
        done += n;
    }
    if (::fsync(part.handle()) != 0)
        throw cannotWrite(target, errno);
    if (replace) {
        if (std::rename(QFile::encodeName(part.path()).constData(),
                        QFile::encodeName(info.absoluteFilePath()).constData()) != 0)
            throw cannotWrite(target, errno);
    } else if (const int error = WholeFile::publish(part.path(), info.absoluteFilePath());
               error != 0) {
        // Taken meanwhile by another program: that file stays as it is.
        if (error == EEXIST)
            throw DbError(QStringLiteral("A file named %1 is already in %2; it was left as it "
                                         "was.")
                              .arg(info.fileName(), QDir::toNativeSeparators(info.absolutePath())));
        throw cannotWrite(target, error);
    }
    // A rename took the temporary file along; a copy left it behind, to be removed.
    if (!QFileInfo::exists(part.path()))
        part.published();
    if (const int error = WholeFile::syncFolder(info.absolutePath()); error != 0)
        throw DbError(QStringLiteral("The positive pay file %1 was written, but the disk did not "
                                     "confirm it (%2). Export it again before you send it.")
                          .arg(QDir::toNativeSeparators(info.absoluteFilePath()),
                               FileReason::why(error, info.fileName())));
    return listed.size();
}
