// One Ledgerline per program folder: a second copy is told and touches nothing; a crashed
// copy's lock does not keep the next one out.
#include "core/settings/SingleCopy.h"
#include "support/Child.h"
#include "support/Drive.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QTest>

namespace {

/// Every file of the folder with a fingerprint of its bytes.
QStringList snapshot(const QString& folder) {
    QStringList out;
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden))
        out << name + QLatin1Char(' ') +
                   QString::fromLatin1(Drive::digest(dir.filePath(name)).toHex());
    return out;
}

} // namespace

class TestSingleCopy : public QObject {
    Q_OBJECT

private slots:
    void oneCopyPerFolder_data() {
        QTest::addColumn<QString>("other");
        QTest::addColumn<QString>("says");
        QTest::newRow("no other copy") << "none"
                                       << "";
        QTest::newRow("another copy running")
            << "running"
            << "Ledgerline is already running in the program folder %1. Use the Ledgerline "
               "window that is open there; this copy stops without changing anything.";
        QTest::newRow("another copy crashed") << "crashed"
                                              << "";
    }
    void oneCopyPerFolder() {
        QFETCH(QString, other);
        QFETCH(QString, says);
        TestEnv env;
        std::unique_ptr<Child> first;
        if (other != QLatin1String("none")) {
            first = std::make_unique<Child>(QStringList{"hold-folder", env.folderPath()});
            QCOMPARE(first->firstLine(), QStringLiteral("ready"));
        }
        if (other == QLatin1String("crashed")) {
            first->kill();
            QVERIFY(QFile::exists(env.path(SingleCopy::kLockFile)));
        }
        const QStringList before = snapshot(env.folderPath());

        SingleCopy second(env.program.folder());
        const QString said = second.claim();

        if (says.isEmpty()) {
            QCOMPARE(said, QString());
            // Now this copy holds the folder against the next one.
            Child third({QStringLiteral("hold-folder"), env.folderPath()});
            QVERIFY2(third.firstLine().startsWith(QStringLiteral("Ledgerline is already running")),
                     qPrintable(third.firstLine()));
        } else {
            QCOMPARE(said, says.arg(env.folderPath()));
            QCOMPARE(snapshot(env.folderPath()), before);
        }
    }
};

QTEST_MAIN(TestSingleCopy)
#include "tst_singlecopy.moc"
