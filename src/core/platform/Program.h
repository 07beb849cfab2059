#pragma once

#include <QDir>
#include <QString>
#include <functional>

/// Program-wide state: the program name, version text and About lines read at start-up,
/// the program folder (every file name is resolved against it) and the current database.
class Program {
public:
    explicit Program(const QString& folder = QDir::currentPath());

    const QString& name() const { return m_name; }
    const QString& version() const { return m_version; }
    void setNameAndVersion(const QString& name, const QString& version);

    QString aboutLine(int index) const; ///< 1 to 3
    void setAboutLine(int index, const QString& text);

    const QDir& folder() const { return m_folder; }
    /// A bare file name resolved against the program folder; a server location as it is.
    QString path(const QString& fileName) const;

    /// The bare file name of the chosen check database, as the chooser lists it, or the
    /// location of a database on the server ("server:Shop").
    const QString& currentDatabase() const { return m_currentDatabase; }
    void setCurrentDatabase(const QString& fileName) { m_currentDatabase = fileName; }

    /// Ends the program at once. What happens is set by whoever runs the program: the
    /// application quits; a test records it.
    void end(int status = 0);
    bool ended() const { return m_ended; }
    int endStatus() const { return m_endStatus; }
    void setOnEnd(std::function<void(int)> onEnd) { m_onEnd = std::move(onEnd); }

    static constexpr const char* kName = "Ledgerline";
    static constexpr const char* kVersion = "Version 7.12";

private:
    QString m_name;
    QString m_version;
    QString m_about[3];
    QDir m_folder;
    QString m_currentDatabase;
    bool m_ended = false;
    int m_endStatus = 0;
    std::function<void(int)> m_onEnd;
};
