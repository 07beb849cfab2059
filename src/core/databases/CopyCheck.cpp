#include "core/databases/CopyCheck.h"

#include <QFileInfo>
#include <QUrl>
#include <cstdint>
#include <sqlite3.h>

namespace {

// The check opens the copy through a file system layer of its own, which hands every read
// to SQLite's usual one once the copier has written that far.
constexpr const char* kVfsName = "ledgerline-copycheck";
constexpr const char* kCopyParameter = "copycheck";

struct FollowingFile {
    sqlite3_file base;
    CopyCheck* copy; // the copy being written; null where reads need not wait
    sqlite3_file* real() { return reinterpret_cast<sqlite3_file*>(this + 1); }
};

FollowingFile* following(sqlite3_file* file) {
    return reinterpret_cast<FollowingFile*>(file);
}

sqlite3_file* real(sqlite3_file* file) {
    return following(file)->real();
}

int closeFile(sqlite3_file* f) {
    return real(f)->pMethods->xClose(real(f));
}

int readFile(sqlite3_file* f, void* buffer, int amount, sqlite3_int64 offset) {
    CopyCheck* copy = following(f)->copy;
    if (copy && !copy->waitFor(offset + amount))
        return SQLITE_IOERR_READ;
    if (copy)
        copy->read(amount);
    return real(f)->pMethods->xRead(real(f), buffer, amount, offset);
}

int writeFile(sqlite3_file* f, const void* buffer, int amount, sqlite3_int64 offset) {
    return real(f)->pMethods->xWrite(real(f), buffer, amount, offset);
}

int truncateFile(sqlite3_file* f, sqlite3_int64 size) {
    return real(f)->pMethods->xTruncate(real(f), size);
}

int syncFile(sqlite3_file* f, int flags) {
    return real(f)->pMethods->xSync(real(f), flags);
}

int fileSize(sqlite3_file* f, sqlite3_int64* size) {
    // The size the copy will have: the file on the disk is still growing.
    if (CopyCheck* copy = following(f)->copy) {
        *size = copy->size();
        return SQLITE_OK;
    }
    return real(f)->pMethods->xFileSize(real(f), size);
}

int lockFile(sqlite3_file* f, int level) {
    return real(f)->pMethods->xLock(real(f), level);
}

int unlockFile(sqlite3_file* f, int level) {
    return real(f)->pMethods->xUnlock(real(f), level);
}

int checkReservedLock(sqlite3_file* f, int* out) {
    return real(f)->pMethods->xCheckReservedLock(real(f), out);
}

int fileControl(sqlite3_file* f, int op, void* arg) {
    return real(f)->pMethods->xFileControl(real(f), op, arg);
}

int sectorSize(sqlite3_file* f) {
    return real(f)->pMethods->xSectorSize(real(f));
}

int deviceCharacteristics(sqlite3_file* f) {
    return real(f)->pMethods->xDeviceCharacteristics(real(f));
}

int shmMap(sqlite3_file* f, int region, int size, int extend, void volatile** out) {
    if (real(f)->pMethods->iVersion < 2)
        return SQLITE_IOERR;
    return real(f)->pMethods->xShmMap(real(f), region, size, extend, out);
}

int shmLock(sqlite3_file* f, int offset, int n, int flags) {
    if (real(f)->pMethods->iVersion < 2)
        return SQLITE_IOERR;
    return real(f)->pMethods->xShmLock(real(f), offset, n, flags);
}

void shmBarrier(sqlite3_file* f) {
    if (real(f)->pMethods->iVersion >= 2)
        real(f)->pMethods->xShmBarrier(real(f));
}

int shmUnmap(sqlite3_file* f, int deleteFlag) {
    if (real(f)->pMethods->iVersion < 2)
        return SQLITE_OK;
    return real(f)->pMethods->xShmUnmap(real(f), deleteFlag);
}

int fetch(sqlite3_file* f, sqlite3_int64 offset, int amount, void** out) {
    // Mapped into memory only once complete (a mapping is made as large as the file is
    // then); before that SQLite reads the pages one by one.
    *out = nullptr;
    CopyCheck* copy = following(f)->copy;
    if ((copy && !copy->complete()) || real(f)->pMethods->iVersion < 3)
        return SQLITE_OK;
    return real(f)->pMethods->xFetch(real(f), offset, amount, out);
}

int unfetch(sqlite3_file* f, sqlite3_int64 offset, void* page) {
    if (real(f)->pMethods->iVersion < 3)
        return SQLITE_OK;
    return real(f)->pMethods->xUnfetch(real(f), offset, page);
}

const sqlite3_io_methods kMethods = {
    3,
    closeFile,
    readFile,
    writeFile,
    truncateFile,
    syncFile,
    fileSize,
    lockFile,
    unlockFile,
    checkReservedLock,
    fileControl,
    sectorSize,
    deviceCharacteristics,
    shmMap,
    shmLock,
    shmBarrier,
    shmUnmap,
    fetch,
    unfetch,
};

sqlite3_vfs* base(sqlite3_vfs* vfs) {
    return static_cast<sqlite3_vfs*>(vfs->pAppData);
}

int openFile(sqlite3_vfs* vfs, sqlite3_filename name, sqlite3_file* file, int flags,
             int* outFlags) {
    FollowingFile* f = following(file);
    f->copy = nullptr;
    if (name && (flags & SQLITE_OPEN_MAIN_DB))
        f->copy = reinterpret_cast<CopyCheck*>(
            static_cast<std::uintptr_t>(sqlite3_uri_int64(name, kCopyParameter, 0)));
    const int rc = base(vfs)->xOpen(base(vfs), name, f->real(), flags, outFlags);
    f->base.pMethods = f->real()->pMethods ? &kMethods : nullptr;
    return rc;
}

sqlite3_vfs* followingVfs() {
    static sqlite3_vfs* registered = [] {
        static sqlite3_vfs vfs{};
        sqlite3_vfs* os = sqlite3_vfs_find(nullptr);
        vfs.iVersion = 2;
        vfs.szOsFile = int(sizeof(FollowingFile)) + os->szOsFile;
        vfs.mxPathname = os->mxPathname;
        vfs.zName = kVfsName;
        vfs.pAppData = os;
        vfs.xOpen = openFile;
        vfs.xDelete = [](sqlite3_vfs* v, const char* n, int d) {
            return base(v)->xDelete(base(v), n, d);
        };
        vfs.xAccess = [](sqlite3_vfs* v, const char* n, int f, int* out) {
            return base(v)->xAccess(base(v), n, f, out);
        };
        vfs.xFullPathname = [](sqlite3_vfs* v, const char* n, int size, char* out) {
            return base(v)->xFullPathname(base(v), n, size, out);
        };
        vfs.xDlOpen = [](sqlite3_vfs* v, const char* n) { return base(v)->xDlOpen(base(v), n); };
        vfs.xDlError = [](sqlite3_vfs* v, int size, char* out) {
            base(v)->xDlError(base(v), size, out);
        };
        vfs.xDlSym = [](sqlite3_vfs* v, void* h, const char* s) {
            return base(v)->xDlSym(base(v), h, s);
        };
        vfs.xDlClose = [](sqlite3_vfs* v, void* h) { base(v)->xDlClose(base(v), h); };
        vfs.xRandomness = [](sqlite3_vfs* v, int size, char* out) {
            return base(v)->xRandomness(base(v), size, out);
        };
        vfs.xSleep = [](sqlite3_vfs* v, int us) { return base(v)->xSleep(base(v), us); };
        vfs.xCurrentTime = [](sqlite3_vfs* v, double* out) {
            return base(v)->xCurrentTime(base(v), out);
        };
        vfs.xGetLastError = [](sqlite3_vfs* v, int size, char* out) {
            return base(v)->xGetLastError(base(v), size, out);
        };
        vfs.xCurrentTimeInt64 = [](sqlite3_vfs* v, sqlite3_int64* out) {
            return base(v)->xCurrentTimeInt64(base(v), out);
        };
        return sqlite3_vfs_register(&vfs, 0) == SQLITE_OK ? &vfs : nullptr;
    }();
    return registered;
}

struct Connection {
    sqlite3* db = nullptr;
    ~Connection() { sqlite3_close(db); }
};

} // namespace

