#include "core/databases/PartFile.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

// A writer that cannot be asked (its process id was taken over by another program after a
// restart) is given this long before its file counts as left behind.
constexpr qint64 kUnaskableAgeSecs = 60 * 60;

bool processIsRunning(qint64 pid) {
    if (pid <= 0 || pid != qint64(pid_t(pid)))
        return false;
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

void removeWithLeftovers(const QDir& folder, const QString& name) {
    // What SQLite keeps beside a file it writes belongs to that file alone. A file that
    // cannot be removed now carries a temporary file's name, so it never passes for a database
    // or a backup, and a later removeStale() takes it away.
    for (const char* suffix : {"", "-journal", "-wal", "-shm"})
        QFile::remove(folder.filePath(name + QLatin1String(suffix)));
}

} // namespace

PartFile::PartFile(const QDir& folder, const QString& kind)
    : m_folder(folder.absolutePath()), m_kind(kind) {}

PartFile::~PartFile() {
    if (m_fd < 0)
        return;
    if (!m_published)
        removeWithLeftovers(QDir(m_folder), QFileInfo(m_path).fileName());
    // The lock goes with the last handle, after the file is gone. What was written here
    // was flushed and checked before the file was published, or is removed above, so the
    // close has nothing to report.
    ::close(m_fd);
}

bool PartFile::create() {
    QByteArray name = QFile::encodeName(QStringLiteral("%1/.ledgerline-%2-%3-XXXXXX.part")
                                            .arg(m_folder, m_kind)
                                            .arg(qint64(::getpid())));
    m_fd = ::mkostemps(name.data(), 5, O_CLOEXEC);
    if (m_fd < 0)
        return false;
    m_path = QFile::decodeName(name);
    // Some network file systems know no such locks; there the process id alone tells.
    ::flock(m_fd, LOCK_EX | LOCK_NB);
    return true;
}

QStringList PartFile::removeStale(const QDir& folder) {
    static const QRegularExpression pattern(QStringLiteral(
        "^(\\.[Ll]edgerline-(?:backup|new|job|export)-(?:(\\d+)-)?[A-Za-z0-9]{6}\\.part)"
        "(?:-journal|-wal|-shm)?$"));
    QStringList removed;
    const QStringList entries = folder.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& entry : entries) {
        const QRegularExpressionMatch m = pattern.match(entry);
        // Each file is judged by its temporary file; the journals beside it follow it.
        if (!m.hasMatch() || m.captured(1) != entry)
            continue;
        const QByteArray path = QFile::encodeName(folder.filePath(entry));
        const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0)
            continue;
        bool stale = false;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
            stale = false; // its writer is at work
        } else if (m.captured(2).isEmpty()) {
            // An earlier version's, which names no writer to ask; this version, one copy
            // per folder, never writes such a name.
            stale = true;
        } else {
            const qint64 age = QFileInfo(folder.filePath(entry))
                                   .lastModified()
                                   .secsTo(QDateTime::currentDateTime());
            stale = !processIsRunning(m.captured(2).toLongLong()) || age > kUnaskableAgeSecs;
        }
        if (stale) {
            removeWithLeftovers(folder, entry);
            removed << entry;
        }
        ::close(fd); // opened only to ask for the lock: nothing to report
    }
    // Journals whose temporary file is already gone.
    for (const QString& entry : entries) {
        const QRegularExpressionMatch m = pattern.match(entry);
        if (m.hasMatch() && m.captured(1) != entry &&
            !QFileInfo::exists(folder.filePath(m.captured(1))) &&
            QFile::remove(folder.filePath(entry)))
            removed << entry;
    }
    return removed;
}
