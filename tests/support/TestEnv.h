#pragma once

#include "core/platform/Clock.h"
#include "core/platform/Program.h"
#include "core/platform/RecordingPrinter.h"
#include "gui/app/AppContext.h"
#include "support/ScriptedPrintDialogs.h"
#include "support/ScriptedPrompter.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QWidget>

/// A program folder of its own for one test: the shipped PC.OVL and template.ref, a fixed
/// "today" (December 7, 2026), a scripted prompter, a printer that has the MICR font, and
/// a program whose end is recorded instead of quitting; the printing dialogs are scripted.
class TestEnv {
public:
    TestEnv();
    ~TestEnv();

    QString path(const QString& name) const { return program.path(name); }
    QString folderPath() const { return m_dir.path(); }

    /// The visible top-level window of that object name, or null.
    template <class T = QWidget> static T* screen(const QString& objectName) {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == objectName && w->isVisible())
                return qobject_cast<T*>(w);
        return nullptr;
    }
    /// Object names of every visible top-level window.
    static QStringList openScreens();
    /// The database chooser on the screen, once it has listed the program folder (which it
    /// does once painted); null when none is open, or it never lists.
    static QWidget* listedChooser();
    static void closeAllScreens();

    /// Copies a shipped file (built next to the tests) into the folder.
    static QString shipped(const QString& name);

    /// Lets the event loop run until the program ends (once more since the last call), as
    /// the exit routine finishes from the event loop. False when it does not end: a safety
    /// net against a test that would hang, not a measure of time.
    bool programEnds();

private:
    QTemporaryDir m_dir;
    int m_ends = 0;     // how often the program was ended
    int m_endsSeen = 0; // of those, how many programEnds() has waited for

public:
    Program program;
    ScriptedPrompter prompter;
    FixedClock clock;
    RecordingPrinter printer;
    ScriptedPrintDialogs printDialogs;
    AppContext context;
};
