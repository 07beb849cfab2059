#include "core/databases/DatabaseFiles.h"

#include "core/platform/Database.h"
#include "core/platform/DbError.h"
#include "core/platform/RecordSet.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

namespace {

const QString kMdbSuffix = QStringLiteral(".mdb");

/// Flushes a written file to the disk so a rename never publishes an empty file after a
/// power cut.
bool syncFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadWrite))
        return false;
    return ::fsync(f.handle()) == 0;
}

void syncFolder(const QString& folder) {
    QFile dir(folder);
    if (dir.open(QIODevice::ReadOnly))
        ::fsync(dir.handle());
}

QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

/// A reason from SQLite's own words for the ones a user can act on.
QString sqliteReason(int code, sqlite3* db) {
    switch (code & 0xff) {
    case SQLITE_FULL:
        return QStringLiteral("the disk is full");
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_CANTOPEN:
        return QStringLiteral("the folder or file may not be written");
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        return QStringLiteral("the database is damaged");
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("the database is in use by another program");
    default:
        return QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(code));
    }
}

struct Sqlite {
    sqlite3* db = nullptr;
    ~Sqlite() { sqlite3_close(db); }
};

QString journalMode(sqlite3* db) {
    sqlite3_stmt* stmt = nullptr;
    QString mode;
    if (sqlite3_prepare_v2(db, "PRAGMA journal_mode", -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW)
        mode = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
    sqlite3_finalize(stmt);
    return mode.toLower();
}

/// Copies the file's bytes, letting the kernel move them where it can. Throws what `fail`
/// makes of the reason when it cannot.
template <class Fail> void copyBytes(const QString& from, const QString& to, const Fail& fail) {
    QFile in(from);
    QFile out(to);
    if (!in.open(QIODevice::ReadOnly))
        throw fail(QStringLiteral("the database could not be read"));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw fail(QStringLiteral("the folder may not be written"));
    const int src = in.handle();
    const int dst = out.handle();
    // Writing back each chunk as soon as it is copied lets the disk work while the next
    // one is copied, so the final sync has little left to wait for.
    off_t copied = 0;
    for (;;) {
        const ssize_t n = ::copy_file_range(src, nullptr, dst, nullptr, 16 << 20, 0);
        if (n == 0)
            return;
        if (n > 0) {
            ::sync_file_range(dst, copied, n, SYNC_FILE_RANGE_WRITE);
            copied += n;
            continue;
        }
        if (errno == EINTR)
            continue;
        if (errno == ENOSPC || errno == EFBIG || errno == EDQUOT)
            throw fail(QStringLiteral("the disk is full"));
        if (errno != EXDEV && errno != ENOSYS && errno != EOPNOTSUPP && errno != EINVAL)
            throw fail(systemReason(errno).toLower());
        break; // the kernel cannot copy between these files: copy through memory instead
    }
    ::lseek(src, 0, SEEK_SET);
    ::ftruncate(dst, 0);
    ::lseek(dst, 0, SEEK_SET);
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    for (;;) {
        const ssize_t n = ::read(src, buffer.data(), size_t(buffer.size()));
        if (n == 0)
            return;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw fail(QStringLiteral("the database could not be read"));
        }
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = ::write(dst, buffer.constData() + done, size_t(n - done));
            if (w < 0) {
                if (errno == EINTR)
                    continue;
                throw fail(errno == ENOSPC || errno == EFBIG || errno == EDQUOT
                               ? QStringLiteral("the disk is full")
                               : systemReason(errno).toLower());
            }
            done += w;
        }
    }
}

/// Copies a database in write-ahead mode page by page through SQLite.
template <class Fail> void copyPages(sqlite3* source, const QString& to, const Fail& fail) {
    Sqlite copy;
    const QByteArray copyName = QFile::encodeName(to);
    int rc = sqlite3_open_v2(copyName.constData(), &copy.db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK)
        throw fail(sqliteReason(rc, copy.db));
    sqlite3_backup* job = sqlite3_backup_init(copy.db, "main", source, "main");
    if (!job)
        throw fail(sqliteReason(sqlite3_errcode(copy.db), copy.db));
    rc = sqlite3_backup_step(job, -1);
    const int finish = sqlite3_backup_finish(job);
    if (rc != SQLITE_DONE)
        throw fail(sqliteReason(rc, copy.db));
    if (finish != SQLITE_OK)
        throw fail(sqliteReason(finish, copy.db));
}

} // namespace

QStringList DatabaseFiles::list(const QDir& folder) {
    return folder.entryList({QStringLiteral("*.mdb")}, QDir::Files | QDir::Readable | QDir::Hidden,
                            QDir::Name | QDir::IgnoreCase);
}

bool DatabaseFiles::isValidName(const QString& name) {
    if (name.isEmpty() || name.size() > 36 || name.trimmed().isEmpty())
        return false;
    for (const QChar c : name)
        if (!(c.isLetterOrNumber() || c == QLatin1Char(' ')))
            return false;
    return true;
}

