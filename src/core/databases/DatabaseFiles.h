#pragma once

#include "core/databases/CheckDb.h"
#include "core/platform/Progress.h"

#include <QDir>
#include <QString>
#include <QStringList>

/// Check databases as whole files in the program folder: listing, creating and backing up.
/// A file is only ever published complete: new databases and backups are written to a
/// temporary file beside their final name and moved into place when done.
namespace DatabaseFiles {

/// The check databases of the folder: every "*.mdb" file, whatever the letter case of its
/// name and whether or not Ledgerline may read it, sorted as a file list shows them.
QStringList list(const QDir& folder);

/// 1 to 36 letters, digits and spaces, not only spaces.
bool isValidName(const QString& name);

/// True when the folder holds a file of this name, whatever its letter case.
bool nameIsTaken(const QDir& folder, const QString& fileName);

/// Makes the database `name`.mdb from the folder's template.ref, with its header stamped
/// (`AccountType` and `Description`), and returns its file name. Blanks around the name
/// are dropped. Throws DbError when the name is not valid, is taken, or the file cannot be
/// written; nothing is left behind and no existing file is ever replaced, also on file
/// systems without hard links (FAT and exFAT sticks, many network shares).
QString create(const QDir& folder, const QString& name, const QString& description,
               CheckDb::Kind kind);

/// The backup name of a database by itself: its extension replaced by ".bak"
/// ("PDRAFT.MDB" gives "PDRAFT.bak"); a name without one gets ".bak" added.
QString backupName(const QString& databaseName);
/// The backup name of a database among the databases of `folder`: as above, unless
/// another database would share it ("Dup.mdb" and "Dup.MDB"); see BackupName.
QString backupName(const QDir& folder, const QString& databaseName);

/// What the user is told about the damaged check database at `path`: which backup copy is
/// kept and how to go back to it; empty for a file that is not a check database (*.mdb).
/// Every damage the platform reports of a check database is told in these words.
QString damagedMessage(const QString& path);

/// Writes a consistent copy of the database at `databasePath` to `backupPath`, replacing
/// the previous backup only once the new one is complete, flushed to the disk and found
/// sound by SQLite's structure check. Throws DbError with the reason when it cannot; the
/// previous backup is then unchanged. A damaged database is reported as such (reason
/// Damaged), with the way back to the previous backup. Should the disk not confirm the new
/// name once the copy is in place, that is reported too.
/// The copy and its check are reported to `progress`, in MB.
void backup(const QString& databasePath, const QString& backupPath,
            Progress& progress = Progress::none());

} // namespace DatabaseFiles
