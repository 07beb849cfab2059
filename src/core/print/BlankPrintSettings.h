#pragma once

#include <QString>
#include <QVariant>

class RecordSet;

/// What a blank-check or deposit-ticket job reads from the settings record and from the
/// printer control screen's option boxes at the moment it starts.
struct BlankPrintSettings {
    QVariant verticalStart;   ///< AlignStart as stored (twips)
    QVariant horizontalStart; ///< field 5 as stored (twips)
    QString tranCode;         ///< field 1: printed after the account on deposit tickets
    bool use88mm = true;      ///< the 88 mm check stock box
    bool plainPaper = false;  ///< the plain-paper box
    bool twoPerPage = false;  ///< the two-checks-per-page box

    /// The stored settings record (the first row of `settings`, a record set over the
    /// settings table of PC.OVL). A Yes/No field that is Null counts as not set.
    static BlankPrintSettings read(RecordSet& settings);
};
