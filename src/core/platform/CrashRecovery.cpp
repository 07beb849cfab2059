#include "core/platform/CrashRecovery.h"

#include "core/platform/DbError.h"

#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

namespace {

constexpr int kBusyTimeoutMs = 5000;

} // namespace

bool CrashRecovery::hasLeftovers(const QString& path) {
    for (const char* suffix : {"-journal", "-wal"}) {
        const QFileInfo leftover(path + QLatin1String(suffix));
        if (leftover.exists() && leftover.size() > 0)
            return true;
    }
    return false;
}

void CrashRecovery::rollBack(const QString& path) {
    if (!hasLeftovers(path))
        return;
    sqlite3* db = nullptr;
    const QByteArray name = QFile::encodeName(path);
    int rc = sqlite3_open_v2(name.constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_extended_result_codes(db, 1);
        sqlite3_busy_timeout(db, kBusyTimeoutMs);
        // The first read takes the shared lock, and with it SQLite plays the journal back.
        rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    }
    if (rc != SQLITE_OK) {
        const int code = db ? sqlite3_extended_errcode(db) : rc;
        const QString why = QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
        sqlite3_close(db);
        throw DbError::fromCode(code, why, path);
    }
    // Only read through, with no statement left open: the close has nothing to report.
    sqlite3_close(db);
}
