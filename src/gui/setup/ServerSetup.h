#pragma once

#include "ui_ServerSetup.h"

#include <QDialog>

class AppContext;

/// The database server this desk works with: its host, port, database and user name, kept
/// in the settings file. The password is asked for when the server is first reached, and
/// may be kept in the desktop's keyring, never in a file.
class ServerSetup : public QDialog {
    Q_OBJECT
public:
    explicit ServerSetup(AppContext& context);

    /// Shows the settings stored.
    void load();

private slots:
    /// OK: stores the settings and closes; a refusal is shown and the screen stays.
    void storeAndClose();
    /// Stores the settings and reaches the server with them, telling how it went.
    void tryConnection();

private:
    bool store();

    AppContext& m_context;
    Ui::ServerSetup m_ui;
};
