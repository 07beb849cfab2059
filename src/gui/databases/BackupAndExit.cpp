#include "gui/databases/BackupAndExit.h"

#include "core/databases/DatabaseFiles.h"
#include "core/platform/DbError.h"
#include "core/platform/Failure.h"
#include "core/platform/Program.h"
#include "core/platform/ServerLocation.h"
#include "core/settings/SettingsDb.h"
#include "core/settings/SettingsRecord.h"
#include "gui/app/AppContext.h"
#include "gui/databases/PleaseWait.h"
#include "gui/platform/ProgressWindow.h"

#include <QPointer>
#include <QScopeGuard>

namespace {

bool backupWanted(AppContext& context, SettingsRecord* settings) {
    Program& program = context.program();
    try {
        if (settings)
            return settings->backupAtExit();
        return SettingsRecord(program.path(SettingsDb::kFileName)).backupAtExit();
    } catch (const DbError& e) {
        // The program still ends as asked; the user learns that no backup was made.
        context.prompter().message(
            QStringLiteral("No backup copy of %1 was made, because Ledgerline could not read "
                           "its settings.\n\n%2")
                .arg(program.currentDatabase(), e.message()),
            {}, Prompter::Icon::Warning);
        return false;
    }
}

} // namespace

void BackupAndExit(AppContext& context, SettingsRecord* settings,
                   const std::function<void()>& closeDataEntry) {
    Program& program = context.program();
    // A database on the server is backed up on the server (see the README): there is no
    // file here to copy.
    if (ServerLocation::is(program.currentDatabase()) || !backupWanted(context, settings)) {
        program.end();
        return;
    }

    auto* notice = qobject_cast<PleaseWait*>(context.openPleaseWait());
    const QString current = program.currentDatabase();
    // Qt takes the data-entry window down later, from the event loop.
    closeDataEntry();
    notice->afterShown([&context, current, shown = QPointer<PleaseWait>(notice)] {
        Program& program = context.program();
        tellIfFails(context.prompter(), [&] {
            // The notice goes before a failure is told.
            const auto closeNotice = qScopeGuard([&] {
                if (shown)
                    shown->close();
            });
            ProgressWindow progress;
            DatabaseFiles::backup(
                program.path(current),
                program.path(DatabaseFiles::backupName(program.folder(), current)), progress);
        });
        program.end();
    });
}
