#pragma once

#include "gui/app/AppContext.h"
#include "ui_Check.h"

#include <QMainWindow>
#include <QSqlRecord>
#include <memory>
#include <optional>

class CheckBook;
class FieldBinding;
class SettingsRecord;

/// The data-entry screen: one check at a time, laid out like a paper check. Its boxes are
/// bound to the fields of the current record; what the user typed is stored when the
/// record is committed, which every handler that leaves the record does first.
class Check : public QMainWindow {
    Q_OBJECT
public:
    explicit Check(AppContext& context);
    ~Check() override;

    /// The load sequence: the database, template checks, selectors, last record shown.
    void load();

    /// Stores what the user typed into the current record. A value the field cannot take
    /// is refused with one message naming the field; then nothing is stored, the box shows
    /// the stored value again, and false is returned. Any other failure is told alike.
    bool commit();

    /// Shows the current record in the boxes and sets both selectors from it.
    void ShowPrintOptions();

public slots:
    /// Stores what was typed, then shows the check with this ID (all checks, when the
    /// search in force leaves it out) and comes to the front.
    void showCheck(qint64 id);

protected:
    void closeEvent(QCloseEvent* event) override;

private slots:
    // The handlers, connected to the controls in the form.
    void newCheck();
    void deleteCheck();
    void nextCheck() { walk(true); }
    void previousCheck() { walk(false); }
    void gotoFirstCheck();
    void choosePrintOption();
    void chooseProductType();
    void viewAll();
    void pasteOrderForm();
    void save() { commit(); }
    void openPrinting() { leaveFor(&AppContext::openPrinterControl, Without::Nothing); }
    void openAnotherDatabase() { leaveFor(&AppContext::openFileOpen, Without::Database); }
    void openExport() { openOnTop(&AppContext::openExportFile, Without::Nothing); }
    void openProgramSetup() { openOnTop(&AppContext::openProgramSetup, Without::Database); }
    void openMicrHelp() { openOnTop(&AppContext::openMicrForm, Without::Database); }
    void openAbout() { openOnTop(&AppContext::openHelpAbout, Without::Database); }
    void exitProgram();
    void voidCheck();
    void openRegister();
    void openPositivePay();

private:
    /// commit() without the telling: throws what went wrong.
    void storeTyped();
    /// The exit routine, after storing what was typed; when it cannot be stored, the user
    /// is told why and may leave without it.
    void leaveProgram();
    bool storedBeforeLeaving();
    QSqlRecord showRecord();
    void showSelectors(const QSqlRecord& row);
    void showStoredSelectors();
    void walk(bool forward);
    void search(const QString& field, const QString& prompt);
    /// What a screen opened from here can do without: `Database` when it works without
    /// the check database, so that it opens even after the database went away.
    enum class Without { Nothing, Database };
    /// Commits, opens another main screen and closes this one.
    void leaveFor(QWidget* (AppContext::*open)(), Without without);
    /// Commits and opens a screen on top of this one.
    void openOnTop(QWidget* (AppContext::*open)(), Without without);

    /// Runs a handler that stops at its first failure and tells the user why.
    template <class F> bool run(F&& handler);
    /// Without a database that can be written, keeps only what still works and says why.
    void offerOnlyWaysOut(const QString& why);
    /// After another desk changed the check shown: shows both and lets the user store what
    /// they typed over the other desk's values, or keep theirs.
    void settleWithOtherDesk();
    /// Opens the check database and shows its caption. While another program holds it, the
    /// user may try again; the reason is returned when they choose not to. Throws DbError
    /// for any other failure.
    std::optional<QString> openBook(const QString& path);

    AppContext& m_context;
    Ui::Check m_ui;
    FieldBinding* m_binding = nullptr;
    std::unique_ptr<CheckBook> m_book;
    std::unique_ptr<SettingsRecord> m_settings;
    bool m_leaving = false;
};
