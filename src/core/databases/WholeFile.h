#pragma once

#include <QString>

/// Whole files: copied, and published under a name of their own without ever replacing a
/// file already there. Each function returns 0, or the errno that says why it failed.
namespace WholeFile {

/// Copies everything from the open file `from` (read from its start) to the open, empty
/// file `to`, letting the kernel move the bytes where it can.
int copy(int from, int to);

/// Gives the finished file `from` the name `to`, which must be free: EEXIST when it is
/// not. Where the file system cannot do this in one step (FAT and exFAT sticks, many
/// network shares), falls back to publishByCopy().
int publish(const QString& from, const QString& to);

/// Creates `to` exclusively, fills it from `from` and flushes it to the disk; removes it
/// again if anything fails, so `to` never holds half a file. `from` stays.
int publishByCopy(const QString& from, const QString& to);

/// Makes the names just given in `folder` (a new file, a rename) last through a power cut.
/// Returns 0, or the errno that says why the disk did not confirm them.
int syncFolder(const QString& folder);

/// Why the file `fileName` could not be written, in words that follow "could not be made
/// because".
QString reason(int error, const QString& fileName);

} // namespace WholeFile
