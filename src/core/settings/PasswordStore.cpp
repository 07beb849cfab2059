#include "core/settings/PasswordStore.h"

#include "core/platform/Database.h"
#include "core/platform/Failure.h"
#include "core/platform/RecordSet.h"
#include "core/settings/Password.h"
#include "core/settings/SettingsDb.h"

PasswordStore::PasswordStore(const QString& settingsPath)
    : m_table(
          std::make_unique<RecordSet>(Database::open(settingsPath), SettingsDb::kPasswordTable)) {}

PasswordStore::~PasswordStore() = default;

bool PasswordStore::isDefault() {
    return defaultCheck()();
}

std::function<bool()> PasswordStore::defaultCheck() {
    return [stored = m_table->value(SettingsDb::kPassword)] {
        return Password::matches(stored, QString::fromLatin1(Password::kDefault));
    };
}

bool PasswordStore::check(const QString& typed) {
    const QVariant stored = m_table->value(SettingsDb::kPassword);
    const bool correct = Password::matches(stored, typed);
    // The right password lets the user in even when its hash cannot be stored now (a
    // settings file another program holds); the plain text is replaced at a later entry.
    if (correct && !Password::isHash(stored))
        skipIfFails([&] { change(typed); });
    return correct;
}

void PasswordStore::change(const QString& password) {
    const QString stored = Password::hash(password);
    m_table->edit();
    m_table->setValue(SettingsDb::kPassword, stored);
    m_table->update();
}
