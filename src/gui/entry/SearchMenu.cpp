#include "gui/entry/SearchMenu.h"

#include <QMenu>

namespace {

struct FilterEntry {
    const char* objectName;
    const char* caption;
    const char* field;
    const char* prompt;
};

const FilterEntry kFilters[] = {
    {"ViewByName", "By &Business Name", "BusinessName",
     "Enter any combination of characters here and choose OK to view ONLY checks that contain "
     "these "
     "characters in the Business Name field:"},
    {"LastName", "By &Last Name", "LastName",
     "Enter any combination of characters here and choose OK to view ONLY checks that contain "
     "these "
     "characters in the Last Name field:"},
    {"FirstName", "By First &Name", "FirstName",
     "Enter any combination of characters here and choose OK to view ONLY checks that contain "
     "these "
     "characters in the First Name field:"},
    {"CheckNum", "By &Check Number", "Check",
     "Enter any combination of numbers here and choose OK to view ONLY checks that contain these "
     "numbers in the CHECK field:"},
    {"AccountNumber", "By A&ccount Number", "Account",
     "Enter any combination of numbers here and choose OK to view ONLY checks that contain these "
     "numbers in the Charge to ACCOUNT NUMBER field:"},
    {"ByMemoField", "By Memo Field", "For",
     "Enter any combination of characters here and choose OK to view ONLY checks that contain "
     "these "
     "characters in the For field:"},
    {"ByComments", "By Comments", "Comments",
     "Enter any combination of characters here and choose OK to view ONLY checks that contain "
     "these "
     "characters in the Comments:"},
};

} // namespace

void SearchMenu::addTo(QMenu* menu, const Search& search) {
    for (const FilterEntry& f : kFilters) {
        QAction* action = menu->addAction(QString::fromLatin1(f.caption));
        action->setObjectName(QString::fromLatin1(f.objectName));
        const QString field = QString::fromLatin1(f.field);
        const QString prompt = QString::fromLatin1(f.prompt);
        QObject::connect(action, &QAction::triggered, menu,
                         [search, field, prompt] { search(field, prompt); });
    }
}
