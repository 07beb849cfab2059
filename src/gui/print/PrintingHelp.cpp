#include "gui/print/PrintingHelp.h"

#include "core/platform/Program.h"

#include <QStringList>

namespace {

QString name() {
    return QString::fromLatin1(Program::kName);
}

const QString kTwo = QStringLiteral("\n\n");

// The warning about the last check on a sheet, in the help on check stock and in the
// alignment screen's box on the standard method.
const QString kLastCheckNote = QStringLiteral(
    "NOTE: If your printer has problems printing the last check you will have to use the "
    "standard printing method. Some printers do not have a printable area large enough to "
    "print the last check if using the 92mm check length; Most laserjet printers can print the "
    "last check while most ink jet and bubble jet printers cannot.");

const QString kThreeCuts = QStringLiteral("By printing exactly 3 checks per page, you only need "
                                          "to make two cuts in the paper for every 3 checks "
                                          "printed. ");

} // namespace

QString PrintingHelp::checksNotPrinting() {
    return QStringLiteral(
               "Some printers do not have a printable area large enough to print the MICR line "
               "of the last check. If the printer cannot print this information, the printer "
               "will usually print this information on the next page or give you an error.  ") +
           kTwo +
           QStringLiteral("To get around this, choose the Align Printer button in the print "
                          "menu and try decreasing the Vertical Start Position Number. ") +
           kTwo +
           QStringLiteral(
               "If the MICR line at the bottom of your checks prints too small, your PC may not "
               "be setup to properly print True Type fonts to your printer. It may be "
               "necessary, depending on your printer driver to print True Type fonts as "
               "graphics. To do this, go to Control Panel, Select Printers, Select your "
               "printer, choose Setup, choose options and make sure print True Type as graphics "
               "is selected. You may have to change the print mode to raster to do this. If "
               "problems persist, contact your printer manufacturer about how to print True "
               "Type fonts as graphics or obtain a newer printer driver.");
}

QString PrintingHelp::printingLabels() {
    return name() +
           QStringLiteral(" supports Avery(tm) 5160, MACO(tm) LL-3000 or equivalent type labels "
                          "that are 30 per page and 1 X 2 5/8 (2.5cm X 6.7cm).  ") +
           kTwo +
           QStringLiteral(
               "If you had not had exactly 30 labels to print the last time you printed labels, "
               "you should enter the label number to start printing on when prompted. Labels "
               "are numbered down the first column then down the second and last down the "
               "third. Therefore if your previously printed label page has columns 2 and 3 (20 "
               "labels) left on it, you would choose 11 as your first label. This will save you "
               "the expense of throwing away half-used sheets of labels. ");
}

QString PrintingHelp::printingBlankChecks() {
    return QStringLiteral("To print blank business size checks, choose Print Bank Check - "
                          "Regular Blank Checks from the Printer Control Menu. ");
}

QString PrintingHelp::printingQuickenChecks() {
    return QStringLiteral("To print blank check stock for use with Quicken(tm) or QuickBooks(tm), "
                          "choose Print Bank Checks - Quicken(tm) Compatible from the menu bar.");
}

QString PrintingHelp::printingMultipleTimes() {
    return QStringLiteral("You can print checks selected to print multiple times as often as "
                          "you want to.  ") +
           QStringLiteral("\n") + QStringLiteral("Unfortunately ") + name() +
           QStringLiteral(" cannot prompt you when it is time to print these checks again, "
                          "therefore, you should print them on a regular basis. For example, in "
                          "a monthly draft database, choose to print all selected to print "
                          "multiple times on the first Monday of every month.");
}

QString PrintingHelp::selectingWhatToPrint() {
    return QStringLiteral(
               "From this menu, you will need to select which checks you want to print at the "
               "bottom of the screen. Selecting print all selected to print once will print all "
               "checks that have the print field set to print once.   ") +
           kTwo +
           QStringLiteral("Selecting print all selected to print multiple times will print all "
                          "checks that have the print field set to multiple times. You can "
                          "select both of these fields to print both types of checks in one "
                          "print job. ") +
           kTwo +
           QStringLiteral("To the left of each check box there is a small box with a number in "
                          "it. This is the number of checks or labels that will print when you "
                          "select the box. This will give you an idea of how many checks and "
                          "labels to load into the printer. ");
}

QString PrintingHelp::aboutCheckStock() {
    return QStringLiteral("Deselect the 88mm check stock check box if you are printing on check "
                          "stock that is 92mm in length or checks on plain paper and you want to "
                          "print exactly 3 checks per page. ") +
           kTwo + kThreeCuts + kTwo + kLastCheckNote;
}

QString PrintingHelp::plainPaperNote() {
    return QStringLiteral("When printing on paper instead of check stock you should use paper "
                          "that has a light pattern on both sides of it. The checks must also be "
                          "cut out of the paper so that the bottom of the check is completely "
                          "straight. Be sure to cut checks where the dashes ( - ) are placed.");
}

QString PrintingHelp::standardPrintingMethod() {
    return QStringList{
        QStringLiteral("About The Standard Printing Method Check Box:"),
        QStringLiteral("Select the standard printing method for check stock that is 88mm in "
                       "length; This is the check length of most standard letter size 3up check "
                       "stock. Deselect this check box if you are printing on check stock that "
                       "is 92mm in length or checks on plain paper and you want to print exactly "
                       "3 checks per page. "),
        kThreeCuts,
        kLastCheckNote,
    }
        .join(kTwo);
}

QString PrintingHelp::alignmentInformation() {
    return QStringList{
        QStringLiteral("Before aligning your printer, be sure your printer options are setup to "
                       "print on Letter Size Paper and Portrait Orientation."),
        QStringLiteral("To adjust the printed information on the checks down, increase the "
                       "Vertical Starting Position number. To adjust the printed information on "
                       "the checks up you must decrease this number. "),
        QStringLiteral("The default number is 200. This number works fine for most laserjet "
                       "printers, however, on most ink jet printers a value of 350 to 450 works "
                       "better. Adjust this number so that the bottom of the MICR line is 3/16 "
                       "of an inch from the bottom of your checks. Unit of measure: 75 = about "
                       "1/16th of an inch. "),
        QStringLiteral("For horizontal alignment; the Routing Number and the symbols surrounding "
                       "it should be centered between the area of 5 11/16 and 4 5/16 of an inch "
                       "measured from the right side of the check. The default horizontal "
                       "starting position for laserjet printers is 525."),
    }
        .join(kTwo);
}
