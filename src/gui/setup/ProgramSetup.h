#pragma once

#include "core/register/PositivePay.h"
#include "ui_ProgramSetup.h"

#include <QDialog>
#include <memory>

class AppContext;
class PositivePayOptions;
class ProductTypeList;
class SetupOptions;

/// Program setup: the product types of the data-entry screen's drop-down list, the bank's
/// tran code, the backup at exit and the layout of the positive-pay file. It opens on top of the
/// data-entry screen. What the user typed is stored when they move to another product type, and
/// everything is stored however the screen is closed; a failure is shown and the screen stays open.
class ProgramSetup : public QDialog {
    Q_OBJECT
public:
    explicit ProgramSetup(AppContext& context);
    ~ProgramSetup() override;

    /// Opens the product types and the settings record and shows the first product type.
    void load();

    /// Done, Escape and the window's close button all end here: everything is stored first.
    void reject() override;

private slots:
    // The handlers, connected to the controls in the form.
    void showFirstProductType();
    void showPreviousProductType();
    void showNextProductType();
    void showLastProductType();
    void addProductType();
    void deleteProductType();
    void confirm();
    void openServerSetup();
    void movePayColumnUp() { movePayColumn(-1); }
    void movePayColumnDown() { movePayColumn(1); }

private:
    void showCurrent();
    /// Stores the name typed for the current product type.
    bool storeName();
    /// Stores the name, the tran code and the backup choice.
    bool storeAll();
    void move(void (ProductTypeList::*step)());
    void showPositivePay(const PositivePayFormat& format);
    PositivePayFormat shownPositivePay() const;
    void movePayColumn(int by);

    AppContext& m_context;
    Ui::ProgramSetup m_ui;
    std::unique_ptr<ProductTypeList> m_types;
    std::unique_ptr<SetupOptions> m_options;
    std::unique_ptr<PositivePayOptions> m_payOptions;
};
