#pragma once

#include "core/platform/ServerLocation.h"

#include <QString>
#include <optional>

/// The desktop's keyring (the Secret Service: GNOME Keyring, KWallet), where the password
/// of the database server may be kept so that Ledgerline does not ask for it at every
/// start. A desktop without one simply keeps nothing; the password is then asked for.
namespace Keyring {

/// True when the desktop offers a keyring to this program.
bool available();
/// The password kept for this login's server, database and user; nothing when none is.
std::optional<QString> password(const ServerLogin& login);
/// Keeps the login's password; false when the keyring did not take it.
bool keep(const ServerLogin& login);
/// Forgets a password kept for this login.
void forget(const ServerLogin& login);

} // namespace Keyring
