#include "gui/databases/BackupAndExit.h"

#include "core/databases/DatabaseFiles.h"
#include "core/platform/Failure.h"
#include "core/platform/Program.h"
#include "core/settings/SettingsRecord.h"
#include "gui/app/AppContext.h"

#include <QApplication>
#include <QPointer>
#include <QScopeGuard>
#include <QWidget>

void BackupAndExit(AppContext& context, SettingsRecord* settings,
                   const std::function<void()>& closeDataEntry) {
    Program& program = context.program();
    // A flag that cannot be read counts as No: the program ends as asked, only without a
    // backup.
    bool wanted = false;
    if (settings)
        skipIfFails([&] { wanted = settings->backupAtExit(); });
    if (!wanted) {
        program.end();
        return;
    }

    QPointer<QWidget> notice = context.openPleaseWait();
    const QString current = program.currentDatabase();
    closeDataEntry();
    QApplication::processEvents();

    tellIfFails(context.prompter(), [&] {
        // The notice goes before a failure is told.
        const auto closeNotice = qScopeGuard([&] {
            if (notice)
                notice->close();
        });
        DatabaseFiles::backup(program.path(current),
                              program.path(DatabaseFiles::backupName(program.folder(), current)));
    });
    program.end();
}
