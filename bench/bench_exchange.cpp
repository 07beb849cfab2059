// Export and import of 1,000,000 checks against the sqlite3 command-line program doing the
// same work in the same run: `sqlite3 -csv` writing the same 18 columns (goal: at most 1.5
// times), and `.import` reading the same file into a table of those 18 columns (goal: at
// most 2 times).
#include "BenchData.h"
#include "Goals.h"
#include "core/databases/CheckDb.h"
#include "core/exchange/CheckExport.h"
#include "core/exchange/CheckImport.h"
#include "core/exchange/ExchangeFormat.h"
#include "core/platform/Clock.h"
#include "core/platform/Database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdlib>

namespace {

std::string quoted(const QString& path) {
    return "'" + path.toStdString() + "'";
}

QString columns() {
    QStringList quotedNames;
    for (const QString& f : ExchangeFormat::kFullRecord)
        quotedNames << Database::quote(f);
    return quotedNames.join(QLatin1Char(','));
}

/// A database whose table Account has just the 18 exported columns, with the same column
/// types. It leaves out the check database's constraints, which would refuse the template's
/// empty check number as .import writes it (the empty text, where the import stores Null).
void createBaselineTable(const QString& path) {
    QFile::remove(path);
    QStringList columns;
    const TableDef account = CheckDb::accountTable();
    for (const QString& name : ExchangeFormat::kFullRecord)
        columns << Database::quote(name) + (account.field(name)->kind == FieldKind::Long
                                                ? QStringLiteral(" INTEGER")
                                                : QStringLiteral(" TEXT"));
    auto db = Database::create(path);
    db->exec(QStringLiteral("CREATE TABLE Account (%1)").arg(columns.join(QStringLiteral(", "))));
}

void run(const std::string& command) {
    if (std::system(command.c_str()) != 0)
        qFatal("Failed: %s", command.c_str());
}

} // namespace

int main(int argc, char** argv) {
    Goals::start(argc, argv);
    const QString folder = BenchData::programFolder(QStringLiteral("exchange"));
    auto inFolder = [&](const QString& name) { return QDir(folder).filePath(name); };
    const QString database = BenchData::checkDatabase(1'000'000);

    const QString ours = inFolder(ExchangeFormat::kExportFile);
    const QString theirs = inFolder(QStringLiteral("sqlite3.csv"));
    const std::string exportCommand =
        "sqlite3 -csv " + quoted(database) + " 'SELECT " +
        columns().replace(QLatin1Char('\''), QStringLiteral("''")).toStdString() +
        " FROM Account ORDER BY ID' > " + quoted(theirs);
    Goals::measure(
        {QStringLiteral("export, 1,000,000 checks, vs sqlite3 -csv"), 1.5,
         Goals::timed([&] { CheckExport::write(database, ours, CheckExport::Layout::Full); }),
         Goals::timed([&] { run(exportCommand); }), 3});
    QFile::remove(theirs);

    if (Goals::wanted(QStringLiteral("import"))) {
        // Both read the same file: our own full export of the database.
        const QString source = inFolder(QStringLiteral("IMPORT.TXT"));
        CheckExport::write(database, source, CheckExport::Layout::Full);
        const QString imported = inFolder(QStringLiteral("imported.mdb"));
        const QString baseline = inFolder(QStringLiteral("baseline.db"));
        const std::string importCommand =
            "sqlite3 " + quoted(baseline) + " '.import --csv " + source.toStdString() + " Account'";
        const FixedClock clock(QDate(2026, 12, 7));
        Goals::Row row{
            QStringLiteral("import, 1,000,000 checks, vs sqlite3 .import"), 2.0,
            Goals::timed(
                [&] {
                    QFile::remove(imported);
                    CheckDb::createTemplate(imported);
                },
                [&] { CheckImport::read(imported, source, clock); }),
            Goals::timed([&] { createBaselineTable(baseline); }, [&] { run(importCommand); }), 3};
        row.warmUp = false;
        Goals::measure(row);
        QFile::remove(imported);
        QFile::remove(baseline);
        QFile::remove(source);
    }
    QFile::remove(ours);
    return Goals::finish();
}
