#include "gui/app/ServerSignIn.h"

#include "core/platform/DbError.h"
#include "core/platform/Program.h"
#include "core/platform/Prompter.h"
#include "core/settings/ServerSettings.h"
#include "core/settings/SettingsDb.h"
#include "gui/platform/Keyring.h"

ServerSignIn::ServerSignIn(const Program& program, Prompter& prompter)
    : m_program(program), m_prompter(prompter) {}

std::optional<ServerLogin> ServerSignIn::login() {
    const ServerSettings settings = ServerSettings::read(m_program.path(SettingsDb::kFileName));
    if (!settings.isSet())
        throw DbError(QStringLiteral("No database server is set up. Set one up in File - "
                                     "Program Setup - Database Server."));
    ServerLogin login{settings.host, settings.port, settings.database, settings.user, {}};
    if (!m_password) {
        if (std::optional<QString> kept = Keyring::password(login)) {
            m_password = kept;
            m_typed = false;
        } else {
            m_password = m_prompter.askPassword(
                QStringLiteral("The password of %1 for the database %2 on the server %3:")
                    .arg(settings.user, settings.database, settings.host),
                QStringLiteral("Database Server"));
            m_typed = true;
        }
    }
    if (!m_password)
        return std::nullopt;
    login.password = *m_password;
    return login;
}

void ServerSignIn::refused(const ServerLogin& login) {
    // A wrong password is asked for again, and a kept one is no longer offered.
    m_password.reset();
    Keyring::forget(login);
}

void ServerSignIn::accepted(const ServerLogin& login) {
    if (!m_typed || m_offered || !Keyring::available())
        return;
    m_offered = true;
    if (!m_prompter.question(QStringLiteral("Keep the password of the database server in the "
                                            "desktop's keyring, so that Ledgerline does not ask "
                                            "for it again on this computer?"),
                             QStringLiteral("Database Server"), Prompter::Icon::Question, false))
        return;
    if (!Keyring::keep(login))
        m_prompter.message(QStringLiteral("The desktop's keyring did not take the password; "
                                          "Ledgerline will ask for it at the next start."),
                           QStringLiteral("Database Server"), Prompter::Icon::Warning);
}
