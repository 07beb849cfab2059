#pragma once

#include "core/print/PrintSelection.h"
#include "core/print/StockOptions.h"

#include <QString>

class Clock;
class Printer;
class Prompter;

/// A dry run of Print: the pages one press of Print would print with these boxes, drawn
/// for the user to look at before check stock goes into the printer. It prints through the
/// same walk as the run, choosing its fonts from the program's printer as the run does:
/// the checks (a check that prints every time dated today), then the labels from label 1.
/// It asks nothing and writes nothing, neither to the check database nor to the settings.
class PrintPreview {
public:
    /// `printer` is the one Print would print on; its fonts decide as in the run.
    PrintPreview(QString databasePath, QString settingsPath, const Printer& printer,
                 Prompter& prompter, const Clock& clock);

    /// Whether Print would print anything. When it would not, tells the user why in the
    /// words Print uses ("Nothing to do.", the MICR font missing, checks off the sheet) or
    /// that no check or label is selected, and returns false. Throws DbError.
    bool ready(const PrintSelection& selection, const StockOptions& options);

    /// Draws the pages onto `pages`, one job for the checks (unless ready() found that they
    /// cannot print) and one for the labels, as the run starts them. Throws DbError.
    void render(Printer& pages, const PrintSelection& selection, const StockOptions& options);

    static const QString kNothingSelected;

private:
    QString m_databasePath;
    QString m_settingsPath;
    const Printer& m_printer;
    Prompter& m_prompter;
    const Clock& m_clock;
    bool m_checks = true; // whether the checks print, as ready() found
};
