#pragma once

#include <QDir>
#include <QString>
#include <QStringList>

/// A private file in which a whole file (a backup, a new database) is written before it
/// is moved under its own name, so that no half-written file ever carries that name.
///
/// Its name says what it is and which process writes it:
/// ".ledgerline-backup-<process id>-XXXXXX.part". While it lives, its writer holds a lock
/// on it, so that another Ledgerline can tell a file still being written from one that a
/// crash or a power cut left behind.
class PartFile {
public:
    /// `kind` names what is written: "backup", "new", "export" or "job" (a print job's PDF).
    PartFile(const QDir& folder, const QString& kind);
    /// Removes the file unless it was moved under its own name.
    ~PartFile();
    PartFile(const PartFile&) = delete;
    PartFile& operator=(const PartFile&) = delete;

    /// Makes the empty file. False, with errno telling why, when the folder does not allow it.
    bool create();
    const QString& path() const { return m_path; }
    /// Open for reading and writing as long as the object lives.
    int handle() const { return m_fd; }
    /// The file now lives under its own name; nothing is left to remove.
    void published() { m_published = true; }

    /// Removes the files of this kind that their writers left behind: those no running
    /// process holds. Files of a writer still at work, and every other file, stay. Returns
    /// the names removed.
    static QStringList removeStale(const QDir& folder);

private:
    QString m_folder;
    QString m_kind;
    QString m_path;
    int m_fd = -1;
    bool m_published = false;
};
