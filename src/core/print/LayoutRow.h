#pragma once

#include "core/platform/PrintPage.h"

#include <QList>
#include <QSqlRecord>
#include <optional>

/// One row of a printed layout's table: the font state and the position are set first, and
/// only then do the row's items print, as one statement, when its condition holds. A row
/// left out still moves the position, so a later "next line" row stands where the skipped
/// row would have started (a payer name prints at the top when there is no business name).
struct LayoutRow {
    PrintFont font;
    double x;
    /// Empty for "next line": y stays where the previous statement's line end left it.
    std::optional<double> y;
    QList<PrintItem> items;
    bool when = true;
};

/// The y of a row that continues below the previous line.
inline constexpr std::nullopt_t kNextLine = std::nullopt;

/// Helpers for layout tables.
namespace LayoutRows {

/// Prints the rows in order.
void print(PrintPage& page, const QList<LayoutRow>& rows);

/// A field of a record as text; Null (or a missing field) is the empty text.
QString text(const QSqlRecord& record, const QString& field);
/// True when the record has the field and it is not Null.
bool has(const QSqlRecord& record, const QString& field);

} // namespace LayoutRows
