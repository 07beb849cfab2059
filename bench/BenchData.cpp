#include "BenchData.h"

#include "core/databases/CheckDb.h"
#include "core/platform/Database.h"
#include "core/settings/SettingsDb.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QTemporaryDir>

namespace {
QTemporaryDir& dir() {
    static QTemporaryDir d;
    return d;
}
} // namespace

QString BenchData::programFolder() {
    const QString settings = dir().filePath(SettingsDb::kFileName);
    if (!QFileInfo::exists(settings))
        SettingsDb::createShipped(settings);
    return dir().path();
}

QString BenchData::filledDatabase(const QString& name,
                                  const QList<std::pair<QString, QVariantList>>& statements) {
    const QString path = QDir(programFolder()).filePath(name);
    QFile::remove(path);
    CheckDb::createTemplate(path);
    auto db = Database::open(path);
    db->transaction([&] {
        for (const auto& [sql, binds] : statements)
            db->exec(sql, binds);
    });
    return path;
}

QString BenchData::checkDatabase(int records) {
    static QMap<int, QString> made;
    if (made.contains(records))
        return made.value(records);
    const QString path = dir().filePath(QStringLiteral("bench%1.mdb").arg(records));
    CheckDb::createTemplate(path);
    auto db = Database::open(path);
    db->transaction([&] {
        db->exec(
            QStringLiteral(
                "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < ?) "
                "INSERT INTO Account (BusinessName, FirstName, LastName, Address, City, State, "
                "Zip, "
                "Phone, PayTo, \"Check\", Amount, Bank, BankCity, BankState, ABA, Account, "
                "\"For\", "
                "Date, Comments, Print, LabelPrint, BusinessType) "
                "SELECT 'Maple Street Bakery', 'Jordan', 'Reyes', i || ' Maple Street', "
                "'Fairview', "
                "'OH', '44118', '(216) 555-0142', 'Payee number ' || i, 100 + i, "
                "(i % 5000) || '.' || printf('%02d', i % 100), 'Fairview Community Bank', "
                "'Fairview', 'OH', '041000124', '1234D567 8', 'Invoice ' || i, '12/7/2026', "
                "'Customer called on ' || i, CASE i % 3 WHEN 0 THEN 'Once' WHEN 1 THEN 'Monthly' "
                "ELSE 'Never' END, 0, 'Services' FROM n"),
            {records - 1});
        db->exec(
            QStringLiteral("UPDATE Properties SET AccountType = 'Check', Description = 'Bench', "
                           "LastCheck = ?"),
            {100 + records - 1});
    });
    made.insert(records, path);
    return path;
}

benchmark::internal::Benchmark* BenchData::measured(benchmark::internal::Benchmark* b,
                                                    benchmark::TimeUnit unit) {
    return b->Unit(unit)->UseRealTime()->Repetitions(3)->ReportAggregatesOnly(true);
}

int BenchData::run(int argc, char** argv, benchmark::BenchmarkReporter* reporter) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (reporter)
        benchmark::RunSpecifiedBenchmarks(reporter);
    else
        benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
