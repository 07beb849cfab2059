#include "core/print/LayoutRow.h"

void LayoutRows::print(PrintPage& page, const QList<LayoutRow>& rows) {
    for (const LayoutRow& row : rows) {
        page.setFontName(row.font.face);
        page.setFontSize(row.font.size);
        page.setBold(row.font.bold);
        page.setItalic(row.font.italic);
        page.setCurrentX(row.x);
        if (row.y)
            page.setCurrentY(*row.y);
        if (row.when)
            page.print(row.items);
    }
}

QString LayoutRows::text(const QSqlRecord& record, const QString& field) {
    const QVariant value = record.value(field);
    return value.isNull() ? QString() : value.toString();
}

bool LayoutRows::has(const QSqlRecord& record, const QString& field) {
    return record.contains(field) && !record.value(field).isNull();
}
