#include "core/exchange/CheckImport.h"

#include "core/databases/CheckDb.h"
#include "core/entry/AmountText.h"
#include "core/entry/MicrText.h"
#include "core/exchange/CsvReader.h"
#include "core/exchange/ExchangeFormat.h"
#include "core/exchange/FileText.h"
#include "core/platform/Clock.h"
#include "core/platform/Database.h"
#include "core/platform/DbError.h"
#include "core/platform/PreparedQuery.h"
#include "core/platform/TableSchema.h"

#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <optional>

const QString CheckImport::kPrint = QStringLiteral("Never");

namespace {

// A check record is 18 values of at most 255 characters: under 20 kB even with every
// character in four bytes. A line of a megabyte is no check record, and is refused before
// the file is read any further.
constexpr qsizetype kLongestLine = 1 << 20;
// Records read between two reports of progress.
constexpr qint64 kReportEvery = 1000;

/// A check number as it is written: up to 18 digits, blanks around them allowed.
std::optional<qint64> checkNumber(QByteArrayView text) {
    qsizetype i = 0;
    qsizetype end = text.size();
    while (i < end && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    while (end > i && (text[end - 1] == ' ' || text[end - 1] == '\t'))
        --end;
    if (i == end || end - i > 18)
        return std::nullopt;
    qint64 value = 0;
    for (; i < end; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

/// The characters of a UTF-8 text: every byte but those that continue a character.
qsizetype characters(QByteArrayView utf8) {
    qsizetype count = 0;
    for (const char c : utf8)
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

/// How a value is shown inside a message: quoted, and cut short when it is long.
QString shown(QByteArrayView value) {
    // Only the start is read: 41 characters take at most 164 bytes.
    QString text = QString::fromUtf8(value.first(std::min<qsizetype>(value.size(), 164)));
    if (text.size() > 40)
        text = text.left(40) + QStringLiteral("...");
    return QLatin1Char('"') + text + QLatin1Char('"');
}

} // namespace

QStringList CheckImport::files(const QDir& folder) {
    return folder.entryList({QStringLiteral("*.txt")}, QDir::Files | QDir::Readable | QDir::Hidden,
                            QDir::Name | QDir::IgnoreCase);
}

CheckImport::Result CheckImport::read(const QString& databasePath, const QString& sourcePath,
                                      const Clock& clock, Progress& progress) {
    const QString name = QFileInfo(sourcePath).fileName();
    const auto over = qScopeGuard([&] { progress.finish(); });
    auto refuse = [&](const QString& why) {
        return DbError(
            QStringLiteral("%1 cannot be imported: %2. Nothing has been imported.").arg(name, why));
    };

    QFile file(sourcePath);
    if (!file.open(QIODevice::ReadOnly))
        throw refuse(QStringLiteral("Ledgerline could not read it (%1)").arg(file.errorString()));
    // A large file is read where it lies instead of into memory.
    QByteArray whole;
    QByteArrayView bytes;
    if (file.size() > 0) {
        if (const uchar* mapped = file.map(0, file.size()))
            bytes = QByteArrayView(mapped, file.size());
        else
            bytes = whole = file.readAll();
    }
    QByteArray converted;
    const FileText::Decoded text = FileText::decode(bytes, converted, kLongestLine);
    if (text.overlongLine > 0)
        throw refuse(QStringLiteral("line %1 is longer than a check record can be (more than "
                                    "1 MB)")
                         .arg(text.overlongLine));
    CsvReader reader(text.utf8);

    const QStringList& fields = ExchangeFormat::kFullRecord;
    // How many characters each field may hold; 0 where its own rule is the limit.
    const TableDef account = CheckDb::accountTable();
    QList<qsizetype> longest;
    for (const QString& f : fields)
        longest << TableSchema::mostCharacters(account.field(f)->kind);
    const qsizetype width = fields.size();
    const qsizetype checkColumn = fields.indexOf(ExchangeFormat::kCheckField);
    const qsizetype amountColumn = fields.indexOf(ExchangeFormat::kAmountField);
    QStringList columns;
    for (const QString& f : fields)
        columns << Database::quote(f);
    columns << QStringLiteral("\"Print\"") << QStringLiteral("\"LabelPrint\"")
            << QStringLiteral("\"Date\"");
    const QString insertSql =
        QStringLiteral("INSERT INTO %1 (%2) VALUES (?%3)")
            .arg(Database::quote(CheckDb::kAccount), columns.join(QLatin1Char(',')),
                 QStringLiteral(",?").repeated(columns.size() - 1));
    const QByteArray print = kPrint.toUtf8();
    const QByteArray today = clock.todayText().toUtf8();

    const QString importing = QStringLiteral("Importing checks from %1").arg(name);
    const QString units = QStringLiteral("records");
    auto db = Database::open(databasePath);
    qint64 records = 0;
    std::optional<qint64> highest;
    db->transaction([&] {
        // Numbers taken from the file must not meet a check another desk makes meanwhile.
        db->lockRows(CheckDb::kHeader);
        const std::unique_ptr<PreparedQuery> prepared = db->prepare(insertSql);
        PreparedQuery& insert = *prepared;
        QByteArray amount;
        for (;;) {
            const CsvReader::Status status = reader.next();
            if (status == CsvReader::Status::End)
                break;
            if (status == CsvReader::Status::Malformed)
                throw refuse(reader.problem());
            const QList<QByteArrayView>& values = reader.values();
            if (values.size() != width)
                throw refuse(QStringLiteral("line %1 holds %2 values, but a check record has %3 "
                                            "(BusinessName to BusinessType)")
                                 .arg(reader.line())
                                 .arg(values.size())
                                 .arg(width));
            for (qsizetype i = 0; i < width; ++i) {
                const QByteArrayView value = values[i];
                const int parameter = int(i + 1);
                if (longest[i] > 0 && value.size() > longest[i]) {
                    // More than a text field held in the programs these files come from. A
                    // value of thousands is more than a box shows whole, so an edit would cut
                    // it short; one of megabytes takes gigabytes to print.
                    if (const qsizetype length = characters(value); length > longest[i])
                        throw refuse(QStringLiteral("the %1 on line %2 has %3 characters; it "
                                                    "may have at most %4")
                                         .arg(ExchangeFormat::shownName(fields[i]))
                                         .arg(reader.line())
                                         .arg(length)
                                         .arg(longest[i]));
                }
                if (value.isEmpty()) {
                    insert.bindNull(parameter);
                } else if (i == checkColumn) {
                    const std::optional<qint64> number = checkNumber(value);
                    if (!number)
                        throw refuse(QStringLiteral("the Check number on line %1, %2, is not %3")
                                         .arg(reader.line())
                                         .arg(shown(value),
                                              MicrText::allowed(MicrText::Field::CheckNumber)));
                    insert.bindInt64(parameter, *number);
                    if (!highest || *number > *highest)
                        highest = number;
                } else if (i == amountColumn) {
                    amount.resize(0);
                    if (!AmountText::appendNormalised(amount, value))
                        throw refuse(QStringLiteral("the Amount on line %1, %2, is not an amount "
                                                    "in dollars and cents")
                                         .arg(reader.line())
                                         .arg(shown(value)));
                    insert.bindUtf8(parameter, amount);
                } else {
                    insert.bindUtf8(parameter, value);
                }
            }
            insert.bindUtf8(int(width + 1), print);
            insert.bindInt64(int(width + 2), YesNo::False);
            insert.bindUtf8(int(width + 3), today);
            try {
                insert.step();
            } catch (const DbError& e) {
                throw refuse(QStringLiteral("the database did not take the check on line %1 (%2)")
                                 .arg(reader.line())
                                 .arg(e.message()));
            }
            insert.reset();
            if (++records % kReportEvery == 0)
                progress.report(importing, units, records, 0);
        }
        if (records == 0)
            throw refuse(QStringLiteral("it holds no records"));
        progress.report(importing, units, records, records);
        if (highest)
            db->exec(QStringLiteral("UPDATE %1 SET \"LastCheck\" = ? WHERE %2 = (SELECT "
                                    "min(%2) FROM %1) AND (\"LastCheck\" IS NULL OR "
                                    "\"LastCheck\" < ?)")
                         .arg(Database::quote(CheckDb::kHeader), db->rowId()),
                     {*highest, *highest});
    });
    return {records, text.windows1252Lines};
}
