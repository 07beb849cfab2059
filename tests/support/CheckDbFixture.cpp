#include "support/CheckDbFixture.h"

#include "core/databases/DatabaseFiles.h"
#include "core/platform/Database.h"
#include "core/platform/RecordSet.h"
#include "support/TestEnv.h"

#include <QSqlRecord>

QVariantMap CheckDbFixture::payer() {
    return {
        {"BusinessName", "Maple Street Bakery"},
        {"FirstName", "Jordan"},
        {"LastName", "Reyes"},
        {"Address", "218 Maple Street"},
        {"City", "Fairview"},
        {"State", "OH"},
        {"Zip", "44118"},
        {"Phone", "555-0142"},
        {"Bank", "Fairview Bank"},
        {"BankCity", "Fairview"},
        {"BankState", "OH"},
        {"ABA", "041000124"},
        {"Account", "1234D567"},
    };
}

QVariantMap CheckDbFixture::with(QVariantMap values, const QVariantMap& changes) {
    for (auto it = changes.cbegin(); it != changes.cend(); ++it)
        values.insert(it.key(), it.value());
    return values;
}

QString CheckDbFixture::create(TestEnv& env, const QString& name, CheckDb::Kind kind) {
    return DatabaseFiles::create(env.program.folder(), name, name, kind);
}

void CheckDbFixture::setTemplate(TestEnv& env, const QString& file, const QVariantMap& values) {
    RecordSet rs(Database::open(env.path(file)), CheckDb::kAccount);
    rs.edit();
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        rs.setValue(it.key(), it.value());
    rs.update();
}

qint64 CheckDbFixture::addCheck(TestEnv& env, const QString& file, const QVariantMap& values) {
    RecordSet rs(Database::open(env.path(file)), CheckDb::kAccount);
    rs.addNew();
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        rs.setValue(it.key(), it.value());
    rs.update();
    return rs.currentId();
}

void CheckDbFixture::setLastCheck(TestEnv& env, const QString& file, const QVariant& value) {
    RecordSet rs(Database::open(env.path(file)), CheckDb::kHeader);
    rs.edit();
    rs.setValue(QStringLiteral("LastCheck"), value);
    rs.update();
}

QVariantMap CheckDbFixture::row(TestEnv& env, const QString& file, qint64 id) {
    RecordSet rs(Database::open(env.path(file)), CheckDb::kAccount);
    QVariantMap out;
    if (!rs.moveTo(id))
        return out;
    const QSqlRecord r = rs.record();
    for (int i = 0; i < r.count(); ++i)
        out.insert(r.fieldName(i), r.value(i));
    return out;
}

QVariant CheckDbFixture::lastCheck(TestEnv& env, const QString& file) {
    RecordSet rs(Database::open(env.path(file)), CheckDb::kHeader);
    return rs.value(QStringLiteral("LastCheck"));
}

qint64 CheckDbFixture::count(TestEnv& env, const QString& file) {
    RecordSet rs(Database::open(env.path(file)), CheckDb::kAccount);
    return rs.recordCount();
}
