#include "core/settings/ProgramFolder.h"

#include "core/databases/CheckDb.h"
#include "core/databases/PartFile.h"
#include "core/databases/WholeFile.h"
#include "core/platform/DbError.h"
#include "core/platform/FileReason.h"
#include "core/settings/SettingsDb.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

#ifndef LEDGERLINE_SHARE_FROM_BIN
#define LEDGERLINE_SHARE_FROM_BIN "../share/ledgerline"
#endif

namespace {

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

/// Why a folder could not be made, to follow "could not make ... because".
QString folderReason(int error, const QString& path) {
    switch (error) {
    case EACCES:
    case EPERM:
        return QStringLiteral("Ledgerline may not make folders in %1")
            .arg(native(QFileInfo(path).absolutePath()));
    case ENOTDIR:
    case EEXIST:
        return QStringLiteral("%1 is a file, not a folder").arg(native(path));
    default:
        return FileReason::why(error, QFileInfo(path).fileName());
    }
}

DbError cannotMake(const QString& folder, int error, const QString& where) {
    return DbError(QStringLiteral("Ledgerline could not make its program folder %1 because %2.")
                       .arg(native(folder), folderReason(error, where)));
}

/// Makes `folder` and every folder above it that is missing, each for this user alone:
/// the program folder holds bank account numbers.
void makeFolder(const QString& folder) {
    QStringList missing;
    QString at = folder;
    while (!QFileInfo::exists(at) && !QFileInfo(at).isSymLink()) {
        missing.prepend(at);
        const QString up = QFileInfo(at).absolutePath();
        if (up == at)
            break;
        at = up;
    }
    if (QFileInfo::exists(at) && !QFileInfo(at).isDir())
        throw cannotMake(folder, ENOTDIR, at);
    for (const QString& path : missing) {
        if (::mkdir(QFile::encodeName(path).constData(), S_IRWXU) != 0 && errno != EEXIST)
            throw cannotMake(folder, errno, path);
        if (!QFileInfo(path).isDir())
            throw cannotMake(folder, ENOTDIR, path);
    }
}

/// Copies the shipped file `source` into `folder` as `name`, unless a file of that name
/// turns up meanwhile. True when this copy is the one now under that name.
bool copyIn(const QString& source, const QDir& folder, const QString& name) {
    auto fail = [&](int error) {
        return DbError(
            QStringLiteral("Ledgerline could not put its file %1 into its program "
                           "folder %2 because %3.")
                .arg(name, native(folder.absolutePath()), FileReason::why(error, name)));
    };
    QFile from(source);
    if (!from.open(QIODevice::ReadOnly))
        throw DbError(QStringLiteral("Ledgerline cannot read its own file %1. Install Ledgerline "
                                     "again.")
                          .arg(native(source)));
    PartFile part(folder, QStringLiteral("new"));
    if (!part.create())
        throw fail(errno);
    if (const int error = WholeFile::copy(from.handle(), part.handle()); error != 0)
        throw fail(error);
    if (::fsync(part.handle()) != 0)
        throw fail(errno);
    const int error = WholeFile::publish(part.path(), folder.filePath(name));
    if (error == EEXIST)
        return false;
    if (error != 0)
        throw fail(error);
    // A rename took the temporary file along; a copy left it behind, to be removed.
    if (!QFileInfo::exists(part.path()))
        part.published();
    return true;
}

} // namespace

QStringList ProgramFolder::shippedNames() {
    return {SettingsDb::kFileName, CheckDb::kTemplateFile};
}

QString ProgramFolder::standardPath() {
    return QDir(QDir::homePath()).filePath(QStringLiteral("Ledgerline"));
}

QString ProgramFolder::shippedFolder(const QString& applicationDir) {
    const QDir bin(applicationDir);
    for (const QString& candidate :
         {QString::fromUtf8(LEDGERLINE_SHARE_FROM_BIN), QStringLiteral("ship")}) {
        const QString folder = QDir::cleanPath(bin.absoluteFilePath(candidate));
        if (QFileInfo(QDir(folder).filePath(SettingsDb::kFileName)).isFile())
            return folder;
    }
    return {};
}

QStringList ProgramFolder::prepare(const QString& folderPath, const QString& shippedFolder) {
    const QString absolute = QDir::cleanPath(QDir(folderPath).absolutePath());
    makeFolder(absolute);
    const QDir folder(absolute);
    QStringList missing;
    for (const QString& name : shippedNames()) {
        // A link that leads nowhere is the user's too: it is not replaced.
        const QFileInfo there(folder.filePath(name));
        if (!there.exists() && !there.isSymLink())
            missing << name;
    }
    // Without an installation to copy from, the start-up check names the missing file.
    if (missing.isEmpty() || shippedFolder.isEmpty())
        return {};

    PartFile::removeStale(folder);
    QStringList copied;
    for (const QString& name : missing)
        if (copyIn(QDir(shippedFolder).filePath(name), folder, name))
            copied << name;
    // New names the disk did not confirm could vanish in a power cut; the next start
    // would simply copy them again, so there is nothing to undo.
    if (!copied.isEmpty())
        WholeFile::syncFolder(absolute);
    return copied;
}

QString ProgramFolder::writeProblem(const QString& folderPath) {
    PartFile probe(QDir(folderPath), QStringLiteral("new"));
    if (probe.create())
        return {};
    const int error = errno;
    const QString why = error == EACCES || error == EPERM
                            ? QStringLiteral("the folder's permissions forbid it")
                            : FileReason::why(error, QString());
    return QStringLiteral("Ledgerline may not write in its program folder %1 because %2. You "
                          "can look at your checks there, but no change can be stored. Let "
                          "Ledgerline write in that folder, or start it on another program "
                          "folder (ledgerline --folder FOLDER).")
        .arg(native(QDir(folderPath).absolutePath()), why);
}
