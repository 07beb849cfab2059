// The program folder of an installed Ledgerline: chosen on the command line or
// ~/Ledgerline, made on the first start and given the shipped files where they are
// missing, never replacing a file; a folder that cannot be made or written is told.
#include "core/platform/DbError.h"
#include "core/settings/ProgramFolder.h"
#include "core/settings/StartOptions.h"
#include "support/Child.h"
#include "support/Drive.h"
#include "support/FileSizeLimit.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString shippedFolder() {
    return QFileInfo(TestEnv::shipped(QStringLiteral("PC.OVL"))).path();
}

void write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

/// The folder's files (hidden ones too) with a fingerprint of each, to see what changed.
QStringList contents(const QString& folder) {
    QStringList out;
    const QDir dir(folder);
    for (const QFileInfo& f : dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (f.isSymLink())
            out << f.fileName() + QStringLiteral(" -> ") + f.symLinkTarget();
        else
            out << f.fileName() + QLatin1Char(' ') +
                       QString::fromLatin1(Drive::digest(f.filePath()).toHex());
    }
    return out;
}

/// A folder an ordinary user may enter but not change; restored for removal.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString& path) : m_path(path) {
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                        QFileDevice::ReadOther | QFileDevice::ExeOther);
    }
    ~ReadOnlyFolder() {
        QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner);
    }

private:
    QString m_path;
};

} // namespace

