#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

class Database;

/// How a bank wants its positive-pay file: the order of the columns, how dates and amounts
/// are written, and whether voided checks are in it. Every file has a header row and the
/// six columns; lines end with a carriage return and a line feed.
struct PositivePayFormat {
    enum class Column { Account, Check, IssueDate, Amount, Payee, Void };

    /// All six columns, in the bank's order.
    QList<Column> columns;
    /// One of kDateFormats.
    QString dateFormat;
    /// Amounts in cents without a decimal point ("123450"), or with one ("1234.50").
    bool cents = false;
    /// Voided checks listed, with "Y" in the Void column.
    bool voids = true;

    /// The layout most banks ask for: account, check number, issue date, amount, payee and
    /// void, dates as 12/07/2026, amounts as 1234.50, voided checks included.
    static PositivePayFormat defaults();

    /// The date formats a bank may ask for, as the setup screen lists them; the first is the
    /// usual one.
    static const QStringList kDateFormats;
    /// A date as `pattern` (one of kDateFormats) writes it.
    static QString formatDate(const QDate& date, const QString& pattern);

    /// The caption of a column in the header row and on the setup screen.
    static QString caption(Column column);
    /// The columns as the settings file keeps them: "Account,Check,IssueDate,Amount,Payee,Void".
    static QString toText(const QList<Column>& columns);
    /// The columns kept as text; names it does not know are passed over, and columns it
    /// lacks follow in the usual order, so that the file always has all six.
    static QList<Column> fromText(const QString& text);
};

/// A check as the bank is told of it.
struct IssuedCheck {
    QString account; ///< the account number, digits only
    qint64 number = 0;
    QDate issued; ///< the date printed on the check
    qint64 cents = 0;
    QString payee;
    bool isVoid = false;
};

/// The positive-pay file: the checks of a CHECK database printed or voided from one day to
/// another, for the bank to match the checks it is asked to pay against.
///
/// What was printed is read from the print notes a confirmed print run puts at the top of
/// a check's comments ("Printed this check as #1043 For $250.00 on 12/7/2026"): they keep
/// the number and amount each time a check was printed, also for a check that prints every
/// time and is given a new number after each run. A printed check without notes is listed
/// as it stands. A check that was voided is listed as void, with the number and amount it
/// was last printed with; a check voided before it was ever printed never reached anyone
/// and is not listed.
namespace PositivePay {

/// Why the database has no positive-pay file: a DRAFT database draws on its customers'
/// accounts.
extern const QString kDraftRefusal;

/// The checks to list, by check number. Throws DbError for a database that is not a CHECK
/// database, and for checks that cannot be listed as they stand (no account number, an
/// amount that is not dollars and cents or not above zero), naming each.
QList<IssuedCheck> checks(const std::shared_ptr<Database>& db, const QDate& from, const QDate& to,
                          bool voids);

/// The file's bytes: the header row, then one line per check, in UTF-8.
QByteArray text(const QList<IssuedCheck>& checks, const PositivePayFormat& format);

/// Writes the file for the database at `databasePath` to `target` and returns how many
/// checks it lists; with none to list, writes nothing and returns 0. The file is written
/// whole beside its name and then moved there: a failure leaves an earlier file as it was.
/// An existing file is replaced only with `replace`; without, that throws DbError, as does
/// any failure, with the reason.
qint64 write(const QString& databasePath, const QString& target, const QDate& from, const QDate& to,
             const PositivePayFormat& format, bool replace);

} // namespace PositivePay
