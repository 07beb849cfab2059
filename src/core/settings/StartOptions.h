#pragma once

#include <QString>
#include <QStringList>

/// What the command line asks of Ledgerline: the program folder to work in (`--folder`),
/// or only the help text or the version. A folder given as `~/...` is taken from the
/// user's home folder, also where no shell expanded it (a menu entry).
class StartOptions {
public:
    /// Reads `arguments`, the program's own name first.
    explicit StartOptions(const QStringList& arguments);

    /// Why the command line cannot be followed, in one line; empty when it can.
    const QString& error() const { return m_error; }
    bool wantsHelp() const { return m_help; }
    bool wantsVersion() const { return m_version; }

    /// The absolute program folder: the one given with --folder, else the standard one.
    const QString& folder() const { return m_folder; }

    static QString helpText();
    static QString versionText();

private:
    QString m_error;
    bool m_help = false;
    bool m_version = false;
    QString m_folder;
};
