#pragma once

#include <QString>

/// Why a file could not be written, in words a shop owner can act on.
namespace FileReason {

/// The reason for the system error `error` (an errno), to follow "because": "the disk is
/// full", "Ledgerline may not write in that folder" ... `fileName` names the file where the
/// reason is about it.
QString why(int error, const QString& fileName);

} // namespace FileReason
