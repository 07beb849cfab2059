#pragma once

#include "core/platform/Progress.h"

#include <QString>

/// Writes the checks of a check database to a comma-delimited file, template record first,
/// in the order of the table.
///
/// Text comes out in UTF-8; `Check` as a whole number and `Amount` as a plain number
/// ("250.00" as 250); a Null field as "". An amount stored as something that is not a
/// number is written as the quoted text it is, so nothing is lost. The file is written
/// beside its final name and moved into place once complete: an export that fails leaves
/// the previous file as it was.
class CheckExport {
public:
    enum class Layout {
        Full,     ///< the 18 fields of the full record
        Customer, ///< the 8 name, address and phone fields
    };

    /// Exports the database at `databasePath` to `targetPath`; returns the number of records
    /// written, which are reported to `progress` as they are. Throws DbError with the reason
    /// when the database cannot be read or the file cannot be written.
    static qint64 write(const QString& databasePath, const QString& targetPath, Layout layout,
                        Progress& progress = Progress::none());
};
