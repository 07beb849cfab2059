#include "support/TestEnv.h"

#include "gui/databases/FileOpen.h"

#include <QFile>
#include <QPointer>
#include <QRegularExpression>
#include <QTest>

QString TestEnv::shipped(const QString& name) {
    const QString dir =
        qEnvironmentVariable("LEDGERLINE_SHIP_DIR", QStringLiteral(LEDGERLINE_SHIP_DIR_DEFAULT));
    return dir + QLatin1Char('/') + name;
}

TestEnv::TestEnv()
    : program(m_dir.path()), clock(QDate(2026, 12, 7)),
      printer(
          {QStringLiteral("Times New Roman"), QStringLiteral("MICR65"), QStringLiteral("Arial")}),
      context(program, prompter, clock, printer) {
    context.setPrintDialogs(printDialogs);
    program.setOnEnd([this](int) { ++m_ends; });
    // A form that connects a control to a handler the screen lacks only warns; in a test it
    // fails.
    QTest::failOnWarning(QRegularExpression(QStringLiteral("^QObject::connect")));
    for (const QString& name : {QStringLiteral("PC.OVL"), QStringLiteral("template.ref")})
        if (!QFile::copy(shipped(name), path(name)))
            QTest::qFail(qPrintable(QStringLiteral("cannot copy the shipped ") + name), __FILE__,
                         __LINE__);
    for (const QString& name : {QStringLiteral("PC.OVL"), QStringLiteral("template.ref")})
        QFile(path(name)).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

TestEnv::~TestEnv() {
    closeAllScreens();
}

bool TestEnv::programEnds() {
    if (!QTest::qWaitFor([this] { return m_ends > m_endsSeen; }, 120'000))
        return false;
    m_endsSeen = m_ends;
    return true;
}

QWidget* TestEnv::listedChooser() {
    auto* chooser = screen<FileOpen>(QStringLiteral("FileOpen"));
    if (!chooser || !QTest::qWaitFor([&] { return chooser->listed(); }, 30'000))
        return nullptr;
    return chooser;
}

QStringList TestEnv::openScreens() {
    QStringList names;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && !w->objectName().isEmpty())
            names << w->objectName();
    names.sort();
    return names;
}

void TestEnv::closeAllScreens() {
    // Windows are taken down without their close handlers, which would act as the user
    // leaving the program (the data-entry screen backs up the database).
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QList<QPointer<QWidget>> windows;
    for (QWidget* w : QApplication::topLevelWidgets())
        windows << w;
    for (const QPointer<QWidget>& w : windows)
        if (w && !w->parentWidget() && w->testAttribute(Qt::WA_DeleteOnClose))
            delete w.data();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}
