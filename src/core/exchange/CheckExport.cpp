#include "core/exchange/CheckExport.h"

#include "core/databases/CheckDb.h"
#include "core/entry/AmountText.h"
#include "core/exchange/CsvWriter.h"
#include "core/exchange/ExchangeFormat.h"
#include "core/platform/Database.h"
#include "core/platform/DbError.h"
#include "core/platform/Statement.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// Written to the file in pieces of this size: large enough that writing costs little,
// small enough that a million records never sit in memory at once.
constexpr qsizetype kChunk = 1 << 20;

DbError cannotWrite(const QString& target, const QString& why) {
    const QFileInfo info(target);
    return DbError(QStringLiteral("Ledgerline could not write %1 in %2: %3. Nothing has been "
                                  "exported; an earlier %1 is as it was.")
                       .arg(info.fileName(), QDir::toNativeSeparators(info.absolutePath()), why));
}

} // namespace

qint64 CheckExport::write(const QString& databasePath, const QString& targetPath, Layout layout) {
    const QStringList& fields =
        layout == Layout::Full ? ExchangeFormat::kFullRecord : ExchangeFormat::kCustomerRecord;
    QStringList columns;
    for (const QString& f : fields)
        columns << Database::quote(f);
    const int checkColumn = int(fields.indexOf(ExchangeFormat::kCheckField));
    const int amountColumn = int(fields.indexOf(ExchangeFormat::kAmountField));

    auto db = Database::open(databasePath);
    // One statement reads a consistent picture of the table from its first row to its last.
    Statement select(db->handle(),
                     QStringLiteral("SELECT %1 FROM %2 ORDER BY \"ID\"")
                         .arg(columns.join(QLatin1Char(',')), Database::quote(CheckDb::kAccount)),
                     db->path());

    QSaveFile file(targetPath);
    if (!file.open(QIODevice::WriteOnly))
        throw cannotWrite(targetPath, file.errorString());

    QByteArray buffer;
    buffer.reserve(kChunk + kChunk / 4);
    QByteArray plain;
    CsvWriter out(buffer);
    qint64 records = 0;
    auto flush = [&] {
        if (file.write(buffer) != buffer.size())
            throw cannotWrite(targetPath, file.errorString());
        buffer.resize(0);
    };

    const int count = int(fields.size());
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
        }
        select.reset();
        flush();
    } catch (...) {
        select.reset();
        file.cancelWriting();
        throw;
    }
    if (!file.commit())
        throw cannotWrite(targetPath, file.errorString());
    return records;
}
