#include "db/BackupAndExit.h"

#include "app/AppContext.h"
#include "db/DatabaseFiles.h"
#include "platform/DbError.h"
#include "platform/Guard.h"
#include "platform/Program.h"
#include "platform/Prompter.h"
#include "platform/RecordSet.h"
#include "platform/TableSchema.h"

#include <QApplication>
#include <QWidget>

void BackupAndExit(AppContext& context, RecordSet& settings,
                   const std::function<void()>& closeDataEntry) {
    Program& program = context.program();
    bool wanted = false;
    guarded([&] { wanted = TableSchema::isYes(settings.value(QStringLiteral("6"))); });
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
                              program.path(DatabaseFiles::backupName(current)));
    } catch (const DbError& e) {
        failure = e.message();
    }
    if (notice)
        notice->close();
    if (!failure.isEmpty())
        context.prompter().message(failure, {}, Prompter::Icon::Warning);
    program.end();
}
