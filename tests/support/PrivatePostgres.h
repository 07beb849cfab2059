#pragma once

#include "core/platform/ServerLocation.h"

#include <QString>
#include <QTemporaryDir>

/// A database server of the test's own: Debian's PostgreSQL, its cluster made with initdb
/// in a temporary folder, listening only on a socket in that folder, with one database and
/// one user who logs in with a password. Stopped and removed when the object goes. Run by
/// the tests as root, the server runs as the user postgres, as it must.
class PrivatePostgres {
public:
    PrivatePostgres();
    ~PrivatePostgres();
    PrivatePostgres(const PrivatePostgres&) = delete;
    PrivatePostgres& operator=(const PrivatePostgres&) = delete;

    /// Empty when the server runs.
    const QString& problem() const { return m_problem; }
    /// How Ledgerline reaches it, password included.
    ServerLogin login() const;
    /// The login as one value for a child process (LEDGERLINE_TEST_SERVER).
    QString loginText() const;

    /// Stops the server at once, as a crash or a network failure would cut it off.
    void stop();
    /// Starts it again; false when it does not come up.
    bool start();

private:
    QString run(const QString& program, const QStringList& arguments) const;

    QTemporaryDir m_dir;
    QString m_bin;
    QString m_problem;
    bool m_running = false;
};

/// Reads a login written by loginText().
ServerLogin loginFromText(const QString& text);
