#pragma once

#include "core/databases/CheckDb.h"

#include <QString>
#include <QVariantMap>

class TestEnv;

/// Builds check databases for tests in a test's program folder.
namespace CheckDbFixture {

/// The payer of the tests' checks, Maple Street Bakery of Fairview, OH, with its bank.
QVariantMap payer();
/// `values` with `changes` laid over them.
QVariantMap with(QVariantMap values, const QVariantMap& changes);

/// A new database `name`.mdb of this kind, described as `name`; returns its file name.
QString create(TestEnv& env, const QString& name, CheckDb::Kind kind = CheckDb::Kind::Check);
/// Writes fields of the template record.
void setTemplate(TestEnv& env, const QString& file, const QVariantMap& values);
/// Appends a check with these fields; returns its ID.
qint64 addCheck(TestEnv& env, const QString& file, const QVariantMap& values);
/// Sets the header's LastCheck (Null for an invalid value).
void setLastCheck(TestEnv& env, const QString& file, const QVariant& value);
/// Every field of the row with this ID.
QVariantMap row(TestEnv& env, const QString& file, qint64 id);
QVariant lastCheck(TestEnv& env, const QString& file);
qint64 count(TestEnv& env, const QString& file);

} // namespace CheckDbFixture
