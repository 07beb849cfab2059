#include "core/databases/DatabaseFiles.h"

#include "core/databases/BackupName.h"
#include "core/databases/PartFile.h"
#include "core/databases/WholeFile.h"
#include "core/platform/Database.h"
#include "core/platform/DbError.h"
#include "core/platform/FileReason.h"
#include "core/platform/RecordSet.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QUrl>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <sqlite3.h>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace {

const QString kMegabytes = QStringLiteral("MB");
constexpr qint64 kMegabyte = 1'000'000;
const QString kMdbSuffix = QStringLiteral(".mdb");
constexpr int kBusyTimeoutMs = 5000;

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

QString folderOf(const QFileInfo& info) {
    return QDir::toNativeSeparators(info.absolutePath());
}

// The platform words a damaged file by its name alone; a check database's message names its
// backup copy and the way back to it, which only this layer knows. Set as the program
// starts, before any file is opened.
[[maybe_unused]] const bool kDamageWordingSet =
    (DbError::setDamageWording(&DatabaseFiles::damagedMessage), true);

bool isDamage(int code) {
    return (code & 0xff) == SQLITE_CORRUPT || (code & 0xff) == SQLITE_NOTADB;
}

struct Sqlite {
    sqlite3* db = nullptr;
    // Every statement is finalized before, so the close cannot be refused; what was
    // written through the handle is committed or checked before it ends.
    ~Sqlite() { sqlite3_close(db); }
};

/// Closes a descriptor when it goes out of scope. Only handles that are read, or whose
/// writes were flushed and checked before, end here, so the close has nothing to report.
struct Fd {
    int fd = -1;
    ~Fd() {
        if (fd >= 0)
            ::close(fd);
    }
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

/// Copies a database in write-ahead mode page by page through SQLite. Returns the engine's
/// code.
int copyPages(sqlite3* source, const QString& to) {
    Sqlite copy;
    const QByteArray copyName = QFile::encodeName(to);
    int rc = sqlite3_open_v2(copyName.constData(), &copy.db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK)
        return rc;
    sqlite3_backup* job = sqlite3_backup_init(copy.db, "main", source, "main");
    if (!job)
        return sqlite3_errcode(copy.db);
    rc = sqlite3_backup_step(job, -1);
    const int finish = sqlite3_backup_finish(job);
    return rc != SQLITE_DONE ? rc : finish;
}

/// SQLite's structure check of a finished copy: every page of every table is read and
/// its structure verified. Returns SQLITE_OK for a sound copy, SQLITE_CORRUPT for a damaged
/// one, or the engine's code when the copy could not be read at all. `report` is called
/// every so often meanwhile.
int checkCopy(const QString& path, const std::function<void()>& report) {
    Sqlite copy;
    // Nobody else knows the file, so SQLite may skip its locks ("immutable"); mapping the
    // file saves copying every page into the cache.
    const QString uri = QStringLiteral("file:%1?immutable=1")
                            .arg(QString::fromUtf8(QUrl::toPercentEncoding(path, "/")));
    int rc = sqlite3_open_v2(uri.toUtf8().constData(), &copy.db,
                             SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
    if (rc != SQLITE_OK)
        return rc;
    const QByteArray mmap =
        QStringLiteral("PRAGMA mmap_size=%1").arg(QFileInfo(path).size()).toUtf8();
    // Only a shortcut: without the mapping the check reads the pages the usual way.
    sqlite3_exec(copy.db, mmap.constData(), nullptr, nullptr, nullptr);
    sqlite3_progress_handler(
        copy.db, 100'000,
        [](void* call) {
            (*static_cast<const std::function<void()>*>(call))();
            return 0;
        },
        const_cast<std::function<void()>*>(&report));
    sqlite3_stmt* stmt = nullptr;
    rc = sqlite3_prepare_v2(copy.db, "PRAGMA quick_check", -1, &stmt, nullptr);
    if (rc != SQLITE_OK)
        return rc;
    rc = sqlite3_step(stmt);
    int verdict = rc;
    if (rc == SQLITE_ROW)
        verdict = qstrcmp(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)), "ok") == 0
                      ? SQLITE_OK
                      : SQLITE_CORRUPT;
    sqlite3_finalize(stmt);
    return verdict;
}

} // namespace

