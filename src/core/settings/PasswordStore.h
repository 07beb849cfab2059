#pragma once

#include <QString>
#include <functional>
#include <memory>

class RecordSet;

/// The program password as the settings file keeps it (table A). Every check reads the
/// stored value afresh; nothing is cached.
class PasswordStore {
public:
    /// Opens the password table of the settings file at `settingsPath`; throws DbError
    /// when the file cannot be opened.
    explicit PasswordStore(const QString& settingsPath);
    ~PasswordStore();

    /// True when the stored password is still the one a new installation ships with.
    bool isDefault();

    /// The same question about the password stored now, to be answered later on any thread:
    /// it holds the stored value and reads no file. Answering takes as long as checking a
    /// password (a tenth of a second), which the start-up screen does not wait for.
    std::function<bool()> defaultCheck();

    /// The password check: the typed text, lowered but not trimmed, against the stored
    /// password. A password an older settings file keeps in plain text is replaced by its
    /// hash the first time it is entered correctly.
    bool check(const QString& typed);

    /// Stores a new password (the hash of its lower-case form). Throws DbError when it
    /// cannot; the old password then stays in force.
    void change(const QString& password);

private:
    std::unique_ptr<RecordSet> m_table;
};
