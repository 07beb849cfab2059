#pragma once

#include <QString>

/// Changes that a crash or a power cut left half-written in a database file.
///
/// SQLite keeps what a change overwrites in a journal beside the file ("Shop.mdb-journal")
/// until the change is complete. When the program or the computer stops in between, the
/// journal stays behind, and the next connection that may write puts the old pages back.
/// A read-only connection cannot, and would refuse a perfectly good file; every read-only
/// open therefore goes through here first.
namespace CrashRecovery {

/// True when a journal or write-ahead log lies beside the file at `path`.
bool hasLeftovers(const QString& path);

/// Opens the file at `path` for writing (never creating it) and reads it, so that SQLite
/// rolls back the unfinished change; everything committed stays. Does nothing when no
/// journal lies beside it. Throws DbError when that is not possible: another program holds
/// the file, or Ledgerline may not write to it or its folder.
void rollBack(const QString& path);

} // namespace CrashRecovery
