#include "gui/platform/Keyring.h"

// GLib names a structure member "signals"; Qt's keyword must not stand in its way.
#undef signals
#include <libsecret/secret.h>

namespace {

const SecretSchema* schema() {
    static const SecretSchema s = {"org.ledgerline.DatabaseServer",
                                   SECRET_SCHEMA_NONE,
                                   {{"host", SECRET_SCHEMA_ATTRIBUTE_STRING},
                                    {"port", SECRET_SCHEMA_ATTRIBUTE_INTEGER},
                                    {"database", SECRET_SCHEMA_ATTRIBUTE_STRING},
                                    {"user", SECRET_SCHEMA_ATTRIBUTE_STRING},
                                    {nullptr, SECRET_SCHEMA_ATTRIBUTE_STRING}},
                                   0,
                                   nullptr,
                                   nullptr,
                                   nullptr,
                                   nullptr,
                                   nullptr,
                                   nullptr,
                                   nullptr};
    return &s;
}

struct Attributes {
    QByteArray host, database, user;
    int port;
    explicit Attributes(const ServerLogin& l)
        : host(l.host.toUtf8()), database(l.database.toUtf8()), user(l.user.toUtf8()),
          port(l.port) {}
};

} // namespace

bool Keyring::available() {
    // Without a session bus there is no keyring to reach, and asking would only start
    // helpers that cannot find one.
    return !qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS") &&
           qEnvironmentVariableIsEmpty("LEDGERLINE_NO_KEYRING");
}

std::optional<QString> Keyring::password(const ServerLogin& login) {
    if (!available())
        return std::nullopt;
    const Attributes a(login);
    GError* error = nullptr;
    gchar* found = secret_password_lookup_sync(
        schema(), nullptr, &error, "host", a.host.constData(), "port", a.port, "database",
        a.database.constData(), "user", a.user.constData(), nullptr);
    if (error)
        g_error_free(error);
    if (!found)
        return std::nullopt;
    const QString password = QString::fromUtf8(found);
    secret_password_free(found);
    return password;
}

bool Keyring::keep(const ServerLogin& login) {
    if (!available())
        return false;
    const Attributes a(login);
    const QByteArray label =
        QStringLiteral("Ledgerline database server %1 (%2)").arg(login.host, login.user).toUtf8();
    GError* error = nullptr;
    const gboolean kept = secret_password_store_sync(
        schema(), SECRET_COLLECTION_DEFAULT, label.constData(), login.password.toUtf8().constData(),
        nullptr, &error, "host", a.host.constData(), "port", a.port, "database",
        a.database.constData(), "user", a.user.constData(), nullptr);
    if (error)
        g_error_free(error);
    return kept;
}

void Keyring::forget(const ServerLogin& login) {
    if (!available())
        return;
    const Attributes a(login);
    GError* error = nullptr;
    secret_password_clear_sync(schema(), nullptr, &error, "host", a.host.constData(), "port",
                               a.port, "database", a.database.constData(), "user",
                               a.user.constData(), nullptr);
    if (error)
        g_error_free(error);
}
