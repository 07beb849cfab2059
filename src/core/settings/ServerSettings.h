#pragma once

#include <QString>

/// How this desk reaches the database server, kept in the settings file PC.OVL (table
/// `Server`, made when the settings are first stored): the server's host name or address,
/// its port, the database on it and the user name. The password is never kept here.
struct ServerSettings {
    QString host;
    int port = 5432;
    QString database;
    QString user;

    /// True when a server is set up.
    bool isSet() const { return !host.isEmpty() && !database.isEmpty() && !user.isEmpty(); }

    /// The settings stored in the settings file at `path`; none set when it has none (an
    /// older PC.OVL). Throws DbError when the file cannot be read.
    static ServerSettings read(const QString& path);
    /// Stores `settings` in one update; empty fields set no server up. Throws DbError (a
    /// port that is not a number from 1 to 65535 is refused, and nothing is stored).
    static void store(const QString& path, const ServerSettings& settings);
    /// Why `port` typed as text is no port; empty when it is one.
    static QString portProblem(const QString& typed);
};
