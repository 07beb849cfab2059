#include "support/Drive.h"

#include <QAction>
#include <QCryptographicHash>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

QLineEdit* Drive::box(QWidget* screen, const QString& name) {
    auto* b = screen ? screen->findChild<QLineEdit*>(name) : nullptr;
    if (!b)
        QTest::qFail(qPrintable(QStringLiteral("no box ") + name), __FILE__, __LINE__);
    return b;
}

void Drive::typeInto(QWidget* screen, const QString& name, const QString& text) {
    QLineEdit* b = box(screen, name);
    if (!b)
        return;
    b->selectAll();
    QTest::keyClick(b, Qt::Key_Delete);
    QTest::keyClicks(b, text);
}

void Drive::click(QWidget* screen, const QString& button) {
    auto* b = screen ? screen->findChild<QPushButton*>(button) : nullptr;
    if (!b) {
        QTest::qFail(qPrintable(QStringLiteral("no button ") + button), __FILE__, __LINE__);
        return;
    }
    QTest::mouseClick(b, Qt::LeftButton);
}

void Drive::trigger(QWidget* screen, const QString& action) {
    auto* a = screen ? screen->findChild<QAction*>(action) : nullptr;
    if (!a) {
        QTest::qFail(qPrintable(QStringLiteral("no menu entry ") + action), __FILE__, __LINE__);
        return;
    }
    a->trigger();
}

QByteArray Drive::digest(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}
