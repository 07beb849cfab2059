#pragma once

#include "core/databases/CheckDb.h"
#include "core/platform/PrintPage.h"

#include <QHash>
#include <QSqlRecord>

/// The face of a check printed from the database: the payer block, payee, amount, bank,
/// memo, the draft texts or the signature line, the MICR line, the check number and the
/// date, each at its place from the check's origin (the horizontal start, the check top).
///
/// The layout is one table. For each row in turn the page takes the row's font state and
/// position, and only then is the row's condition tested: a row left out still sets the
/// position for the rows after it, and a row placed on the "next line" follows wherever
/// the last printed line ended, so a missing line moves the rest of its block up.
namespace CheckFace {

/// What a check prints from: its row of `Account`, the kind of database, and the date to
/// show (the row's own, or today's for a check that prints every time).
class Check {
public:
    Check(const QSqlRecord& record, CheckDb::Kind kind, QVariant date = {});
    /// The row as its values by field name.
    Check(QHash<QString, QVariant> values, CheckDb::Kind kind, QVariant date = {});

    CheckDb::Kind kind = CheckDb::Kind::Other;
    QVariant date;

    /// A field of the row, letter case aside; Null when the row has no such field.
    QVariant value(const QString& field) const;
    bool has(const QString& field) const { return !value(field).isNull(); }

private:
    // The row's values by field name, read out of the record once: a face looks up some
    // thirty of them, and a record looks a name up field by field.
    QHash<QString, QVariant> m_values;
};

enum class Face { Body, Micr };
/// Where a row's y comes from.
enum class Row {
    At,       ///< the row's y below the check top
    NextLine, ///< where the last line ended
    Micr,     ///< the stock's MICR row below the check top
};

struct Item {
    const char* name;
    Face face;
    double size;
    bool bold;
    bool italic;
    int x; ///< from the horizontal start
    Row row;
    int y; ///< for Row::At
    bool (*printed)(const Check&);
    QList<PrintItem> (*text)(const Check&);
};

/// The rows of the face in the order they print.
const QList<Item>& items();

/// A short digest of what the face of `check` shows, row by row (a row left out differs
/// from one printed empty, as the lines after it move up): equal for two checks that read
/// alike on paper, different for any change of what prints.
QByteArray fingerprint(const Check& check);

/// Prints one check with its origin at (`left`, `top`); `micrRow` is the stock's MICR row.
/// Leaves the page at size 10, not bold. Returns the fingerprint of what it printed.
QByteArray print(PrintPage& page, const Check& check, const QString& bodyFont, qint64 left,
                 qint64 top, int micrRow);

} // namespace CheckFace
