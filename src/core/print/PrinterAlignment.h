#pragma once

#include <QString>

/// The printer alignment in the settings record of PC.OVL: the vertical and horizontal
/// starting positions (twips) and the 88 mm stock flag, as the alignment screen shows and
/// stores them.
///
/// A starting position the user types must be a whole number that keeps every check of the
/// next print run on the Letter sheet, for the stock chosen here and the printer control
/// screen's choices of two a sheet and plain paper: the run's own limits, in the run's own
/// words. A box left as it was shown is kept as stored, whatever it holds.
namespace PrinterAlignment {

/// The alignment as the screen shows it: the positions as text, empty when never set.
struct Values {
    QString vertical;
    QString horizontal;
    bool use88mm = false;
};

/// Reads the settings record of the settings file at `path`. Throws DbError.
Values read(const QString& path);

/// What became of a press of OK.
struct Result {
    /// Empty when the alignment was stored; otherwise why not, in one message, and nothing
    /// was stored.
    QString problem;
    bool verticalRefused = false;
    bool horizontalRefused = false;
    /// What the settings record holds now.
    Values stored;
};

/// Stores what the user typed, in one update: both positions and the flag, or nothing
/// when a position is refused. Throws DbError when the record cannot be written.
Result store(const QString& path, const Values& typed);

} // namespace PrinterAlignment
