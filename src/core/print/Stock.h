#pragma once

#include <QString>
#include <QStringList>

class Printer;
class Prompter;

/// Check stock: three checks to a Letter sheet, 88 mm or 92 mm long. Twips.
struct StockGeometry {
    int pitch;      ///< from the top of one check to the top of the next on a sheet
    int micrRow;    ///< the MICR line, below the check top
    int cutMarkRow; ///< the plain-paper cut marks, below the check top

    /// A check this far below the first of its sheet or more is the third of the sheet.
    static constexpr qint64 kLastOfThree = 8000;

    static constexpr StockGeometry mm88() { return {5020, 4055, 4455}; }
    static constexpr StockGeometry mm92() { return {5270, 4269, 4670}; }
    /// The stock the 88 mm option chooses.
    static constexpr StockGeometry forOption(bool use88mm) { return use88mm ? mm88() : mm92(); }
};

/// The faces printing uses, and the prompts every job on check stock shares.
namespace PrintFaces {

inline const QString kMicr = QStringLiteral("MICR65");
inline const QString kTimes = QStringLiteral("Times New Roman");
inline const QString kHelv = QStringLiteral("Helv");

/// The body font of a job among the printer's `fonts`: Times New Roman when they list it
/// by exactly that name, otherwise Helv.
QString body(const QStringList& fonts);
/// The body font of a job on `printer`.
QString body(const Printer& printer);

inline const QString kLoadStock =
    QStringLiteral("Please load check stock in the printer now and press OK");
inline const QString kMicrMissingTitle = QStringLiteral("WARNING");
inline const QString kMicrMissing = QStringLiteral(
    "Your PC does not have the MICR font installed. Further program execution is not possible");

/// Whether the printer's `fonts` list the MICR face by exactly its name. When they do not,
/// shows the WARNING box: a bank line in a stand-in font is no bank line, so the job must
/// not print.
bool micrPresent(const QStringList& fonts, Prompter& prompter);

/// True when `fonts` lists `family`, by itself or from one of several foundries.
bool lists(const QStringList& fonts, const QString& family);

/// Tells where an ended job went when it went to a file: `notice` is its page's
/// destination notice, empty (and nothing is shown) when the job went to a printer.
void tellDestination(Prompter& prompter, const QString& notice, const QString& title = {});

} // namespace PrintFaces
