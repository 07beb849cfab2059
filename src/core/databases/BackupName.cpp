#include "core/databases/BackupName.h"

#include <QHash>

QString BackupName::plain(const QString& databaseName) {
    const qsizetype dot = databaseName.lastIndexOf(QLatin1Char('.'));
    return (dot < 0 ? databaseName : databaseName.left(dot)) + QStringLiteral(".bak");
}

QString BackupName::of(const QDir& folder, const QString& databaseName) {
    // Every database, readable or not: an unreadable one still owns its backup name.
    QStringList names =
        folder.entryList({QStringLiteral("*.mdb")}, QDir::Files | QDir::Hidden | QDir::System);
    if (!names.contains(databaseName))
        names << databaseName;

    QHash<QString, QString> chosen;
    for (const QString& name : names)
        chosen.insert(name, plain(name));
    // A database whose plain name another one also claims takes its whole name instead.
    // Whole names are unique and each name changes at most once, so this ends; it takes a
    // second round when a whole name is some third database's plain name ("Dup.mdb.bak"
    // of "Dup.mdb.mdb").
    for (bool changed = true; changed;) {
        changed = false;
        QHash<QString, int> claims;
        for (const QString& backup : std::as_const(chosen))
            ++claims[backup];
        for (auto it = chosen.begin(); it != chosen.end(); ++it) {
            const QString whole = it.key() + QStringLiteral(".bak");
            if (claims.value(it.value()) > 1 && it.value() != whole) {
                it.value() = whole;
                changed = true;
            }
        }
    }
    return chosen.value(databaseName);
}
