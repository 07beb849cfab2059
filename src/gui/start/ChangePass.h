#pragma once

#include <QWidget>
#include <memory>

class AppContext;
class QLineEdit;
class RecordSet;

/// Changes the program password: the new password entered twice.
class ChangePass : public QWidget {
    Q_OBJECT
public:
    explicit ChangePass(AppContext& context);
    ~ChangePass() override;

    void load();

private:
    void Command3_Click();
    void Command2_Click();

    AppContext& m_context;
    QLineEdit* m_password1;
    QLineEdit* m_password2;
    std::unique_ptr<RecordSet> m_data1; // table A
    std::unique_ptr<RecordSet> m_data2; // settings record
};
