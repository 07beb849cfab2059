#pragma once

#include "core/platform/DbError.h"

/// A typed value that its field of the check record cannot take. The message names the
/// field as the user knows it and repeats the value; field() is its name in the record, so
/// the screen can show the stored value in that box again.
class FieldRefused : public DbError {
public:
    FieldRefused(QString field, QString message)
        : DbError(std::move(message)), m_field(std::move(field)) {}

    const QString& field() const noexcept { return m_field; }

private:
    QString m_field;
};