CopyCheck::CopyCheck(qint64 size) : m_size(size) {}

void CopyCheck::written(qint64 bytes) {
    {
        const std::lock_guard lock(m_mutex);
        m_written = qMax(m_written, bytes);
    }
    m_changed.notify_all();
}

void CopyCheck::finished(int error) {
    {
        const std::lock_guard lock(m_mutex);
        if (m_finished)
            return;
        m_finished = true;
        m_error = error;
    }
    m_changed.notify_all();
}

bool CopyCheck::waitFor(qint64 end) {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [&] { return m_written >= end || m_finished; });
    // Past the end of a complete copy the file itself answers: a short read.
    return m_written >= end || m_error == 0;
}

bool CopyCheck::complete() {
    const std::lock_guard lock(m_mutex);
    return m_finished && m_error == 0;
}

int CopyCheck::checkComplete(const QString& path) {
    CopyCheck whole(QFileInfo(path).size());
    whole.finished(0);
    return whole.check(path);
}

int CopyCheck::check(const QString& path) {
    if (!followingVfs())
        return SQLITE_ERROR;
    Connection copy;
    // Nobody else knows the file, so SQLite may skip its locks ("immutable").
    const QString uri = QStringLiteral("file:%1?immutable=1&%2=%3")
                            .arg(QString::fromUtf8(QUrl::toPercentEncoding(path, "/")),
                                 QString::fromLatin1(kCopyParameter))
                            .arg(quintptr(this));
    int rc = sqlite3_open_v2(uri.toUtf8().constData(), &copy.db,
                             SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, kVfsName);
    if (rc != SQLITE_OK)
        return rc;
    // Once the copy is complete, mapping it saves copying every page into the cache; only
    // a shortcut: without it the check reads the pages the usual way.
    const QByteArray mmap = QByteArrayLiteral("PRAGMA mmap_size=") + QByteArray::number(m_size);
    sqlite3_exec(copy.db, mmap.constData(), nullptr, nullptr, nullptr);
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
