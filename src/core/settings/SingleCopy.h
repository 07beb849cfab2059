#pragma once

#include <QDir>
#include <QLockFile>
#include <QString>

/// One Ledgerline per program folder. Two copies on one folder would each keep their own
/// view of the same checks: the last to store wins, and neither sees what the other
/// deleted. The first copy holds a lock file in the folder for as long as it runs; a lock
/// left by a copy that crashed is taken over, since its process is gone.
class SingleCopy {
public:
    /// The lock file in the program folder.
    static const QString kLockFile;

    explicit SingleCopy(const QDir& folder);

    /// Takes the folder for this process. Returns why it may not, in one message, when
    /// another running Ledgerline holds it; empty otherwise. A folder that allows no lock
    /// file at all (read-only, full) is no reason to stop: nothing can be stored there by
    /// either copy, and the user may still want to read the checks.
    QString claim();

private:
    QString m_folder;
    QLockFile m_lock;
};
