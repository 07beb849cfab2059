#include "core/databases/CheckKeys.h"

#include "core/platform/Database.h"

#include <QStringList>

namespace {

QString q(const char* name) {
    return Database::quote(QString::fromLatin1(name));
}

} // namespace

QString CheckKeys::date(const QString& field, bool onServer) {
    // Dates are the text "m/d/yyyy" the program writes, in either engine. A text of that
    // shape (one or two digits for month and day, four for the year) is taken apart at its
    // slashes: SQLite tests the shape with GLOB and cuts with substr and instr; the server
    // tests it with a regular expression and cuts with split_part.
    const QString f = Database::quote(field);
    if (onServer) {
        const QString part = QStringLiteral("CAST(split_part(%1, '/', %2) AS integer)");
        return QStringLiteral("(CASE WHEN %1 ~ '^[0-9]{1,2}/[0-9]{1,2}/[0-9]{4}$' AND %2 BETWEEN "
                              "1 AND 12 AND %3 BETWEEN 1 AND 31 THEN %4 * 10000 + %2 * 100 + %3 "
                              "ELSE 0 END)")
            .arg(f, part.arg(f, QStringLiteral("1")), part.arg(f, QStringLiteral("2")),
                 part.arg(f, QStringLiteral("3")));
    }
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

QString CheckKeys::amount(bool onServer) {
    // SQLite reads the number at the start of a text, and 0 where there is none; the server
    // converts only a text that is a number.
    if (onServer)
        return QStringLiteral("(CASE WHEN %1 ~ '^ *-?[0-9]+(\\.[0-9]*)? *$' THEN CAST(%1 AS double "
                              "precision) ELSE 0 END)")
            .arg(q("Amount"));
    return QStringLiteral("coalesce(CAST(%1 AS REAL), 0)").arg(q("Amount"));
}

QString CheckKeys::partyText(CheckDb::Kind kind) {
    if (kind != CheckDb::Kind::Draft)
        return QStringLiteral("coalesce(%1, '')").arg(q("PayTo"));
    return QStringLiteral("(CASE WHEN trim(coalesce(%1, '')) <> '' THEN trim(%1) ELSE "
                          "trim(coalesce(%2, '') || ' ' || coalesce(%3, '')) END)")
        .arg(q("BusinessName"), q("FirstName"), q("LastName"));
}

QString CheckKeys::party(CheckDb::Kind kind, bool onServer) {
    if (onServer)
        return QStringLiteral("lower(%1)").arg(partyText(kind));
    return partyText(kind) + QStringLiteral(" COLLATE NOCASE");
}

QString CheckKeys::unindexed(const QString& expression, bool onServer) {
    return onServer ? expression : QLatin1Char('+') + expression;
}

QString CheckKeys::of(Column column, CheckDb::Kind kind, bool onServer) {
    switch (column) {
    case Column::Number:
        return number();
    case Column::Date:
        return date(QStringLiteral("Date"), onServer);
    case Column::Party:
        return party(kind, onServer);
    case Column::Amount:
        return amount(onServer);
    case Column::Print:
        // In the order of the captions the register shows: blank, "Don't Print", "Multiple
        // Times", "One Time".
        return QStringLiteral("(CASE %1 WHEN 'Never' THEN 1 WHEN 'Monthly' THEN 2 WHEN 'Once' "
                              "THEN 3 ELSE 0 END)")
            .arg(q("Print"));
    case Column::Printed:
        return date(QStringLiteral("Printed"), onServer);
    case Column::Void:
        return date(CheckDb::kVoidDate, onServer);
    }
    return number();
}

QList<CheckKeys::Index> CheckKeys::indexes(CheckDb::Kind kind, bool onServer) {
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
        out.append({QString::fromLatin1(i.name), of(i.column, kind, onServer)});
    return out;
}
