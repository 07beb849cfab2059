#include "core/exchange/CheckExport.h"

#include "core/databases/CheckDb.h"
#include "core/databases/PartFile.h"
#include "core/databases/WholeFile.h"
#include "core/entry/AmountText.h"
#include "core/exchange/CsvWriter.h"
#include "core/exchange/ExchangeFormat.h"
#include "core/platform/Database.h"
#include "core/platform/DbError.h"
#include "core/platform/FileReason.h"
#include "core/platform/PreparedQuery.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Written to the file in pieces of this size: large enough that writing costs little,
// small enough that a million records never sit in memory at once.
constexpr qsizetype kChunk = 1 << 20;
// Records written between two reports of progress.
constexpr qint64 kReportEvery = 1000;

DbError cannotWrite(const QString& target, int error) {
    const QFileInfo info(target);
    return DbError(QStringLiteral("Ledgerline could not write %1 in %2 because %3. Nothing has "
                                  "been exported; an earlier %1 is as it was.")
                       .arg(info.fileName(), QDir::toNativeSeparators(info.absolutePath()),
                            FileReason::why(error, info.fileName())));
}

/// The permissions the new file takes: those of the file it replaces, or read and write
/// for its owner and read for everyone else.
mode_t modeFor(const QString& target) {
    struct stat previous {};
    if (::stat(QFile::encodeName(target).constData(), &previous) == 0 && S_ISREG(previous.st_mode))
        return previous.st_mode & 0777;
    return S_IRUSR | S_IWUSR | S_IRGRP | S_IROTH;
}

} // namespace

qint64 CheckExport::write(const QString& databasePath, const QString& targetPath, Layout layout,
                          Progress& progress) {
    const QStringList& fields =
        layout == Layout::Full ? ExchangeFormat::kFullRecord : ExchangeFormat::kCustomerRecord;
    QStringList columns;
    for (const QString& f : fields)
        columns << Database::quote(f);
    const int checkColumn = int(fields.indexOf(ExchangeFormat::kCheckField));
    const int amountColumn = int(fields.indexOf(ExchangeFormat::kAmountField));

    auto db = Database::open(databasePath);
    // One statement reads a consistent picture of the table from its first row to its last.
    const std::unique_ptr<PreparedQuery> prepared =
        db->prepare(QStringLiteral("SELECT %1 FROM %2 ORDER BY \"ID\"")
                        .arg(columns.join(QLatin1Char(',')), Database::quote(CheckDb::kAccount)));
    PreparedQuery& select = *prepared;

    // Written beside its name and moved over the previous file only once complete and on
    // the disk, so a failure at any point leaves that file as it was.
    const QDir folder = QFileInfo(targetPath).absoluteDir();
    PartFile::removeStale(folder);
    PartFile part(folder, QStringLiteral("export"));
    if (!part.create())
        throw cannotWrite(targetPath, errno);

    QByteArray buffer;
    buffer.reserve(kChunk + kChunk / 4);
    QByteArray plain;
    CsvWriter out(buffer);
    qint64 records = 0;
    auto flush = [&] {
        if (const int error = WholeFile::write(part.handle(), buffer))
            throw cannotWrite(targetPath, error);
        buffer.resize(0);
    };

    const int count = int(fields.size());
    const QString exporting =
        QStringLiteral("Exporting checks to %1").arg(QFileInfo(targetPath).fileName());
    const QString units = QStringLiteral("records");
    const auto shown = qScopeGuard([&] { progress.finish(); });
    try {
        while (select.step()) {
            for (int i = 0; i < count; ++i) {
                // The kind of value is asked before its text, which may convert it.
                if (select.columnIsNull(i)) {
                    out.null();
                } else if (i == checkColumn && select.columnIsInteger(i)) {
                    out.number(select.columnUtf8(i));
                } else if (i == amountColumn) {
                    const QByteArrayView stored = select.columnUtf8(i);
                    plain.resize(0);
                    if (AmountText::appendPlainNumber(plain, stored))
                        out.number(plain);
                    else
                        out.text(stored);
                } else {
                    out.text(select.columnUtf8(i));
                }
            }
            out.endLine();
            ++records;
            if (buffer.size() >= kChunk)
                flush();
            if (records % kReportEvery == 0)
                progress.report(exporting, units, records, 0);
        }
        select.reset();
        flush();
        progress.report(exporting, units, records, records);
    } catch (...) {
        select.reset();
        throw;
    }
    if (::fsync(part.handle()) != 0)
        throw cannotWrite(targetPath, errno);
    if (const int error = WholeFile::setMode(part.handle(), modeFor(targetPath)))
        throw cannotWrite(targetPath, error);
    if (std::rename(QFile::encodeName(part.path()).constData(),
                    QFile::encodeName(targetPath).constData()) != 0)
        throw cannotWrite(targetPath, errno);
    part.published();
    return records;
}
