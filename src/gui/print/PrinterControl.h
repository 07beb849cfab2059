#pragma once

#include "core/print/BlankCheckJob.h"
#include "core/print/PrintSelection.h"
#include "core/print/StockOptions.h"
#include "ui_PrinterControl.h"

#include <QWidget>

class AppContext;

/// The printer control screen: what to print from the current database, with the number
/// each box would print; the stock options; printing, its preview, the calibration sheet,
/// the printer setup and the way to the alignment screen; and the blank layouts' menus.
/// Every way out stores the option boxes and leads back to data entry (or to alignment).
class PrinterControl : public QWidget {
    Q_OBJECT
public:
    explicit PrinterControl(AppContext& context);

    /// Shows the stored options, the screen, then the counts.
    void load();

protected:
    /// Cancel, Done and the close box end here: the options are stored and data entry
    /// comes back, the program going on.
    void closeEvent(QCloseEvent* event) override;

private slots:
    // The handlers, connected to the controls in the form.
    void printSelection();
    void previewSelection();
    void printSample();
    void setUpPrinter();
    void openAlignment();
    void returnToDataEntry();
    void notePlainPaper(bool checked);
    void printRegularBlankChecks();
    void printQuickenChecks();
    void printVoucherChecks();
    void printDepositTickets();
    void openAbout();
    void explainMisprinting();
    void explainLabels();
    void explainBlankChecks();
    void explainQuickenChecks();
    void explainMultipleTimes();
    void explainSelecting();
    void explainCheckStock();

private:
    PrintSelection selection() const;
    StockOptions options() const;
    QString databasePath() const;
    QString settingsPath() const;
    /// Stores the three option boxes; false (after telling why) when they cannot be.
    bool storeOptions();
    /// Opens the next screen and closes this one.
    void leaveFor(QWidget* (AppContext::*open)());
    void printBlankChecks(BlankCheckJob::Layout layout);
    BlankPrintSettings blankSettings() const;
    void showHelp(const QString& text);

    AppContext& m_context;
    Ui::PrinterControl m_ui;
    bool m_leaving = false;
};
