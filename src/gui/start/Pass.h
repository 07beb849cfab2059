#pragma once

#include <QWidget>
#include <memory>
#include <optional>

class AppContext;
class QLabel;
class QLineEdit;
class QPushButton;
class RecordSet;

/// The start-up screen: reads the About lines, checks for the MICR font, reminds the
/// user of the default password and asks for the program password.
class Pass : public QWidget {
    Q_OBJECT
public:
    explicit Pass(AppContext& context);
    ~Pass() override;

    /// The load sequence: record sets, About lines, program name, show, font check,
    /// default-password reminder.
    void load();

private:
    /// The password check; nothing when the stored password cannot be read (the user
    /// has been told why).
    std::optional<bool> passwordIsCorrect();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

    AppContext& m_context;
    QLabel* m_programName;
    QLabel* m_version;
    QLineEdit* m_password;
    std::unique_ptr<RecordSet> m_data1; // table A
    std::unique_ptr<RecordSet> m_data2; // settings record
};
