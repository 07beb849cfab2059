#pragma once

#include "core/register/RegisterModel.h"
#include "ui_Register.h"

#include <QDialog>
#include <QTimer>
#include <memory>

class AppContext;

/// The register: every check of the current database in a table that sorts by any column
/// and narrows to a text and to dates, with the count and total of the checks shown under
/// it. It opens beside the data-entry screen; choosing a check (double-click, Enter or
/// Show Check) shows it there. The rows are read again whenever the window comes back to
/// the front, so what was changed on the data-entry screen meanwhile shows.
class Register : public QDialog {
    Q_OBJECT
public:
    explicit Register(AppContext& context);
    ~Register() override;

    /// Opens the register of the current database and shows it.
    void load();

    RegisterModel* model() const { return m_model.get(); }

signals:
    /// The user chose the check with this ID to be shown on the data-entry screen.
    void checkChosen(qint64 id);

protected:
    void changeEvent(QEvent* event) override;

private slots:
    // The handlers, connected to the controls in the form.
    void filterTyped();
    void applyFilter();
    void showAll();
    void sortChosen();
    void showChosenCheck();

private:
    void sortByHeader(int section);
    void order(CheckKeys::Column column, Qt::SortOrder order);
    void showOrder();
    void showTotals();
    /// Reads the rows again, keeping the chosen row where it can.
    void reread();
    /// Runs a change of the rows through tellIfFails: a failure is told, and the register
    /// says it is empty rather than showing rows that are not what was asked for.
    template <class F> void change(F&& work);

    AppContext& m_context;
    Ui::Register m_ui;
    std::unique_ptr<RegisterModel> m_model;
    QTimer m_typing;
    bool m_shownOnce = false;
};
