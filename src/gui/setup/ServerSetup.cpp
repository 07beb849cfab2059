#include "gui/setup/ServerSetup.h"

#include "core/databases/ServerDatabases.h"
#include "core/platform/DbError.h"
#include "core/platform/Failure.h"
#include "core/platform/Program.h"
#include "core/platform/Prompter.h"
#include "core/settings/ServerSettings.h"
#include "core/settings/SettingsDb.h"
#include "gui/app/AppContext.h"
#include "gui/app/ServerSignIn.h"
#include "gui/platform/ScreenForm.h"

ServerSetup::ServerSetup(AppContext& context) : m_context(context) {
    ScreenForm::setUp(m_ui, this);
}

void ServerSetup::load() {
    tellIfFails(m_context.prompter(), [&] {
        const ServerSettings s =
            ServerSettings::read(m_context.program().path(SettingsDb::kFileName));
        m_ui.Host->setText(s.host);
        m_ui.Port->setText(QString::number(s.port));
        m_ui.DatabaseName->setText(s.database);
        m_ui.UserName->setText(s.user);
    });
    show();
}

bool ServerSetup::store() {
    return tellIfFails(m_context.prompter(), [&] {
        if (const QString problem = ServerSettings::portProblem(m_ui.Port->text());
            !problem.isEmpty())
            throw DbError(problem);
        ServerSettings s;
        s.host = m_ui.Host->text();
        s.port = m_ui.Port->text().trimmed().toInt();
        s.database = m_ui.DatabaseName->text();
        s.user = m_ui.UserName->text();
        ServerSettings::store(m_context.program().path(SettingsDb::kFileName), s);
        // Another server, or another user, has a password of its own.
        m_context.serverSignIn().forget();
    });
}

void ServerSetup::storeAndClose() {
    if (store())
        accept();
}

void ServerSetup::tryConnection() {
    if (!store())
        return;
    QStringList names;
    if (!tellIfFails(m_context.prompter(), [&] { names = ServerDatabases::list(); }))
        return;
    m_context.prompter().message(
        names.isEmpty()
            ? QStringLiteral("Ledgerline reached the database server. It holds no check "
                             "database yet: make one with Create New Database in the list of "
                             "databases.")
            : QStringLiteral("Ledgerline reached the database server. Its check databases: %1.")
                  .arg(names.join(QStringLiteral(", "))),
        QStringLiteral("Database Server"), Prompter::Icon::Information);
}
