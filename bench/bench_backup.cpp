// The backup at exit, its check of the copy included, against `cp` followed by `sync` of the
// same 1,000,000-check database (goal: at most 1.5 times).
#include "BenchData.h"
#include "Goals.h"
#include "core/databases/DatabaseFiles.h"

#include <QFile>
#include <cstdlib>

int main(int argc, char** argv) {
    Goals::start(argc, argv);
    const QString source = BenchData::checkDatabase(1'000'000);
    const QString backup = source + QStringLiteral(".bak");
    const QString copy = source + QStringLiteral(".cp");
    // Each sample writes a new file, as the first backup of a database does.
    const std::string cp = "cp '" + source.toStdString() + "' '" + copy.toStdString() +
                           "' && sync '" + copy.toStdString() + "'";
    Goals::measure({QStringLiteral("backup, 1,000,000 checks, vs cp + sync"), 1.5,
                    Goals::timed([&] { QFile::remove(backup); },
                                 [&] { DatabaseFiles::backup(source, backup); }),
                    Goals::timed([&] { QFile::remove(copy); },
                                 [&] {
                                     if (std::system(cp.c_str()) != 0)
                                         qFatal("cp failed");
                                 }),
                    7});
    QFile::remove(backup);
    QFile::remove(copy);
    return Goals::finish();
}
