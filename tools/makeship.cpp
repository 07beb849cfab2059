// Writes the shipped files into the folder named on the command line: the settings
// database PC.OVL and the empty check database template.ref, both from the schema in the
// code. Existing copies there are replaced only once the new ones are complete.
#include "core/settings/SettingsDb.h"
#include "core/databases/CheckDb.h"
#include "core/platform/DbError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdio>
#include <functional>

namespace {

bool writeFile(const QDir& dir, const QString& name,
               const std::function<void(const QString&)>& make) {
    const QString part = dir.filePath(name + QStringLiteral(".part"));
    QFile::remove(part);
    try {
        make(part);
    } catch (const DbError& e) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(name), qPrintable(e.message()));
        QFile::remove(part);
        return false;
    }
    const QString target = dir.filePath(name);
    QFile::remove(target);
    if (!QFile::rename(part, target)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(target));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: ledgerline-ship FOLDER\n");
        return 2;
    }
    QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot make %s\n", argv[1]);
        return 1;
    }
    const bool ok = writeFile(dir, SettingsDb::kFileName, SettingsDb::createShipped) &&
                    writeFile(dir, CheckDb::kTemplateFile, CheckDb::createTemplate);
    return ok ? 0 : 1;
}
