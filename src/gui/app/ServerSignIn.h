#pragma once

#include "core/platform/Database.h"

#include <optional>

class Program;
class Prompter;

/// How the windows reach the database server: the settings of program setup, and the
/// password from earlier in this run, from the desktop's keyring, or asked for. A password
/// the user typed may be kept in the keyring once the server took it, if they say so.
class ServerSignIn : public Database::ServerAccess {
public:
    ServerSignIn(const Program& program, Prompter& prompter);

    std::optional<ServerLogin> login() override;
    void refused(const ServerLogin& login) override;
    void accepted(const ServerLogin& login) override;

    /// The settings changed: the password given in this run is asked for again.
    void forget() { m_password.reset(); }

private:
    const Program& m_program;
    Prompter& m_prompter;
    std::optional<QString> m_password; // given in this run
    bool m_typed = false;              // typed by the user, not taken from the keyring
    bool m_offered = false;            // keeping it in the keyring was offered once
};
