#pragma once

#include "core/databases/CheckDb.h"
#include "core/entry/FieldEntry.h"

#include <QList>
#include <QSqlRecord>
#include <QString>
#include <QStringList>

/// What the data-entry screen says, word for word.
namespace CheckMessages {

inline const QString kEmptyTemplate = QStringLiteral(
    "Please fill in the fields of the first check before you use this account. The first check "
    "in each Database is used as a template when creating new checks. This will minimize the "
    "amount of typing you will have to do when you create a new check. To go to the first check "
    "choose File - Goto First Check from the menu.");
inline const QString kLastCheck =
    QStringLiteral("This is the last check in the account - choose NEW to create a new check.");
inline const QString kFirstCheck = QStringLiteral("This is the first check in the account.");
inline const QString kNoDeleteTemplate =
    QStringLiteral("You CANNOT delete the first check in an account "
                   "database - it is used to setup default fields.");
inline const QString kDeleteQuestion = QStringLiteral("Do you really want to delete this check?");
inline const QString kNoMatches = QStringLiteral("There were no matches - please try again");
inline const QString kNoVoidTemplate =
    QStringLiteral("The first check is the template for new checks; it cannot be voided.");
inline const QString kCheckGone =
    QStringLiteral("That check is no longer in the database: another program deleted it.");
/// Delete on a printed check: why it is kept, and the offer to void it.
inline QString printedNotDeleted(const QString& name, const QString& printed) {
    QString sentence = name;
    sentence[0] = sentence[0].toUpper();
    return QStringLiteral("%1 was printed on %2, so it is kept: a printed check may still "
                          "reach the bank.\n\nVoid it instead?")
        .arg(sentence, printed);
}
inline QString voidReasonPrompt(const QString& name) {
    return QStringLiteral("Why is %1 void? The reason is kept with the check, which will never "
                          "print again.")
        .arg(name);
}
/// Follows the reason why what was typed cannot be stored, at Exit.
inline const QString kLeaveAnyway =
    QStringLiteral("\n\nLeave Ledgerline anyway, without storing what you typed?");
inline const QString kChangedElsewhereTitle = QStringLiteral("Changed at Another Desk");
inline const QString kChangedElsewhere = QStringLiteral(
    "Another desk changed this check while it was shown here:\n\n%1\n\nStore what you typed "
    "over the other desk's values? Choose No to keep theirs; what you typed is then not "
    "stored.");
/// The question when another desk changed the check meanwhile: each box typed in, with the
/// other desk's value beside the one typed here.
inline QString changedElsewhere(const QSqlRecord& theirs, const QList<FieldEntry::Typed>& typed,
                                bool labelBoxTyped) {
    QStringList changes;
    for (const FieldEntry::Typed& t : typed)
        changes << QStringLiteral("%1: theirs \"%2\", yours \"%3\"")
                       .arg(t.caption, theirs.value(t.field).toString(), t.text);
    if (labelBoxTyped)
        changes << QStringLiteral("the label box");
    return kChangedElsewhere.arg(changes.join(QLatin1Char('\n')));
}
/// The mark of a void check; empty for any other.
inline QString voidMark(const QSqlRecord& row) {
    if (!CheckDb::isVoid(row))
        return {};
    return QStringLiteral("VOID since %1: %2")
        .arg(row.value(CheckDb::kVoidDate).toString(), row.value(CheckDb::kVoidReason).toString());
}
inline const QString kRetryOpening =
    QStringLiteral("\n\nChoose Retry once the other program has let go of it, or Cancel to "
                   "leave this database closed.");
/// Follows the reason why the database cannot be used any more.
inline const QString kOnlyWaysOut =
    QStringLiteral("\nNothing more can be entered or stored here. Whatever the boxes still show "
                   "that was not stored can be copied from them. Choose File - Open Another "
                   "Database, or Exit.");

} // namespace CheckMessages
