#pragma once

#include <QWidget>

class AppContext;
class QLineEdit;
class QRadioButton;

/// Makes a new CHECK or DRAFT database from the template file.
class CreateNewDatabase : public QWidget {
    Q_OBJECT
public:
    explicit CreateNewDatabase(AppContext& context);
    void load();

    static const QString kFailure;

private:
    void Command1_Click();
    void Exit1_Click();

    AppContext& m_context;
    QRadioButton* m_draft;
    QRadioButton* m_check;
    QLineEdit* m_name;
    QLineEdit* m_description;
};
