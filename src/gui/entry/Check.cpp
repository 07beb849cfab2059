#include "gui/entry/Check.h"

#include "core/entry/CheckBook.h"
#include "core/entry/FieldRefused.h"
#include "core/entry/OrderImporter.h"
#include "core/entry/PrintOption.h"
#include "core/platform/DbError.h"
#include "core/platform/Failure.h"
#include "core/platform/Program.h"
#include "core/platform/Prompter.h"
#include "core/register/PositivePay.h"
#include "core/settings/SettingsDb.h"
#include "core/settings/SettingsRecord.h"
#include "gui/app/AppContext.h"
#include "gui/databases/BackupAndExit.h"
#include "gui/entry/CheckHelp.h"
#include "gui/entry/CheckMessages.h"
#include "gui/entry/FieldBinding.h"
#include "gui/entry/MicrLine.h"
#include "gui/entry/SearchMenu.h"
#include "gui/entry/WaysOut.h"
#include "gui/platform/BusyCursor.h"
#include "gui/platform/ScreenForm.h"
#include "gui/register/Register.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QStringListModel>

template <class F> bool Check::run(F&& handler) {
    QString why;
    const bool done = tellIfFails(m_context.prompter(), [&] {
        try {
            handler();
        } catch (const DbError& e) {
            why = e.message();
            throw;
        } catch (const std::exception& e) {
            why = QString::fromUtf8(e.what());
            throw;
        }
    });
    // A database that could not be opened, or was taken away while open, can take nothing
    // more; should even that not be known, it counts as there and the next step tells.
    bool gone = !m_book;
    if (!done && !gone)
        skipIfFails([&] { gone = m_book->vanished(); });
    if (gone)
        offerOnlyWaysOut(why);
    return done;
}

void Check::offerOnlyWaysOut(const QString& why) {
    m_book.reset();
    WaysOut::keepOnly(m_ui, *m_binding, why);
}

Check::Check(AppContext& context) : m_context(context) {
    ScreenForm::setUp(m_ui, this);
    new MicrLine(
        {m_ui.ABA, m_ui.Account, m_ui.TransitSymbol1, m_ui.TransitSymbol2, m_ui.OnUsSymbol},
        m_ui.ABA, m_ui.ABACheck);
    QPlainTextEdit* comments = m_ui.OptComts;
    comments->setFixedHeight(comments->fontMetrics().lineSpacing() * 4 + 12);
    // The selectors can show texts that are not in their lists (a blank, "Monthly Draft"),
    // but the user can only choose from the lists.
    for (QComboBox* selector : {m_ui.Combo1, m_ui.Combo2})
        selector->lineEdit()->setReadOnly(true);
    m_binding = new FieldBinding(this);
    SearchMenu::addTo(m_ui.Select, [this](const QString& field, const QString& prompt) {
        search(field, prompt);
    });
    CheckHelp::addTo(m_ui.Help, m_ui.ocs, m_context.program().name(), m_context.prompter());
}

Check::~Check() = default;

std::optional<QString> Check::openBook(const QString& path) {
    for (;;) {
        try {
            // A database from an earlier version is brought up to date as it opens, which on
            // a very large one takes some seconds, once.
            BusyCursor busy;
            auto book = std::make_unique<CheckBook>(path);
            // Reading the caption proves that the database can be read now.
            setWindowTitle(book->caption());
            m_book = std::move(book);
            return std::nullopt;
        } catch (const DbError& e) {
            // Another program holding the database lets go in a moment: the user says when
            // to try again, rather than the screen opening on nothing.
            if (e.reason() != DbError::Reason::Busy)
                throw;
            if (!m_context.prompter().retry(e.message() + CheckMessages::kRetryOpening, {},
                                            Prompter::Icon::Warning))
                return e.message();
        }
    }
}

