#pragma once

#include "core/register/PositivePay.h"

#include <QString>
#include <memory>

class Database;

/// The bank's positive-pay layout as the settings file keeps it. A settings file from
/// before these choices were offered has no fields for them: it reads as the usual layout,
/// and the first choice stored adds the fields, in the same transaction as the choice.
class PositivePayOptions {
public:
    /// Opens the settings file at `settingsPath`; throws DbError when it cannot be opened.
    explicit PositivePayOptions(const QString& settingsPath);
    ~PositivePayOptions();

    /// The stored layout; a field that is missing, empty or unknown reads as the usual choice.
    PositivePayFormat format();
    /// Stores the layout in one update (adding missing fields first, in the same
    /// transaction). Throws DbError; then nothing is stored.
    void store(const PositivePayFormat& format);

private:
    std::shared_ptr<Database> m_db;
};
