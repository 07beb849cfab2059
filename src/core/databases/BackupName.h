#pragma once

#include <QDir>
#include <QString>

/// The name of the backup copy of a check database.
///
/// A database's backup is its name with the extension replaced by ".bak" ("Shop.mdb" and
/// "PDRAFT.MDB" give "Shop.bak" and "PDRAFT.bak"). Files made outside Ledgerline can
/// share that name: "Dup.mdb" and "Dup.MDB" would both give "Dup.bak", and each backup
/// would replace the other's. Databases whose backup names would meet keep their whole
/// name and add ".bak" ("Dup.mdb.bak", "Dup.MDB.bak"), which no other database of the
/// folder can claim; a "Dup.bak" made before they met is left as it was. Restoring stays
/// the same for every name: rename the backup to the database's name.
namespace BackupName {

/// The backup name of `databaseName` alone: its extension replaced by ".bak", or ".bak"
/// added to a name without one.
QString plain(const QString& databaseName);

/// The backup name of `databaseName` among the check databases (*.mdb) of `folder`.
QString of(const QDir& folder, const QString& databaseName);

} // namespace BackupName
