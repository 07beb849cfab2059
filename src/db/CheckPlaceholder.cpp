#include "db/CheckPlaceholder.h"

#include "app/AppContext.h"
#include "app/SettingsDb.h"
#include "db/BackupAndExit.h"
#include "db/CheckDb.h"
#include "platform/Database.h"
#include "platform/Guard.h"
#include "platform/Program.h"
#include "platform/RecordSet.h"

#include <QAction>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>

CheckPlaceholder::CheckPlaceholder(AppContext& context)
    : Placeholder(context, QStringLiteral("Check"),
                  QStringLiteral("The data-entry screen comes with the next version. The chosen "
                                 "database is %1.")
                      .arg(context.program().currentDatabase()),
                  Placeholder::Leave::None) {
    auto* bar = new QMenuBar(this);
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("MFile"));
    QAction* exit = file->addAction(QStringLiteral("E&xit"));
    exit->setObjectName(QStringLiteral("MExit"));
    layout()->setMenuBar(bar);
    connect(exit, &QAction::triggered, this, [this] { MExit_Click(); });
}

CheckPlaceholder::~CheckPlaceholder() = default;

void CheckPlaceholder::load() {
    Program& program = context().program();
    guarded([&] {
        m_data1 = std::make_unique<RecordSet>(Database::open(program.path(program.currentDatabase())),
                                              CheckDb::kAccount);
    });
    guarded([&] {
        m_data11 = std::make_unique<RecordSet>(Database::open(program.path(SettingsDb::kFileName)),
                                               QStringLiteral("Properties"));
    });
    show();
}

void CheckPlaceholder::MExit_Click() {
    if (!m_data11) {
        context().program().end();
        return;
    }
    BackupAndExit(context(), *m_data11, [this] {
        m_data1.reset();
        close();
    });
}