bool DatabaseFiles::nameIsTaken(const QDir& folder, const QString& fileName) {
    if (QFileInfo::exists(folder.filePath(fileName)))
        return true;
    const QStringList all = folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System);
    for (const QString& existing : all)
        if (existing.compare(fileName, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QString DatabaseFiles::create(const QDir& folder, const QString& name, const QString& description,
                              CheckDb::Kind kind) {
    if (!isValidName(name))
        throw DbError(QStringLiteral("The name may hold only letters, numbers and spaces."));
    const QString fileName = name + kMdbSuffix;
    if (nameIsTaken(folder, fileName))
        throw DbError(QStringLiteral("A file named %1 already exists.").arg(fileName));

    QFile templ(folder.filePath(CheckDb::kTemplateFile));
    if (!templ.open(QIODevice::ReadOnly))
        throw DbError(QStringLiteral("The template file %1 is missing from the program folder.")
                          .arg(CheckDb::kTemplateFile));
    const QByteArray bytes = templ.readAll();
    templ.close();

    QTemporaryFile part(folder.filePath(QStringLiteral(".ledgerline-new-XXXXXX.part")));
    if (!part.open())
        throw DbError(QStringLiteral("Ledgerline may not write in the program folder %1.")
                          .arg(QDir::toNativeSeparators(folder.absolutePath())));
    if (part.write(bytes) != bytes.size() || !part.flush())
        throw DbError(QStringLiteral("The disk is full."));
    part.close();
    part.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                        QFileDevice::ReadOther);

    // Stamp the header while the file is still private, so the database appears complete.
    {
        if (const QString why = CheckDb::problem(part.fileName()); !why.isEmpty())
            throw DbError(
                QStringLiteral("The template file %1 is damaged.").arg(CheckDb::kTemplateFile));
        auto db = Database::open(part.fileName());
        RecordSet header(db, CheckDb::kHeader);
        header.edit();
        header.setValue(QStringLiteral("Description"), description);
        if (kind == CheckDb::Kind::Draft)
            header.setValue(QStringLiteral("AccountType"), CheckDb::kDraftType);
        else if (kind == CheckDb::Kind::Check)
            header.setValue(QStringLiteral("AccountType"), CheckDb::kCheckType);
        header.update();
    }
    if (!syncFile(part.fileName()))
        throw DbError(QStringLiteral("The new database could not be written to the disk."));

    // A hard link publishes the file only if the name is still free, even if another
    // program took it since the test above.
    const QByteArray from = QFile::encodeName(part.fileName());
    const QByteArray to = QFile::encodeName(folder.filePath(fileName));
    if (::link(from.constData(), to.constData()) != 0) {
        const int error = errno;
        if (error == EEXIST)
            throw DbError(QStringLiteral("A file named %1 already exists.").arg(fileName));
        throw DbError(
            QStringLiteral("The new database could not be written: %1.").arg(systemReason(error)));
    }
    syncFolder(folder.absolutePath());
    return fileName;
}

QString DatabaseFiles::backupName(const QString& databaseName) {
    const qsizetype dot = databaseName.lastIndexOf(QLatin1Char('.'));
    return (dot < 0 ? databaseName : databaseName.left(dot)) + QStringLiteral(".bak");
}

void DatabaseFiles::backup(const QString& databasePath, const QString& backupPath) {
    const QFileInfo target(backupPath);
    const QString backupFile = target.fileName();
    auto fail = [&](const QString& reason) {
        return DbError(QStringLiteral("The backup copy %1 could not be made because %2. Your "
                                      "previous backup has been kept as it was.")
                           .arg(backupFile, reason));
    };
    if (!QFileInfo(databasePath).isFile())
        throw fail(QStringLiteral("the database %1 cannot be found")
                       .arg(QFileInfo(databasePath).fileName()));
    if (QFileInfo(databasePath).absoluteFilePath() == target.absoluteFilePath())
        throw fail(QStringLiteral("it would replace the database itself"));

    QTemporaryFile part(target.absolutePath() + QStringLiteral("/.ledgerline-backup-XXXXXX.part"));
    if (!part.open())
        throw fail(QStringLiteral("the folder may not be written"));
    part.close();

    Sqlite source;
    const QByteArray sourceName = QFile::encodeName(databasePath);
    // Read-write only so that SQLite may roll back a journal left by a crash; nothing is
    // written otherwise.
    int rc = sqlite3_open_v2(sourceName.constData(), &source.db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK)
        throw fail(sqliteReason(rc, source.db));
    sqlite3_busy_timeout(source.db, 5000);

    // A read transaction keeps every writer out while the file is copied, so the copy is
    // a consistent snapshot; with a rollback journal the file itself then holds all of it.
    rc = sqlite3_exec(source.db, "BEGIN; SELECT count(*) FROM sqlite_master;", nullptr, nullptr,
                      nullptr);
    if (rc != SQLITE_OK)
        throw fail(sqliteReason(rc, source.db));
    if (journalMode(source.db) == QLatin1String("wal"))
        copyPages(source.db, part.fileName(), fail);
    else
        copyBytes(databasePath, part.fileName(), fail);
    sqlite3_exec(source.db, "COMMIT;", nullptr, nullptr, nullptr);

    if (!syncFile(part.fileName()))
        throw fail(QStringLiteral("the copy could not be written to the disk"));
    QFile(part.fileName()).setPermissions(QFile(databasePath).permissions());

    const QByteArray from = QFile::encodeName(part.fileName());
    const QByteArray to = QFile::encodeName(target.absoluteFilePath());
    if (std::rename(from.constData(), to.constData()) != 0)
        throw fail(systemReason(errno).toLower());
    part.setAutoRemove(false);
    syncFolder(target.absolutePath());
}
