#include "core/platform/FileReason.h"

#include <cerrno>
#include <cstring>

QString FileReason::why(int error, const QString& fileName) {
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("the disk is full");
    case EFBIG:
        return QStringLiteral("it would be larger than the largest file this computer lets "
                              "Ledgerline write");
    case EACCES:
    case EPERM:
        return QStringLiteral("Ledgerline may not write in that folder");
    case EROFS:
        return QStringLiteral("the disk may only be read");
    case EISDIR:
        return QStringLiteral("a folder named %1 is in the way").arg(fileName);
    case EIO:
        return QStringLiteral("the disk reported an error");
    default:
        return QStringLiteral("the system reported an error (%1)")
            .arg(QString::fromLocal8Bit(std::strerror(error)).toLower());
    }
}
