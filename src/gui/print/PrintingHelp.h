#pragma once

#include <QString>

/// The fixed texts of the printer control and alignment screens: the help messages of the
/// printer control screen's Help menu, the note on plain paper, and the two information
/// boxes of the alignment screen. Paragraphs are separated by line feeds.
namespace PrintingHelp {

QString checksNotPrinting();     ///< Help - Checks Are Not Printing Properly
QString printingLabels();        ///< Help - Printing Labels
QString printingBlankChecks();   ///< Help - Printing Blank Checks
QString printingQuickenChecks(); ///< Help - Printing Quicken(tm) Compatible Checks
QString printingMultipleTimes(); ///< Help - Printing Checks Multiple Times
QString selectingWhatToPrint();  ///< Help - Selecting What You Want to Print
QString aboutCheckStock();       ///< Help - About Check Stock

QString plainPaperNote(); ///< shown when plain paper is chosen
inline const QString kPlainPaperNoteTitle = QStringLiteral("NOTE");

QString standardPrintingMethod(); ///< the alignment screen's box on the 88 mm method
QString alignmentInformation();   ///< the alignment screen's box on alignment

} // namespace PrintingHelp
