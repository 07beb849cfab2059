#pragma once

/// What one press of Print is to print from the current database: the four selection boxes
/// of the printer control screen.
struct PrintSelection {
    bool once = false;          ///< checks whose Print is "Once"
    bool monthly = false;       ///< checks whose Print is "Monthly"
    bool oneTimeLabels = false; ///< labels of one-time checks ("Once" or already "Never")
    bool monthlyLabels = false; ///< labels of checks that print every time

    bool checks() const { return once || monthly; }
    bool labels() const { return oneTimeLabels || monthlyLabels; }
    bool any() const { return checks() || labels(); }
};
