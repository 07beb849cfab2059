#pragma once

class PrintPage;
class Printer;
class Prompter;

/// The calibration sheet (Print Sample): a mark and its y in twips every 100 twips down
/// the page, from 0 to 19900, each line starting at x 0 ("----H  Y= 100 "). Lines below the
/// printable area are simply not on the sheet; the last one that is shows how far the
/// printer reaches. It sets no font: it prints in the page's current one.
namespace CalibrationSheet {

constexpr int kStep = 100;
constexpr int kBelow = 20000; ///< lines are printed at every step below this

/// Prints the sheet and ends the document.
void print(PrintPage& page);

/// Prints the sheet as a job of its own on `printer`, and tells the user where it went
/// when it went to a file. Throws DbError when the printer or the file refuses it.
void print(Printer& printer, Prompter& prompter);

} // namespace CalibrationSheet
