#include "gui/register/PositivePayExport.h"

#include "core/platform/Clock.h"
#include "core/platform/Failure.h"
#include "core/platform/Program.h"
#include "core/platform/Prompter.h"
#include "core/register/PositivePay.h"
#include "core/register/RegisterQuery.h"
#include "core/settings/SettingsDb.h"
#include "core/setup/PositivePayOptions.h"
#include "gui/app/AppContext.h"
#include "gui/platform/BusyCursor.h"
#include "gui/platform/ScreenForm.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

PositivePayExport::PositivePayExport(AppContext& context) : m_context(context) {
    ScreenForm::setUp(m_ui, this);
    // Data entry waits behind this screen: what it shows is what is listed.
    setWindowModality(Qt::ApplicationModal);
}

void PositivePayExport::load() {
    const Program& program = m_context.program();
    const QString today = m_context.clock().todayText();
    m_ui.FromDate->setText(today);
    m_ui.ToDate->setText(today);
    m_ui.FileName->setText(QDir::toNativeSeparators(
        program.path(QFileInfo(program.currentDatabase()).completeBaseName() +
                     QStringLiteral(" positive pay.csv"))));
    show();
}

void PositivePayExport::chooseFile() {
    // Whether a file may be replaced is asked once, by Export.
    const QString chosen =
        QFileDialog::getSaveFileName(this, windowTitle(), m_ui.FileName->text(),
                                     QStringLiteral("Comma-delimited files (*.csv);;All files (*)"),
                                     nullptr, QFileDialog::DontConfirmOverwrite);
    if (!chosen.isEmpty())
        m_ui.FileName->setText(QDir::toNativeSeparators(chosen));
}

void PositivePayExport::exportFile() {
    Prompter& prompter = m_context.prompter();
    const QString fromText = m_ui.FromDate->text();
    const QString toText = m_ui.ToDate->text();
    if (fromText.trimmed().isEmpty() || toText.trimmed().isEmpty()) {
        prompter.message(QStringLiteral("Type the first and the last day of the checks to list."));
        return;
    }
    if (const QString problem = RegisterFilter::datesProblem(fromText, toText);
        !problem.isEmpty()) {
        prompter.message(problem);
        return;
    }
    const QString typed = m_ui.FileName->text().trimmed();
    if (typed.isEmpty()) {
        prompter.message(QStringLiteral("Type the name of the file to write."));
        return;
    }
    const Program& program = m_context.program();
    // A bare name goes into the program folder, as every file of Ledgerline does.
    const QFileInfo target(
        QDir(program.folder()).absoluteFilePath(QDir::fromNativeSeparators(typed)));
    const QString shown = QDir::toNativeSeparators(target.absoluteFilePath());
    bool replace = false;
    if (target.exists()) {
        if (target.isDir()) {
            prompter.message(QStringLiteral("%1 is a folder. Type the name of a file.").arg(shown));
            return;
        }
        if (!prompter.question(
                QStringLiteral("The file %1 already exists.\n\nReplace it?").arg(shown),
                windowTitle(), Prompter::Icon::Question, false))
            return;
        replace = true;
    }
    const QDate from = Clock::dateFromText(fromText);
    const QDate to = Clock::dateFromText(toText);
    qint64 listed = 0;
    if (!tellIfFails(prompter, [&] {
            BusyCursor busy;
            const PositivePayFormat format =
                PositivePayOptions(program.path(SettingsDb::kFileName)).format();
            listed = PositivePay::write(program.path(program.currentDatabase()),
                                        target.absoluteFilePath(), from, to, format, replace);
        }))
        return;
    const QString days =
        QStringLiteral("from %1 to %2").arg(Clock::dateText(from), Clock::dateText(to));
    if (listed == 0) {
        prompter.message(
            QStringLiteral("No check was printed or voided %1, so no file was written.").arg(days));
        return;
    }
    prompter.message(
        QStringLiteral("The positive pay file %1 lists %2 printed or voided %3.")
            .arg(shown,
                 listed == 1 ? QStringLiteral("1 check") : QStringLiteral("%1 checks").arg(listed),
                 days));
    close();
}
