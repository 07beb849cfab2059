#pragma once

#include <QString>
#include <QVariant>

/// The program password. It is stored as a salted, slow hash (Argon2id) of its lower-case
/// form; a stored value that is not such a hash is an older plain-text password.
namespace Password {

constexpr const char* kDefault = "tulip";

/// The stored form of a password: the hash of its lower-case text. Throws DbError when
/// the hash cannot be made.
QString hash(const QString& password);

/// True when `stored` is a hash made by hash().
bool isHash(const QVariant& stored);

/// The password check: the typed text, lowered but not trimmed, against the stored value.
/// An empty entry matches an empty (or Null) stored password.
bool matches(const QVariant& stored, const QString& typed);

} // namespace Password
