#include "gui/entry/WaysOut.h"

#include "gui/entry/CheckMessages.h"
#include "gui/entry/FieldBinding.h"
#include "ui_Check.h"

void WaysOut::keepOnly(Ui::Check& ui, FieldBinding& binding, const QString& why) {
    binding.freeze();
    for (QWidget* w :
         std::initializer_list<QWidget*>{ui.Combo1, ui.Combo2, ui.New, ui.Delete, ui.Previous,
                                         ui.Next, ui.Command5, ui.VoidButton, ui.RegisterButton})
        w->setEnabled(false);
    QList<QAction*> actions = ui.Select->actions();
    actions << ui.ExportMenu << ui.MProperties << ui.ImportFromFile << ui.Paste << ui.MPrint
            << ui.FilePrint << ui.FileSave << ui.Select->menuAction() << ui.MVoid << ui.MRegister
            << ui.MPositivePay;
    for (QAction* a : actions)
        a->setEnabled(false);
    ui.Unavailable->setText(why + CheckMessages::kOnlyWaysOut);
    ui.Unavailable->show();
}
