#include "core/platform/TableSchema.h"

#include "core/platform/Database.h"

#include <QVariant>
#include <algorithm>

QString TableSchema::columnSql(const FieldDef& f) {
    const QString q = Database::quote(f.name);
    switch (f.kind) {
    case FieldKind::Counter:
        return q + QStringLiteral(" INTEGER PRIMARY KEY AUTOINCREMENT");
    case FieldKind::Long:
    case FieldKind::Small:
    case FieldKind::YesNo:
        // The constraint carries the field's name, so a refusal names the field.
        return QStringLiteral("%1 INTEGER CONSTRAINT %1 CHECK (typeof(%1) IN ('integer', 'null'))")
            .arg(q);
    case FieldKind::Text:
    case FieldKind::Memo:
    case FieldKind::Amount:
        break;
    }
    return q + QStringLiteral(" TEXT");
}

QString TableDef::createSql() const {
    QStringList columns;
    for (const FieldDef& f : fields)
        columns << TableSchema::columnSql(f);
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(Database::quote(name), columns.join(", "));
}

const FieldDef* TableDef::field(const QString& fieldName) const {
    for (const FieldDef& f : fields)
        if (f.name == fieldName)
            return &f;
    return nullptr;
}

void TableSchema::create(Database& db, const QList<TableDef>& tables) {
    db.transaction([&] {
        for (const TableDef& t : tables)
            db.exec(t.createSql());
    });
}

namespace {

// The database engine takes "enter" for "ENTER" and "properties" for "Properties": it
// ignores the case of the letters A to Z in names, and of those only.
bool sameName(const QString& a, const QString& b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        const char16_t x = a[i].unicode();
        const char16_t y = b[i].unicode();
        const auto lower = [](char16_t c) -> char16_t {
            return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c;
        };
        if (lower(x) != lower(y))
            return false;
    }
    return true;
}

} // namespace

QString TableSchema::firstMissing(Database& db, const QList<TableDef>& tables) {
    for (const TableDef& t : tables) {
        if (!db.hasTable(t.name))
            return QStringLiteral("the table %1").arg(t.name);
        const QStringList present = db.fieldNames(t.name);
        for (const FieldDef& f : t.fields)
            if (std::none_of(present.cbegin(), present.cend(),
                             [&](const QString& name) { return sameName(name, f.name); }))
                return QStringLiteral("the field %1 of the table %2").arg(f.name, t.name);
    }
    return {};
}

qsizetype TableSchema::mostCharacters(FieldKind kind) {
    switch (kind) {
    case FieldKind::Text:
        return 255;
    case FieldKind::Memo:
        return 65535;
    default:
        return 0;
    }
}

bool TableSchema::isYes(const QVariant& value) {
    if (value.isNull())
        return false;
    bool ok = false;
    const qlonglong n = value.toLongLong(&ok);
    return ok && n != 0;
}