void Check::load() {
    Program& program = m_context.program();
    // The window names its database even while it cannot be read.
    setWindowTitle(windowTitle() + program.currentDatabase());
    // A database that cannot be opened at all is explained; the screen then offers only the
    // ways out. One the user chose not to wait for has been explained in the question.
    std::optional<QString> notWaited;
    run([&] { notWaited = openBook(program.path(program.currentDatabase())); });
    if (notWaited)
        offerOnlyWaysOut(*notWaited);
    // Without the settings file the checks can still be entered: there are no product
    // types, and no backup is made at exit.
    skipIfFails([&] {
        m_settings = std::make_unique<SettingsRecord>(program.path(SettingsDb::kFileName));
    });
    if (m_book) {
        // These steps go on past a failure, so a damaged field never keeps the screen shut.
        bool empty = false;
        skipIfFails([&] { empty = m_book->templateIsEmpty(); });
        if (empty)
            m_context.prompter().message(CheckMessages::kEmptyTemplate, QStringLiteral("Note"));
        skipIfFails([&] { m_book->dateTemplate(m_context.clock()); });
        skipIfFails([&] {
            m_book->loadTemplate();
            setWindowTitle(m_book->caption());
        });
    }
    // Product types that cannot be read leave the selector hidden, as when there are none.
    QStringList types;
    if (m_settings)
        skipIfFails([&] { types = m_settings->productTypes(); });
    // A plain list model (the box deletes the one it made itself): its own model makes an
    // item object for every type, which with thousands of types holds up the screen.
    m_ui.Combo2->setModel(new QStringListModel(types, m_ui.Combo2));
    m_ui.Combo2->setVisible(!types.isEmpty());
    ShowPrintOptions();
    show();
}

bool Check::commit() {
    return !m_book || run([&] { storeTyped(); });
}

void Check::storeTyped() {
    try {
        m_book->commit(m_binding->typed(), m_binding->labelPrint());
    } catch (const FieldRefused& refused) {
        // The record keeps what it had, and the box shows it again; should the record
        // not be readable now, the box keeps the refused text for the user to correct.
        skipIfFails([&] {
            m_binding->showStored(refused.field(),
                                  m_book->current().value(refused.field()).toString());
        });
        throw;
    } catch (const DbError& e) {
        if (e.reason() == DbError::Reason::Changed) {
            settleWithOtherDesk();
            return;
        }
        // The check was deleted elsewhere: the user is told that what was typed is lost,
        // and it stops counting as typed, so that the next step can leave the check. The
        // boxes still show it, to be copied.
        if (e.reason() == DbError::Reason::Gone)
            m_binding->stored();
        throw;
    }
    m_binding->stored();
}

void Check::settleWithOtherDesk() {
    const QList<FieldEntry::Typed> typed = m_binding->typed();
    // Reading the check again takes the other desk's values, and the version they made.
    const QSqlRecord theirs = m_book->current();
    if (m_context.prompter().question(
            CheckMessages::changedElsewhere(theirs, typed, m_binding->labelPrint().has_value()),
            CheckMessages::kChangedElsewhereTitle, Prompter::Icon::Warning, false)) {
        m_book->commit(typed, m_binding->labelPrint());
        m_binding->stored();
        return;
    }
    // Theirs stands, and the boxes show it; what was typed here was said in the question.
    m_binding->stored();
    showSelectors(showRecord());
}

QSqlRecord Check::showRecord() {
    QSqlRecord row;
    // A record that cannot be read shows as empty boxes, and the user is told why, so that
    // a check is never taken for an empty one; the screen stays usable.
    if (m_book)
        run([&] { row = m_book->current(); });
    m_binding->show(row);
    m_ui.Label11->setText(row.value(QStringLiteral("ID")).toString());
    m_ui.PrintedDate->setText(row.value(QStringLiteral("Printed")).toString());
    // A void check is kept as it was voided: only its comments take notes.
    const QString voidMark = CheckMessages::voidMark(row);
    const bool isVoid = !voidMark.isEmpty();
    m_ui.VoidMark->setText(voidMark);
    m_ui.VoidMark->setVisible(isVoid);
    m_binding->lock(isVoid, QStringLiteral("Comments"));
    const bool isTemplate = row.value(QStringLiteral("ID")).toLongLong() == CheckDb::kTemplateId;
    for (QWidget* w : std::initializer_list<QWidget*>{m_ui.Combo1, m_ui.Combo2, m_ui.VoidButton})
        w->setEnabled(m_book && !isVoid &&
                      (w != m_ui.VoidButton || (!isTemplate && !row.isEmpty())));
    m_ui.MVoid->setEnabled(m_ui.VoidButton->isEnabled());
    return row;
}

