#pragma once

#include "core/entry/CheckBook.h"

#include <QList>
#include <QMainWindow>
#include <memory>

class AppContext;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class RecordSet;

/// The data-entry screen: one check at a time, laid out like a paper check. Its boxes are
/// bound to the fields of the current record; what the user types is stored when the
/// record is committed, which every handler that leaves the record does first.
class Check : public QMainWindow {
    Q_OBJECT
public:
    explicit Check(AppContext& context);
    ~Check() override;

    /// The load sequence: record sets, template checks, selectors, last record shown.
    void load();

    /// Stores what the user typed into the current record. A value the field cannot take
    /// is refused with one message naming the field; then nothing is stored, the box shows
    /// the stored value again, and false is returned.
    bool commit();

    /// Shows the current record in the boxes and sets both selectors from it.
    void ShowPrintOptions();

    CheckBook* book() const { return m_book.get(); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct Binding {
        QWidget* box;
        QString field;
        QString caption;
        bool changed = false;
    };

    QLineEdit* addBox(const QString& objectName, const QString& field, const QString& caption,
                      int maxLength);
    QString boxText(const Binding& b) const;
    void setBoxText(Binding& b, const QString& text);
    void showRecord();
    void buildMenus();
    void updateRoutingMark();
    /// Next (forward) or Previous, with the message at either end.
    void walk(bool forward);
    /// Commits, opens another main screen and closes this one.
    void leaveFor(QWidget* (AppContext::*open)());
    /// Commits and opens a screen on top of this one.
    void openOnTop(QWidget* (AppContext::*open)());

    // Handlers, named after their controls.
    void New_Click();
    void Delete_Click();
    void Next_Click();
    void Previous_Click();
    void Print_Click();
    void Save_Click();
    void MExit_Click();
    void FileSave_Click();
    void Open_Click();
    void MProperties_Click();
    void ExportMenu_Click();
    void Setup_Click();
    void MICR_Click();
    void About_Click();
    void Paste_Click();
    void Combo1_Click();
    void Combo2_Click();
    void Filter_Click(const QString& field, const QString& prompt);
    void AllInAccount_Click();

    /// Runs a handler that stops at its first failure and tells the user why.
    template <class F> bool run(F&& handler);

    AppContext& m_context;
    std::unique_ptr<CheckBook> m_book;
    std::unique_ptr<RecordSet> m_data25; // product types
    std::unique_ptr<RecordSet> m_data11; // settings record
    QList<Binding> m_bindings;
    QLineEdit* m_aba = nullptr;
    QLabel* m_routingMark = nullptr;
    QComboBox* m_combo1 = nullptr;
    QComboBox* m_combo2 = nullptr;
    QCheckBox* m_printLabel = nullptr;
    bool m_printLabelChanged = false;
    QLabel* m_id = nullptr;
    QLabel* m_printed = nullptr;
    bool m_leaving = false;
    bool m_showing = false;
};
