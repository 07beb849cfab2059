#include "gui/help/HelpAbout.h"

#include "ui_HelpAbout.h"

#include "core/platform/Program.h"
#include "gui/app/AppContext.h"

HelpAbout::HelpAbout(AppContext& context)
    : m_context(context), m_ui(std::make_unique<Ui::HelpAbout>()) {
    m_ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    connect(m_ui->Command1, &QPushButton::clicked, this, &QWidget::close);
}

HelpAbout::~HelpAbout() = default;

void HelpAbout::load() {
    show();
    const Program& program = m_context.program();
    setWindowTitle(QStringLiteral("About ") + program.name());
    m_ui->ProgramName->setText(program.name());
    m_ui->Version->setText(program.version());
    m_ui->order1->setText(QStringLiteral("To order the ") + program.name() +
                          QStringLiteral(" Program or Check Stock:"));
    m_ui->HelpAboutLine1->setText(program.aboutLine(1));
    m_ui->HelpAboutLine2->setText(program.aboutLine(2));
    m_ui->HelpAboutLine3->setText(program.aboutLine(3));
}
