#include "core/platform/ServerLocation.h"

#include <QFileInfo>

namespace {
const QString kPrefix = QStringLiteral("server:");
}

bool ServerLocation::is(const QString& path) {
    return path.startsWith(kPrefix);
}

QString ServerLocation::of(const QString& name) {
    return kPrefix + name;
}

QString ServerLocation::name(const QString& location) {
    return location.mid(kPrefix.size());
}

QString ServerLocation::displayName(const QString& path) {
    if (is(path))
        return QStringLiteral("%1 (on the server)").arg(name(path));
    return QFileInfo(path).fileName();
}
