#include "gui/databases/CreateNewDatabase.h"

#include "core/databases/DatabaseFiles.h"
#include "core/databases/ServerDatabases.h"
#include "core/platform/DbError.h"
#include "core/platform/Failure.h"
#include "core/platform/Program.h"
#include "core/platform/Prompter.h"
#include "core/settings/ServerSettings.h"
#include "core/settings/SettingsDb.h"
#include "gui/app/AppContext.h"
#include "gui/platform/ScreenForm.h"

namespace {
const QString kFailure = QStringLiteral(
    "The database cannot be created. Make sure you have: 1. Not entered the filename of a file "
    "that already exists, 2. Have at least 1 MB disk space available to create the file, 3. "
    "Entered only letters, spaces and numbers for the file name.");
} // namespace

CreateNewDatabase::CreateNewDatabase(AppContext& context) : m_context(context) {
    ScreenForm::setUp(m_ui, this);
}

void CreateNewDatabase::load() {
    // A database can be made on the server only where one is set up.
    bool serverSet = false;
    skipIfFails([&] {
        serverSet = ServerSettings::read(m_context.program().path(SettingsDb::kFileName)).isSet();
    });
    m_ui.OnServer->setVisible(serverSet);
    show();
    m_ui.NewDb->setFocus();
}

void CreateNewDatabase::createDatabase() {
    const QString name = m_ui.NewDb->text();
    const QDir folder = m_context.program().folder();
    // The description the user typed is what the data-entry window shows; without one, the
    // name stands in.
    const QString description = m_ui.DbDesc->text().isEmpty() ? name : m_ui.DbDesc->text();
    const CheckDb::Kind kind =
        m_ui.Option1->isChecked() ? CheckDb::Kind::Draft : CheckDb::Kind::Check;

    const bool created = tellIfFails(m_context.prompter(), [&] {
        if (m_ui.OnServer->isVisible() && m_ui.OnServer->isChecked()) {
            ServerDatabases::create(name, description, kind);
            return;
        }
        if (!DatabaseFiles::isValidName(name) ||
            DatabaseFiles::nameIsTaken(folder, name + QStringLiteral(".mdb")))
            throw DbError(kFailure);
        try {
            DatabaseFiles::create(folder, name, description, kind);
        } catch (const DbError& e) {
            // The name was fine, so say what else stood in the way.
            throw DbError(kFailure + QStringLiteral("\n\n") + e.message());
        }
    });
    if (!created)
        return;
    m_context.prompter().message(QStringLiteral("Your new database has been created"),
                                 QStringLiteral("Notice"));
    m_context.openFileOpen();
    close();
}

void CreateNewDatabase::exitProgram() {
    m_context.program().end();
}
