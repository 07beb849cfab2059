#pragma once

#include "core/platform/Progress.h"

#include <QDir>
#include <QString>
#include <QStringList>

class Clock;

/// Reads a comma-delimited file of full records (as "Export ALL Check Information" writes
/// them) into a check database.
///
/// Every record of the file becomes a new check at the end of the table, with all 18
/// values, in one transaction: either the whole file is imported or nothing is. An empty
/// value stores Null. `Check` must be a whole number from 0 up and `Amount` an amount as
/// users type it (stored with two decimals, "250.00"); a text value may have at most 255
/// characters. Imported checks print at no run until the user chooses how they print
/// ("Never"), carry today's date as new checks do, and no label.
/// The header's `LastCheck` is raised to the highest number imported, so that New never
/// hands out one of them again.
///
/// The file may be UTF-8 (with or without a byte-order mark) or, as files of older programs
/// are, Windows-1252, each line in either: a line that is not UTF-8 is read as Windows-1252.
class CheckImport {
public:
    /// What imported checks get in `Print`.
    static const QString kPrint;

    /// What an import did.
    struct Result {
        qint64 records;             ///< checks added
        qsizetype windows1252Lines; ///< lines of the file read as Windows-1252
    };

    /// The files of `folder` that can be chosen for import: every "*.txt", whatever the
    /// letter case of its name (EXPORT.TXT among them), sorted as a file list shows them.
    static QStringList files(const QDir& folder);

    /// Imports the file at `sourcePath` into the database at `databasePath`, reporting the
    /// records read to `progress`. Throws DbError with one message that names the file and
    /// the line at fault when the file cannot be read, is not well formed or holds no
    /// record, or when the database refuses; nothing has been imported then.
    static Result read(const QString& databasePath, const QString& sourcePath, const Clock& clock,
                       Progress& progress = Progress::none());
};
