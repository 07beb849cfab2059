#include "gui/entry/CheckHelp.h"

#include "core/platform/Prompter.h"

#include <QMenu>

namespace {

struct HelpEntry {
    const char* objectName;
    const char* caption;
    QStringList paragraphs;
};

QList<HelpEntry> entries(const QString& product) {
    return {
        {"hban",
         "Bank Account Number",
         {QStringLiteral(
              "This number should include all spaces and dashes as they appear on the bottom of a "
              "check or a deposit slip (to enter a dash on the MICR line, enter an uppercase D "
              "where you want to place the dash).  "),
          QStringLiteral(
              "The account number is made up of the numbers that remain on the MICR line after "
              "the routing number and check number have been identified. ")}},
        {"atbrn",
         "&Bank Routing Number",
         {QStringLiteral(
              "This is the unique identification number for the financial institution.  "),
          QStringLiteral(
              "This 9 digit number can be found by looking at the line of numbers in the MICR "
              "font at the bottom of the check. The numbers between the two colon marks make up "
              "the routing number.")}},
        {"hcns",
         "Check Numbers",
         {QStringLiteral(
              "Valid check numbers are between 3 and 6 digits in length (101 to 999999).  "),
          QStringLiteral(
              "You should not try to deposit a check or draft with the same number that has "
              "recently been deposited. If you do, the bank could reject the check. To avoid "
              "duplicate check numbers, it is a good idea to use a certain range of check "
              "numbers for ") +
              product + QStringLiteral(" checks.  "),
          QStringLiteral(
              "For example, if your current check number is 455, then you could choose a high "
              "check number such as 4000. ")}},
        {"eci",
         "Entering Check &Information",
         {QStringLiteral("The first check in each account is used to set default fields.  "),
          QStringLiteral(
              "To create a new check at this screen you will need to select the NEW button at "
              "the bottom of the screen. This will create a new record in the account database "
              "- you MUST create a new record for every check you wish to print, or change the "
              "fields of an existing check.   "),
          QStringLiteral(
              "All fields should be filled in for a properly formatted check. For information on "
              "how to obtain the routing and account numbers from a check, choose Help - Help "
              "with MICR Information from the data entry screen.  "),
          QStringLiteral(
              "Most of the fields you are going to enter data into on the data entry screen are "
              "arranged in the format of a standard check. If you have any doubt about what "
              "information should go into what field, you can review any standard check from a "
              "bank.  "),
          QStringLiteral(
              "To move to a previously created check, use the navigation buttons at the bottom "
              "of the data entry screen.")}},
        {"hwtcpo",
         "How Will This Check Print Option",
         {QStringLiteral(
              "The default selection here is One Time which means that after the check is "
              "printed, it is set to not print again.  "),
          QStringLiteral(
              "If you select Multiple Times the check will print every time you select the print "
              "all checks selected to print multiple times selection from the print menu. Checks "
              "being printed multiple times can be used for monthly or weekly bank drafts in a "
              "draft database or employee payroll in a check database.  "),
          QStringLiteral(
              "Note that these checks are renumbered after they are printed to avoid duplicate "
              "check numbers. ")}},
        {"hhtpsc",
         "How to Print Checks",
         {QStringLiteral(
             "After you have entered a few checks and you are ready to print them out, choose "
             "File - Print Checks or Labels to get to the printer control menu. This menu also "
             "allows you to print blank checks. ")}},
        {"hpdtdpb",
         "Product Type Drop Down Box",
         {QStringLiteral("This is an optional feature.  "),
          QStringLiteral(
              "To enter the different types of products you wish to appear in the Product Type "
              "drop down box, select File - Program Setup from the data entry menu.  "),
          QStringLiteral(
              "This is useful if you export the database and wish to sort sales based on the "
              "different types of products sold. To help automate things, the chosen product "
              "type is automatically entered in the For or memo field on the screen.  Enter one "
              "product type per record - press new to add a record. Use the arrow buttons to "
              "move through the records. ")}},
    };
}

} // namespace

void CheckHelp::addTo(QMenu* menu, QAction* before, const QString& product, Prompter& prompter) {
    for (const HelpEntry& entry : entries(product)) {
        auto* action = new QAction(QString::fromLatin1(entry.caption), menu);
        action->setObjectName(QString::fromLatin1(entry.objectName));
        menu->insertAction(before, action);
        // Paragraphs are set apart by an empty line.
        const QString text = entry.paragraphs.join(QStringLiteral("\n\n"));
        QObject::connect(action, &QAction::triggered, menu,
                         [&prompter, text] { prompter.message(text); });
    }
}
