#pragma once

#include <QString>

/// A check database that lives on the database server rather than in a file. Its location
/// ("server:Shop") stands wherever a file's path stands, so that every part of the program
/// that opens a check database by its path opens a server one the same way.
namespace ServerLocation {

/// True when `path` names a database on the server.
bool is(const QString& path);
/// The location of the server database `name`.
QString of(const QString& name);
/// The name of the server database at `location`.
QString name(const QString& location);
/// How the user knows it: "Shop (on the server)", or a file's own name.
QString displayName(const QString& path);

} // namespace ServerLocation

/// How Ledgerline reaches its database server: the connection settings of program setup
/// and the password the user gave.
struct ServerLogin {
    QString host;
    int port = 5432;
    QString database;
    QString user;
    QString password;
};
