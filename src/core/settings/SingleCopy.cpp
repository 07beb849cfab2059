#include "core/settings/SingleCopy.h"

#include <QSysInfo>

const QString SingleCopy::kLockFile = QStringLiteral(".ledgerline.lock");

SingleCopy::SingleCopy(const QDir& folder)
    : m_folder(QDir::toNativeSeparators(folder.absolutePath())),
      m_lock(folder.absoluteFilePath(kLockFile)) {
    // A copy may run for days; only a lock whose process is gone is stale, never an old one.
    m_lock.setStaleLockTime(0);
}

QString SingleCopy::claim() {
    if (m_lock.tryLock(0) || m_lock.error() != QLockFile::LockFailedError)
        return {};
    qint64 pid = 0;
    QString host;
    QString app;
    m_lock.getLockInfo(&pid, &host, &app);
    const QString where = host.isEmpty() || host == QSysInfo::machineHostName()
                              ? QString()
                              : QStringLiteral(" on the computer %1").arg(host);
    return QStringLiteral("Ledgerline is already running in the program folder %1%2. Use the "
                          "Ledgerline window that is open there; this copy stops without "
                          "changing anything.")
        .arg(m_folder, where);
}
