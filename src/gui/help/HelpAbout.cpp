#include "gui/help/HelpAbout.h"

#include "core/platform/Program.h"
#include "gui/app/AppContext.h"
#include "gui/platform/ScreenForm.h"

HelpAbout::HelpAbout(AppContext& context) : m_context(context) {
    ScreenForm::setUp(m_ui, this);
}

void HelpAbout::load() {
    show();
    const Program& program = m_context.program();
    setWindowTitle(QStringLiteral("About ") + program.name());
    m_ui.ProgramName->setText(program.name());
    m_ui.Version->setText(program.version());
    m_ui.order1->setText(QStringLiteral("To order the ") + program.name() +
                         QStringLiteral(" Program or Check Stock:"));
    m_ui.HelpAboutLine1->setText(program.aboutLine(1));
    m_ui.HelpAboutLine2->setText(program.aboutLine(2));
    m_ui.HelpAboutLine3->setText(program.aboutLine(3));
}