class TestProgramFolder : public QObject {
    Q_OBJECT

private slots:
    void theFirstStartFillsOnlyWhatIsMissing_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QStringList>("copied");
        QTest::newRow("no folder yet, two levels deep")
            << "none" << QStringList{"PC.OVL", "template.ref"};
        QTest::newRow("an empty folder") << "empty" << QStringList{"PC.OVL", "template.ref"};
        QTest::newRow("the user's own settings") << "own settings" << QStringList{"template.ref"};
        QTest::newRow("everything there") << "complete" << QStringList{};
        QTest::newRow("a link that leads nowhere") << "dangling link" << QStringList{"PC.OVL"};
    }
    void theFirstStartFillsOnlyWhatIsMissing() {
        QFETCH(QString, before);
        QFETCH(QStringList, copied);
        QTemporaryDir home;
        const QString folder = home.filePath(QStringLiteral("Office/Ledgerline"));
        if (before != QLatin1String("none"))
            QVERIFY(QDir().mkpath(folder));
        const QDir dir(folder);
        if (before == QLatin1String("own settings") || before == QLatin1String("complete"))
            write(dir.filePath("PC.OVL"), "the user's own settings, whatever they hold");
        if (before == QLatin1String("complete"))
            write(dir.filePath("template.ref"), "");
        if (before == QLatin1String("dangling link"))
            QVERIFY(QFile::link(home.filePath("gone"), dir.filePath("template.ref")));
        const QStringList kept = contents(folder);

        QCOMPARE(ProgramFolder::prepare(folder, shippedFolder()), copied);

        for (const QString& name : ProgramFolder::shippedNames()) {
            const QString there = dir.filePath(name);
            if (copied.contains(name))
                QCOMPARE(Drive::digest(there), Drive::digest(TestEnv::shipped(name)));
        }
        QStringList now = contents(folder);
        for (const QString& name : copied)
            now.removeIf([&](const QString& line) { return line.startsWith(name + ' '); });
        QCOMPARE(now, kept); // what was there is untouched, and nothing was left beside it
        if (before == QLatin1String("none")) // the checks' folder is the user's alone
            QCOMPARE(QFileInfo(folder).permissions() & 0x0077, QFileDevice::Permissions());
        // A second start finds nothing to do.
        QCOMPARE(ProgramFolder::prepare(folder, shippedFolder()), QStringList());
    }

    // Without the installation's files the folder is still made; the start-up check then
    // names the file that is missing.
    void noInstallationToCopyFrom() {
        QTemporaryDir home;
        const QString folder = home.filePath(QStringLiteral("Ledgerline"));
        QCOMPARE(ProgramFolder::prepare(folder, QString()), QStringList());
        QVERIFY(QFileInfo(folder).isDir());
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList());
    }

    void foldersThatCannotBeUsedAreNamed_data() {
        QTest::addColumn<QString>("trouble");
        QTest::addColumn<QString>("says");
        QTest::newRow("a file where the folder should be")
            << "file in the way"
            << "Ledgerline could not make its program folder %1/Ledgerline because "
               "%1/Ledgerline is a file, not a folder.";
        QTest::newRow("a file where a folder above it should be")
            << "file above"
            << "Ledgerline could not make its program folder %1/Ledgerline/Shop because "
               "%1/Ledgerline is a file, not a folder.";
        QTest::newRow("no right to make folders")
            << "read-only above"
            << "Ledgerline could not make its program folder %1/Ledgerline because Ledgerline "
               "may not make folders in %1.";
        QTest::newRow("no right to write the missing settings")
            << "read-only folder"
            << "Ledgerline could not put its file PC.OVL into its program folder %1/Ledgerline "
               "because Ledgerline may not write in that folder.";
        QTest::newRow("a file-size limit below the settings file")
            << "size limit"
            << "Ledgerline could not put its file PC.OVL into its program folder %1/Ledgerline "
               "because it would be larger than the largest file this computer lets Ledgerline "
               "write.";
    }
    void foldersThatCannotBeUsedAreNamed() {
        QFETCH(QString, trouble);
        QFETCH(QString, says);
        QTemporaryDir home;
        QFile::setPermissions(home.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                               QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                               QFileDevice::ExeOther);
        const QString base = home.filePath(QStringLiteral("Ledgerline"));
        QString folder = base;
        if (trouble == QLatin1String("file in the way"))
            write(base, "a letter to the bank");
        if (trouble == QLatin1String("file above")) {
            write(base, "a letter to the bank");
            folder = base + QStringLiteral("/Shop");
        }
        if (trouble == QLatin1String("read-only folder") || trouble == QLatin1String("size limit"))
            QVERIFY(QDir().mkpath(base));
        const QStringList before = contents(home.path());

        QString said;
        if (trouble.startsWith(QLatin1String("read-only"))) {
            // The superuser may write anywhere, so an ordinary user's process tries.
            ReadOnlyFolder readOnly(trouble == QLatin1String("read-only above") ? home.path()
                                                                                : base);
            const Child::Outcome outcome = Child::run(
                {QStringLiteral("prepare"), folder, shippedFolder()}, Child::asOrdinaryUser());
            said = outcome.lines.value(0);
        } else {
            try {
                FileSizeLimit limit(trouble == QLatin1String("size limit") ? 4096 : RLIM_INFINITY);
                ProgramFolder::prepare(folder, shippedFolder());
            } catch (const DbError& e) {
                said = e.message();
            }
        }
        QCOMPARE(said, says.arg(home.path()));
        QCOMPARE(contents(home.path()), before);
        if (QFileInfo(base).isDir())
            QCOMPARE(QDir(base).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                     QStringList());
    }

    void aFolderThatMayOnlyBeReadIsTold() {
        QTemporaryDir home;
        const QString folder = home.filePath(QStringLiteral("Ledgerline"));
        QCOMPARE(ProgramFolder::prepare(folder, shippedFolder()).size(), 2);
        QCOMPARE(ProgramFolder::writeProblem(folder), QString());
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{"PC.OVL", "template.ref"}));

        QFile::setPermissions(home.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                               QFileDevice::ExeOwner | QFileDevice::ExeOther);
        for (const QString& name : ProgramFolder::shippedNames())
            QFile::setPermissions(QDir(folder).filePath(name),
                                  QFileDevice::ReadOwner | QFileDevice::ReadOther);
        ReadOnlyFolder readOnly(folder);
        const Child::Outcome outcome = Child::run(
            {QStringLiteral("prepare"), folder, shippedFolder()}, Child::asOrdinaryUser());
        QCOMPARE(outcome.lines,
                 (QStringList{
                     "", QStringLiteral("Ledgerline may not write in its program folder %1 because "
                                        "the folder's permissions forbid it. You can look at your "
                                        "checks there, but no change can be stored. Let Ledgerline "
                                        "write in that folder, or start it on another program "
                                        "folder (ledgerline --folder FOLDER).")
                             .arg(folder)}));
    }

    void theShippedFilesAreFoundBesideTheProgram_data() {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("found");
        QTest::newRow("installed in a prefix") << "prefix"
                                               << "share/ledgerline";
        QTest::newRow("a build") << "build"
                                 << "bin/ship";
        QTest::newRow("neither") << "none"
                                 << "";
        QTest::newRow("a share folder without the settings") << "empty share"
                                                             << "";
    }
    void theShippedFilesAreFoundBesideTheProgram() {
        QFETCH(QString, layout);
        QFETCH(QString, found);
        QTemporaryDir prefix;
        const QDir root(prefix.path());
        QVERIFY(root.mkpath(QStringLiteral("bin")));
        if (layout == QLatin1String("prefix") || layout == QLatin1String("empty share"))
            QVERIFY(root.mkpath(QStringLiteral("share/ledgerline")));
        if (layout == QLatin1String("prefix"))
            write(root.filePath("share/ledgerline/PC.OVL"), "settings");
        if (layout == QLatin1String("build")) {
            QVERIFY(root.mkpath(QStringLiteral("bin/ship")));
            write(root.filePath("bin/ship/PC.OVL"), "settings");
        }
        QCOMPARE(ProgramFolder::shippedFolder(root.filePath(QStringLiteral("bin"))),
                 found.isEmpty() ? QString() : root.filePath(found));
    }

    void theCommandLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("folder"); // ~ for the home folder, . for the working one
        QTest::addColumn<QString>("error");
        QTest::addColumn<QString>("asks"); // help, version or nothing
        const QString none;
        QTest::newRow("nothing") << QStringList{} << "~/Ledgerline" << none << none;
        QTest::newRow("a folder") << QStringList{"--folder", "/srv/checks"} << "/srv/checks" << none
                                  << none;
        QTest::newRow("a folder, short")
            << QStringList{"-f", "/srv/checks/"} << "/srv/checks" << none << none;
        QTest::newRow("a folder with =")
            << QStringList{"--folder=/srv/a b/../checks"} << "/srv/checks" << none << none;
        QTest::newRow("a folder below the working one")
            << QStringList{"--folder", "run"} << "./run" << none << none;
        QTest::newRow("the working folder") << QStringList{"--folder", "."} << "." << none << none;
        QTest::newRow("a home folder no shell expanded")
            << QStringList{"--folder=~/Shop Checks"} << "~/Shop Checks" << none << none;
        QTest::newRow("the home folder itself")
            << QStringList{"--folder", "~"} << "~" << none << none;
        QTest::newRow("someone else's home is a name")
            << QStringList{"--folder", "~ann"} << "./~ann" << none << none;
        QTest::newRow("help") << QStringList{"--help"} << "~/Ledgerline" << none << "help";
        QTest::newRow("version") << QStringList{"-v"} << "~/Ledgerline" << none << "version";
        QTest::newRow("no folder after --folder") << QStringList{"--folder"} << "~/Ledgerline"
                                                  << "Missing value after '--folder'." << none;
        QTest::newRow("an empty folder") << QStringList{"--folder", ""} << "~/Ledgerline"
                                         << "The folder given with --folder is empty." << none;
        QTest::newRow("two folders")
            << QStringList{"--folder", "/a", "--folder", "/b"} << "~/Ledgerline"
            << "Only one program folder can be given with --folder." << none;
        QTest::newRow("an unknown option") << QStringList{"--colour", "green"} << "~/Ledgerline"
                                           << "Unknown option 'colour'." << none;
        QTest::newRow("a file name")
            << QStringList{"Shop.mdb"} << "~/Ledgerline"
            << "Ledgerline does not open Shop.mdb by itself; to work in another program folder, "
               "start it with --folder FOLDER."
            << none;
    }
    void theCommandLine() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, folder);
        QFETCH(QString, error);
        QFETCH(QString, asks);
        const StartOptions options(QStringList{"ledgerline"} + arguments);
        QCOMPARE(options.error(), error);
        if (folder.startsWith('~'))
            folder = QDir::homePath() + folder.mid(1);
        else if (folder.startsWith('.'))
            folder = QDir::currentPath() + folder.mid(1);
        QCOMPARE(options.folder(), QDir::cleanPath(folder));
        QCOMPARE(options.wantsHelp(), asks == QLatin1String("help"));
        QCOMPARE(options.wantsVersion(), asks == QLatin1String("version"));
    }
};

QTEST_MAIN(TestProgramFolder)
#include "tst_programfolder.moc"
