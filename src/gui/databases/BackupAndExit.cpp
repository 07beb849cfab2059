#include "gui/databases/BackupAndExit.h"

#include "gui/app/AppContext.h"
#include "core/databases/DatabaseFiles.h"
#include "core/platform/DbError.h"
#include "core/platform/Failure.h"
#include "core/platform/Program.h"
#include "core/platform/Prompter.h"
#include "core/platform/RecordSet.h"
#include "core/platform/TableSchema.h"

#include <QApplication>
#include <QWidget>

void BackupAndExit(AppContext& context, RecordSet& settings,
                   const std::function<void()>& closeDataEntry) {
    Program& program = context.program();
    bool wanted = false;
    skipIfFails([&] { wanted = TableSchema::isYes(settings.value(QStringLiteral("6"))); });
    if (!wanted) {
        program.end();
        return;
    }

    QWidget* notice = context.openPleaseWait();
    const QString current = program.currentDatabase();
    closeDataEntry();
    QApplication::processEvents();

    QString failure;
    try {
        DatabaseFiles::backup(program.path(current),
                              program.path(DatabaseFiles::backupName(program.folder(), current)));
    } catch (const DbError& e) {
        failure = e.message();
    }
    if (notice)
        notice->close();
    if (!failure.isEmpty())
        context.prompter().message(failure, {}, Prompter::Icon::Warning);
    program.end();
}