void Check::ShowPrintOptions() {
    // Without a database the boxes keep what they show.
    if (!m_book)
        return;
    showSelectors(showRecord());
}

void Check::showSelectors(const QSqlRecord& row) {
    const QVariant type = row.value(QStringLiteral("BusinessType"));
    m_ui.Combo2->setEditText(type.isNull() ? PrintOption::kBlank : type.toString());
    m_ui.Combo1->setEditText(PrintOption::caption(row.value(QStringLiteral("Print"))));
}

void Check::newCheck() {
    if (!m_book || !commit())
        return;
    // A New that fails makes nothing, and the boxes go on showing the check they showed,
    // which is still the current one: what is typed next cannot land on another check.
    if (run([&] { m_book->newCheck(m_context.clock()); }))
        ShowPrintOptions();
}

void Check::deleteCheck() {
    if (!m_book)
        return;
    bool offerVoid = false;
    run([&] {
        if (m_book->currentIsTemplate()) {
            m_context.prompter().message(CheckMessages::kNoDeleteTemplate);
            return;
        }
        // A printed check may still reach the bank and is kept; a void one says so itself.
        if (m_book->currentIsVoid()) {
            m_book->deleteCurrent();
            return;
        }
        if (m_book->currentIsPrinted()) {
            offerVoid = m_context.prompter().question(
                CheckMessages::printedNotDeleted(
                    m_book->currentName(),
                    m_book->current().value(QStringLiteral("Printed")).toString()),
                QStringLiteral("Delete"), Prompter::Icon::Question, false);
            return;
        }
        if (!m_context.prompter().question(CheckMessages::kDeleteQuestion,
                                           QStringLiteral("WARNING"), Prompter::Icon::Stop, false))
            return;
        m_book->deleteCurrent();
        ShowPrintOptions();
    });
    if (offerVoid)
        voidCheck();
}

void Check::voidCheck() {
    if (!m_book || !commit())
        return;
    QString name;
    if (!run([&] {
            if (m_book->currentIsTemplate())
                throw DbError(CheckMessages::kNoVoidTemplate);
            name = m_book->currentName();
        }))
        return;
    const std::optional<QString> reason = m_context.prompter().ask(
        CheckMessages::voidReasonPrompt(name), QStringLiteral("Void Check"));
    if (!reason)
        return;
    if (run([&] { m_book->voidCurrent(*reason, m_context.clock()); }))
        ShowPrintOptions();
}

void Check::showCheck(qint64 id) {
    if (!m_book || !commit())
        return;
    bool found = false;
    if (!run([&] { found = m_book->showCheck(id); }))
        return;
    if (!found)
        m_context.prompter().message(CheckMessages::kCheckGone);
    ShowPrintOptions();
    raise();
    activateWindow();
}

void Check::openRegister() {
    if (!m_book || !commit())
        return;
    if (auto* shown = qobject_cast<Register*>(m_context.openRegister()))
        connect(shown, &Register::checkChosen, this, &Check::showCheck, Qt::UniqueConnection);
}

void Check::openPositivePay() {
    if (!m_book || !commit())
        return;
    bool draft = false;
    if (!run([&] { draft = m_book->kind() == CheckDb::Kind::Draft; }))
        return;
    if (draft) {
        m_context.prompter().message(PositivePay::kDraftRefusal);
        return;
    }
    m_context.openPositivePayExport();
}

void Check::walk(bool forward) {
    if (!m_book || !commit())
        return;
    // A move that fails says why, and the check it could not leave stays shown.
    bool moved = false;
    if (!run([&] { moved = forward ? m_book->moveNext() : m_book->movePrevious(); }))
        return;
    if (!moved)
        m_context.prompter().message(forward ? CheckMessages::kLastCheck
                                             : CheckMessages::kFirstCheck);
    ShowPrintOptions();
}

