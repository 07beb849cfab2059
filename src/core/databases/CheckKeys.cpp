#include "core/databases/CheckKeys.h"

#include "core/platform/Database.h"

#include <QStringList>

namespace {

QString q(const char* name) {
    return Database::quote(QString::fromLatin1(name));
}

} // namespace

QString CheckKeys::date(const QString& field) {
    // SQLite has no date type: dates are the text "m/d/yyyy" the program writes. A text of
    // that shape (one or two digits for month and day, four for the year, as GLOB tests it)
    // is taken apart at its slashes: the year is the last four characters, the month runs
    // up to the first slash, the day lies between. Another engine reads the same shape with
    // its own functions (split_part, a regular expression).
    const QString f = Database::quote(field);
    QStringList shapes;
    for (const char* shape :
         {"[0-9]/[0-9]/", "[0-9][0-9]/[0-9]/", "[0-9]/[0-9][0-9]/", "[0-9][0-9]/[0-9][0-9]/"})
        shapes << QStringLiteral("%1 GLOB '%2[0-9][0-9][0-9][0-9]'").arg(f, QLatin1String(shape));
    const QString month =
        QStringLiteral("CAST(substr(%1, 1, instr(%1, '/') - 1) AS INTEGER)").arg(f);
    const QString day =
        QStringLiteral("CAST(substr(%1, instr(%1, '/') + 1, length(%1) - 5 - instr(%1, '/')) AS "
                       "INTEGER)")
            .arg(f);
    const QString year = QStringLiteral("CAST(substr(%1, -4) AS INTEGER)").arg(f);
    return QStringLiteral("(CASE WHEN (%1) AND %2 BETWEEN 1 AND 12 AND %3 BETWEEN 1 AND 31 "
                          "THEN %4 * 10000 + %2 * 100 + %3 ELSE 0 END)")
        .arg(shapes.join(QStringLiteral(" OR ")), month, day, year);
}

QString CheckKeys::number() {
    // Below every number a check can carry.
    return QStringLiteral("coalesce(%1, -9223372036854775807)").arg(q("Check"));
}

QString CheckKeys::amount() {
    // SQLite reads the number at the start of a text, and 0 where there is none; another
    // engine needs a test before it converts.
    return QStringLiteral("coalesce(CAST(%1 AS REAL), 0)").arg(q("Amount"));
}

QString CheckKeys::partyText(CheckDb::Kind kind) {
    if (kind != CheckDb::Kind::Draft)
        return QStringLiteral("coalesce(%1, '')").arg(q("PayTo"));
    return QStringLiteral("(CASE WHEN trim(coalesce(%1, '')) <> '' THEN trim(%1) ELSE "
                          "trim(coalesce(%2, '') || ' ' || coalesce(%3, '')) END)")
        .arg(q("BusinessName"), q("FirstName"), q("LastName"));
}

QString CheckKeys::party(CheckDb::Kind kind) {
    return partyText(kind) + QStringLiteral(" COLLATE NOCASE");
}

QString CheckKeys::unindexed(const QString& expression) {
    return QLatin1Char('+') + expression;
}

QString CheckKeys::of(Column column, CheckDb::Kind kind) {
    switch (column) {
    case Column::Number:
        return number();
    case Column::Date:
        return date(QStringLiteral("Date"));
    case Column::Party:
        return party(kind);
    case Column::Amount:
        return amount();
    case Column::Print:
        // In the order of the captions the register shows: blank, "Don't Print", "Multiple
        // Times", "One Time".
        return QStringLiteral("(CASE %1 WHEN 'Never' THEN 1 WHEN 'Monthly' THEN 2 WHEN 'Once' "
                              "THEN 3 ELSE 0 END)")
            .arg(q("Print"));
    case Column::Printed:
        return date(QStringLiteral("Printed"));
    case Column::Void:
        return date(CheckDb::kVoidDate);
    }
    return number();
}

QList<CheckKeys::Index> CheckKeys::indexes(CheckDb::Kind kind) {
    // The party index is named by what it holds, so that a database of the other kind
    // never passes for having it.
    const char* party = kind == CheckDb::Kind::Draft ? "RegisterPayer" : "RegisterPayee";
    const struct {
        const char* name;
        Column column;
    } all[] = {{"RegisterNumber", Column::Number},
               {"RegisterDate", Column::Date},
               {party, Column::Party},
               {"RegisterAmount", Column::Amount},
               {"RegisterPrint", Column::Print},
               {"RegisterPrinted", Column::Printed},
               {"RegisterVoid", Column::Void}};
    QList<Index> out;
    for (const auto& i : all)
        out.append({QString::fromLatin1(i.name), of(i.column, kind)});
    return out;
}