QStringList DatabaseFiles::list(const QDir& folder) {
    // Files Ledgerline may not read are listed too: choosing one says what is wrong. The
    // names are sorted here, by their lower-case form as QDir sorts them, twins then by
    // their exact names: QDir's own sorting looks up every file's details again, which with
    // thousands of databases holds up the chooser.
    QStringList names;
    QDirIterator it(folder.path(), {QStringLiteral("*.mdb")}, QDir::Files | QDir::Hidden);
    while (it.hasNext()) {
        it.next();
        names << it.fileName();
    }
    QList<std::pair<QString, QString>> keyed;
    keyed.reserve(names.size());
    for (const QString& name : std::as_const(names))
        keyed.append({name.toLower(), name});
    std::sort(keyed.begin(), keyed.end());
    names.clear();
    for (const auto& [key, name] : std::as_const(keyed))
        names << name;
    return names;
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

QString DatabaseFiles::create(const QDir& folder, const QString& typedName,
                              const QString& description, CheckDb::Kind kind) {
    // " Shop" and "Shop" would look the same in every list.
    const QString name = typedName.trimmed();
    if (!isValidName(name))
        throw DbError(QStringLiteral("The name may hold only letters, numbers and spaces."));
    const QString fileName = name + kMdbSuffix;
    if (nameIsTaken(folder, fileName))
        throw DbError(QStringLiteral("A file named %1 already exists.").arg(fileName));
    auto fail = [&](int error) {
        return DbError(QStringLiteral("The database %1 could not be made because %2.")
                           .arg(fileName, FileReason::why(error, fileName)));
    };

    const QString templatePath = folder.filePath(CheckDb::kTemplateFile);
    QFile templ(templatePath);
    if (!templ.open(QIODevice::ReadOnly)) {
        if (QFileInfo::exists(templatePath))
            throw DbError(DbError::unreadableMessage(templatePath), DbError::Reason::NoPermission);
        throw DbError(QStringLiteral("The template file %1 is missing from the program folder.")
                          .arg(CheckDb::kTemplateFile));
    }

    PartFile::removeStale(folder);
    PartFile part(folder, QStringLiteral("new"));
    if (!part.create())
        throw fail(errno);
    if (const int error = WholeFile::copy(templ.handle(), part.handle()); error != 0)
        throw fail(error);
    templ.close();
    if (const int error = WholeFile::setMode(part.handle(), S_IRUSR | S_IWUSR | S_IRGRP | S_IROTH);
        error != 0)
        throw fail(error);

    // Stamp the header while the file is still private, so the database appears complete.
    {
        if (const QString why = CheckDb::problem(part.path()); !why.isEmpty())
            throw DbError(
                QStringLiteral("The template file %1 is damaged.").arg(CheckDb::kTemplateFile));
        auto db = Database::open(part.path());
        RecordSet header(db, CheckDb::kHeader);
        header.edit();
        header.setValue(QStringLiteral("Description"), description);
        if (kind == CheckDb::Kind::Draft)
            header.setValue(QStringLiteral("AccountType"), CheckDb::kDraftType);
        else if (kind == CheckDb::Kind::Check)
            header.setValue(QStringLiteral("AccountType"), CheckDb::kCheckType);
        header.update();
    }
    if (::fsync(part.handle()) != 0)
        throw fail(errno);

    // Published only if the name is still free, even if another program took it since the
    // test above.
    if (const int error = WholeFile::publish(part.path(), folder.filePath(fileName)); error != 0) {
        if (error == EEXIST)
            throw DbError(QStringLiteral("A file named %1 already exists.").arg(fileName));
        throw fail(error);
    }
    // A rename took the temporary file along; a copy left it behind, to be removed.
    if (!QFileInfo::exists(part.path()))
        part.published();
    // A name the disk did not confirm could vanish in a power cut, with the checks entered
    // meanwhile: the database counts as not made.
    if (const int error = WholeFile::syncFolder(folder.absolutePath()); error != 0) {
        QFile::remove(folder.filePath(fileName));
        throw fail(error);
    }
    return fileName;
}

QString DatabaseFiles::backupName(const QString& databaseName) {
    return BackupName::plain(databaseName);
}

QString DatabaseFiles::backupName(const QDir& folder, const QString& databaseName) {
    return BackupName::of(folder, databaseName);
}

QString DatabaseFiles::damagedMessage(const QString& path) {
    const QFileInfo info(path);
    const QString file = info.fileName();
    if (!file.endsWith(kMdbSuffix, Qt::CaseInsensitive))
        return {};
    const QString backup = BackupName::of(info.dir(), file);
    if (!QFileInfo(info.dir().filePath(backup)).isFile())
        return QStringLiteral("The database %1 is damaged, and it has no backup copy (%2) to go "
                              "back to. Leave Ledgerline and keep a copy of %1 before anything "
                              "else is done with it.")
            .arg(file, backup);
    return QStringLiteral("The database %1 is damaged. Your last backup copy, %2, has been kept "
                          "as it was: Ledgerline never replaces a backup with a damaged copy. To "
                          "go back to it, leave Ledgerline, move %1 out of the program folder "
                          "%3, and rename %2 to %1. Checks entered since that backup must then "
                          "be entered again.")
        .arg(file, backup, folderOf(info));
}

void DatabaseFiles::backup(const QString& databasePath, const QString& backupPath,
                           Progress& progress) {
    const QFileInfo target(backupPath);
    const QString backupFile = target.fileName();
    auto fail = [&](const QString& reason) {
        return DbError(QStringLiteral("The backup copy %1 could not be made because %2. Your "
                                      "previous backup has been kept as it was.")
                           .arg(backupFile, reason));
    };
    auto damaged = [&] { return DbError(damagedMessage(databasePath), DbError::Reason::Damaged); };
    if (!QFileInfo(databasePath).isFile())
        throw fail(QStringLiteral("the database %1 cannot be found")
                       .arg(QFileInfo(databasePath).fileName()));
    if (QFileInfo(databasePath).absoluteFilePath() == target.absoluteFilePath())
        throw fail(QStringLiteral("it would replace the database itself"));

    const QDir folder = target.absoluteDir();
    PartFile::removeStale(folder);
    PartFile part(folder, QStringLiteral("backup"));
    if (!part.create())
        throw fail(FileReason::why(errno, backupFile));

    const auto shown = qScopeGuard([&] { progress.finish(); });
    {
        Sqlite source;
        const QByteArray sourceName = QFile::encodeName(databasePath);
        // Read-write only so that SQLite may roll back a change a crash cut short; nothing
        // is written otherwise.
        int rc =
            sqlite3_open_v2(sourceName.constData(), &source.db, SQLITE_OPEN_READWRITE, nullptr);
        if (rc == SQLITE_OK) {
            sqlite3_extended_result_codes(source.db, 1);
            sqlite3_busy_timeout(source.db, kBusyTimeoutMs);
            // A read transaction keeps every writer out while the file is copied, so the copy
            // is a consistent snapshot; with a rollback journal the file itself then holds all
            // of it.
            rc = sqlite3_exec(source.db, "BEGIN; SELECT count(*) FROM sqlite_master;", nullptr,
                              nullptr, nullptr);
        }
        if (rc != SQLITE_OK) {
            const int code = source.db ? sqlite3_extended_errcode(source.db) : rc;
            if (isDamage(code))
                throw damaged();
            throw fail(sqliteReason(code, source.db));
        }
        // Closed only after the read transaction ends: closing any handle of the file drops
        // every lock this process holds on it.
        Fd bytes{::open(sourceName.constData(), O_RDONLY | O_CLOEXEC)};
        struct stat size {};
        if (journalMode(source.db) == QLatin1String("wal")) {
            if (const int code = copyPages(source.db, part.path()); code != SQLITE_OK)
                throw isDamage(code) ? damaged() : fail(sqliteReason(code, nullptr));
        } else if (bytes.fd < 0 || ::fstat(bytes.fd, &size) != 0) {
            throw fail(QStringLiteral("the database could not be read"));
        } else if (const int error = WholeFile::copy(
                       bytes.fd, part.handle(),
                       [&](qint64 written) {
                           progress.report(
                               QStringLiteral("Writing the backup copy %1").arg(backupFile),
                               kMegabytes, written / kMegabyte, size.st_size / kMegabyte);
                       });
                   error != 0) {
            throw fail(FileReason::why(error, backupFile));
        }
        if (sqlite3_exec(source.db, "COMMIT;", nullptr, nullptr, nullptr) != SQLITE_OK)
            throw fail(sqliteReason(sqlite3_extended_errcode(source.db), source.db));
    }

    // The copy is checked while the disk takes it in: a damaged copy never replaces the
    // previous backup, which is then the only sound copy left.
    int syncError = 0;
    auto flushCopy = [&] { syncError = ::fsync(part.handle()) == 0 ? 0 : errno; };
    std::thread flush;
    try {
        flush = std::thread(flushCopy);
    } catch (const std::system_error&) {
        flushCopy(); // no thread to be had: one after the other
    }
    const QString checking = QStringLiteral("Checking the backup copy %1").arg(backupFile);
    const qint64 megabytes = QFileInfo(part.path()).size() / kMegabyte;
    const int verdict =
        checkCopy(part.path(), [&] { progress.report(checking, kMegabytes, megabytes, 0); });
    if (flush.joinable())
        flush.join();
    if (verdict != SQLITE_OK)
        throw isDamage(verdict) ? damaged() : fail(sqliteReason(verdict, nullptr));
    if (syncError != 0)
        throw fail(FileReason::why(syncError, backupFile));
    // The backup may be read by whoever may read the database, and by no one else.
    struct stat source {};
    if (::stat(QFile::encodeName(databasePath).constData(), &source) != 0)
        throw fail(FileReason::why(errno, backupFile));
    if (const int error = WholeFile::setMode(part.handle(), source.st_mode & 0777); error != 0)
        throw fail(FileReason::why(error, backupFile));

    const QByteArray from = QFile::encodeName(part.path());
    const QByteArray to = QFile::encodeName(target.absoluteFilePath());
    if (std::rename(from.constData(), to.constData()) != 0)
        throw fail(FileReason::why(errno, backupFile));
    part.published();
    if (const int error = WholeFile::syncFolder(target.absolutePath()); error != 0)
        throw DbError(QStringLiteral("The backup copy %1 was written, but the disk did not confirm "
                                     "it: %2. Should the computer stop now, the previous backup "
                                     "may be found in its place.")
                          .arg(backupFile, FileReason::why(error, backupFile)));
}
