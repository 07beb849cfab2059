// The program as the menu entry starts it: on ~/Ledgerline or the folder given with
// --folder, made and filled on the first start, with the single-copy lock in that folder
// and not in the working one; help and version answered without a display.
#include "core/settings/SingleCopy.h"
#include "support/Drive.h"
#include "support/TestEnv.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

QProcessEnvironment environmentWithHome(const QString& home) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return env;
}

} // namespace

class TestProgramStart : public QObject {
    Q_OBJECT

private slots:
    void helpAndVersionNeedNoDisplay_data() {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("says");
        QTest::newRow("help") << "--help"
                              << "  -f, --folder FOLDER  work in FOLDER instead of ~/Ledgerline "
                                 "(%1/Ledgerline)\n";
        // The version the program shows is the version the package carries.
        QTest::newRow("version") << "--version"
                                 << "Ledgerline " LEDGERLINE_PACKAGE_VERSION "\n";
    }
    void helpAndVersionNeedNoDisplay() {
        QFETCH(QString, option);
        QFETCH(QString, says);
        QTemporaryDir home;
        QProcess program;
        QProcessEnvironment env = environmentWithHome(home.path());
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(LEDGERLINE_EXE), {option});
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        const QString out = QString::fromLocal8Bit(program.readAllStandardOutput());
        const QString expected = says.contains(QLatin1String("%1")) ? says.arg(home.path()) : says;
        QVERIFY2(out.contains(expected), qPrintable(out));
        QVERIFY(!QFileInfo::exists(home.filePath(QStringLiteral("Ledgerline"))));
    }

    void startsOnItsProgramFolder_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("folder"); // below the temporary home
        QTest::newRow("from the menu") << QStringList{} << "Ledgerline";
        QTest::newRow("on a chosen folder")
            << QStringList{"--folder", "Shop/Checks 2027"} << "work/Shop/Checks 2027";
    }
    void startsOnItsProgramFolder() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, folder);
        QTemporaryDir home;
        const QDir root(home.path());
        QVERIFY(root.mkpath(QStringLiteral("work")));
        const QDir programFolder(root.filePath(folder));

        QProcess program;
        program.setProcessEnvironment(environmentWithHome(home.path()));
        program.setWorkingDirectory(root.filePath(QStringLiteral("work")));
        program.start(QStringLiteral(LEDGERLINE_EXE), arguments);
        QVERIFY(program.waitForStarted());
        // The lock is taken once the folder is ready and before the password is asked.
        const QDeadlineTimer patience(30000);
        while (!QFileInfo::exists(programFolder.filePath(SingleCopy::kLockFile)) &&
               !patience.hasExpired() && program.state() == QProcess::Running)
            QTest::qWait(50);
        const bool running = program.state() == QProcess::Running;
        program.kill();
        program.waitForFinished();
        QVERIFY2(running, program.readAllStandardError().constData());

        for (const QString& name : {QStringLiteral("PC.OVL"), QStringLiteral("template.ref")})
            QCOMPARE(Drive::digest(programFolder.filePath(name)),
                     Drive::digest(TestEnv::shipped(name)));
        QVERIFY(!QFileInfo::exists(root.filePath(QStringLiteral("work/.ledgerline.lock"))));
    }
};

QTEST_MAIN(TestProgramStart)
#include "tst_programstart.moc"
