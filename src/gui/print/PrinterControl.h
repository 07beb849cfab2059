#pragma once

#include "core/print/BlankCheckJob.h"
#include "core/print/PrintSelection.h"
#include "core/print/StockOptions.h"

#include <QWidget>
#include <memory>

class AppContext;

namespace Ui {
class PrinterControl;
}

/// The printer control screen: what to print from the current database, with the number
/// each box would print; the stock options; printing, its preview, the calibration sheet,
/// the printer setup and the way to the alignment screen; and the blank layouts' menus.
/// Every way out stores the option boxes and leads back to data entry (or to alignment).
class PrinterControl : public QWidget {
    Q_OBJECT
public:
    explicit PrinterControl(AppContext& context);
    ~PrinterControl() override;

    /// Shows the stored options, the screen, then the counts.
    void load();

protected:
    /// The close box leaves as Done does.
    void closeEvent(QCloseEvent* event) override;

private:
    PrintSelection selection() const;
    StockOptions options() const;
    QString databasePath() const;
    QString settingsPath() const;
    /// Stores the three option boxes; false (after telling why) when they cannot be.
    bool storeOptions();
    /// Opens the next screen and closes this one.
    void leaveFor(QWidget* (AppContext::*open)());

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
    void printBlankChecks(BlankCheckJob::Layout layout);
    BlankPrintSettings blankSettings() const;
    void showHelp(const QString& text);
    void openAbout();

    AppContext& m_context;
    std::unique_ptr<Ui::PrinterControl> m_ui;
    bool m_leaving = false;
};