void Check::gotoFirstCheck() {
    if (!commit() || !m_book)
        return;
    run([&] {
        const FirstCheckOptions shown = m_book->gotoFirstCheck();
        showRecord();
        m_ui.Combo2->setEditText(shown.productType);
        if (!shown.printOption.isEmpty())
            m_ui.Combo1->setEditText(shown.printOption);
        if (shown.labelTick)
            m_binding->setLabelTick(*shown.labelTick);
    });
}

void Check::choosePrintOption() {
    if (!m_book || !commit())
        return;
    if (!run([&] { m_book->choosePrintOption(m_ui.Combo1->currentText()); }))
        showStoredSelectors();
}

void Check::chooseProductType() {
    if (!m_book || !commit())
        return;
    const QString type = m_ui.Combo2->currentText();
    if (!run([&] { m_book->chooseProductType(type); })) {
        showStoredSelectors();
        return;
    }
    // The memo box shows the product type at once.
    m_binding->showStored(QStringLiteral("For"), type);
}

void Check::showStoredSelectors() {
    // A choice that was not stored is not shown: the selectors go back to what the check
    // holds, or to blanks when even that cannot be read. Without the database they keep
    // what they show.
    if (!m_book)
        return;
    QSqlRecord row;
    skipIfFails([&] { row = m_book->current(); });
    showSelectors(row);
}

void Check::search(const QString& field, const QString& prompt) {
    if (!m_book || !commit())
        return;
    const QString text = m_context.prompter().input(prompt, {}, {});
    bool found = false;
    if (!run([&] { found = m_book->search(field, text); }))
        return;
    if (!found) {
        m_context.prompter().message(CheckMessages::kNoMatches);
        run([&] { m_book->viewAll(); });
    }
    ShowPrintOptions();
}

void Check::viewAll() {
    if (!m_book || !commit())
        return;
    run([&] { m_book->viewAll(); });
    ShowPrintOptions();
}

void Check::leaveFor(QWidget* (AppContext::*open)(), Without without) {
    // A database that went away while the commit was tried is told already, and nothing
    // more can be stored in it: a screen that needs no database opens all the same.
    if (!commit() && !(without == Without::Database && !m_book))
        return;
    m_leaving = true;
    // The register shows this database: it goes with the screen.
    m_context.closeScreen(QStringLiteral("Register"));
    (m_context.*open)();
    close();
}

void Check::openOnTop(QWidget* (AppContext::*open)(), Without without) {
    if (commit() || (without == Without::Database && !m_book))
        (m_context.*open)();
}

void Check::pasteOrderForm() {
    if (!m_book || !commit())
        return;
    const QString text = QGuiApplication::clipboard()->text();
    run([&] { OrderImporter::paste(*m_book, text, m_context.clock(), m_context.prompter()); });
    ShowPrintOptions();
}

void Check::exitProgram() {
    // The exit routine takes this window, its menus and buttons down, so it runs once the
    // menu entry, button or close that asked for it has returned.
    QMetaObject::invokeMethod(this, &Check::leaveProgram, Qt::QueuedConnection);
}

void Check::leaveProgram() {
    if (m_leaving || !storedBeforeLeaving())
        return;
    m_leaving = true;
    BackupAndExit(m_context, m_settings.get(), [this] {
        m_book.reset();
        close();
    });
}

bool Check::storedBeforeLeaving() {
    if (!m_book)
        return true;
    QString why;
    try {
        storeTyped();
        return true;
    } catch (const DbError& e) {
        why = e.message();
    } catch (const std::exception& e) {
        why = QString::fromUtf8(e.what());
    }
    // Where nothing can be stored (a full disk, a read-only folder) the user must still be
    // able to leave: told why, the user chooses.
    return m_context.prompter().question(why + CheckMessages::kLeaveAnyway, {},
                                         Prompter::Icon::Warning, false);
}

void Check::closeEvent(QCloseEvent* event) {
    if (m_leaving) {
        QMainWindow::closeEvent(event);
        return;
    }
    // Closing the window is leaving by File - Exit: what was typed is stored first, and the
    // backup is made when the settings ask for it.
    event->ignore();
    exitProgram();
}
