#pragma once

#include "core/platform/Progress.h"
#include "core/print/CheckMarking.h"
#include "core/print/PrintSelection.h"
#include "core/print/PrintSettings.h"

#include <QList>
#include <QString>
#include <memory>

class Database;
class PrintPage;
class Printer;
class Prompter;

/// What one press of Print puts on paper, apart from anything it asks or writes: which
/// rows the boxes select, in what order, and where each check and label goes. The Print
/// run and its preview both print through here, so that the preview never shows anything
/// but what Print prints.
namespace PrintWalk {

/// The checks a check job printed, and what each showed, for the marking after Yes.
using PrintedChecks = CheckMarking::Printed;

/// Whether the checks a selection asks for may print.
enum class ChecksReady {
    Yes,
    NoMicrFont, ///< no check prints; labels, which need no MICR font, still do
    Refused,    ///< nothing prints: the starting positions or MICR values must be corrected
};

/// Whether the checks `selection` asks for may print on `printer` with the starting
/// positions of `settings` and the stock `options`. When they may not (no MICR font: no
/// bank line in a stand-in font; a start that puts checks off the sheet; a stored value the
/// MICR line cannot print), tells the user why.
ChecksReady checksReady(const Printer& printer, Prompter& prompter,
                        const std::shared_ptr<Database>& db, const PrintSelection& selection,
                        const PrintSettings& settings, const StockOptions& options);

/// The values of the checks the selection asks for that the MICR line cannot print (letters
/// in an account number, a negative check number), one line each as MicrText words it;
/// empty when every selected check can print.
QStringList unreadableMicr(const std::shared_ptr<Database>& db, const PrintSelection& selection);

/// Walks `Account` from its first row and prints every check the selection asks for,
/// placed on the sheets of the stock. A check that prints every time shows `today` as its
/// date; nothing is stored. Ends the document. Throws DbError when the page fails.
/// Each check printed is reported to `progress`, of all the checks the selection prints.
PrintedChecks checks(PrintPage& page, const std::shared_ptr<Database>& db,
                     const PrintSelection& selection, const StockOptions& options,
                     const PrintSettings& settings, const QString& bodyFont, const QString& today,
                     Progress& progress = Progress::none());

/// Walks `Account` from its first row and prints a label, from label `first` on, for every
/// row the label boxes select. Ends the document and returns the rows labelled. Throws
/// DbError when the page fails.
QList<qint64> labels(PrintPage& page, const std::shared_ptr<Database>& db,
                     const PrintSelection& selection, int first, const QString& bodyFont);

} // namespace PrintWalk
