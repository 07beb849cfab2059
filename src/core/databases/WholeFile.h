#pragma once

#include <QByteArrayView>
#include <QString>
#include <functional>
#include <sys/types.h>

/// Whole files: copied, and published under a name of their own without ever replacing a
/// file already there. Each function returns 0, or the errno that says why it failed.
namespace WholeFile {

/// Writes all of `bytes` to the open file `to`.
int write(int to, QByteArrayView bytes);

/// Gives a file Ledgerline writes the permissions `mode`. File systems without permissions
/// (FAT and exFAT sticks) refuse any change; there the file keeps the owner-only access it
/// was made with, which is safe and usable, and that counts as done.
int setMode(int fd, mode_t mode);

/// Copies everything from the open file `from` (read from its start) to the open, empty
/// file `to`, letting the kernel move the bytes where it can. `written`, when given, is told
/// after each part how many bytes of `to` are written (from 0 again, should the kernel
/// refuse part way and the copy start over through memory).
int copy(int from, int to, const std::function<void(qint64)>& written = {});

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

} // namespace WholeFile
