#pragma once

#include <QString>
#include <QtGlobal>

/// Where long work tells how far it is: a print run, an import, a backup. The work reports
/// often and cheaply; what shows it (a progress window on the screen, nothing in a test)
/// decides when and how. Reporting never fails and never stops the work: work that would be
/// left half done if stopped offers no way to stop it.
class Progress {
public:
    virtual ~Progress() = default;

    /// `done` of `total` of the work `what` ("Printing checks") are done, counted in `units`
    /// ("checks"); a `total` of 0 means not known. `what` and `units` are fixed texts.
    virtual void report(const QString& what, const QString& units, qint64 done, qint64 total) = 0;
    /// The work is over; whatever showed it goes.
    virtual void finish() {}

    /// Progress that nobody watches.
    static Progress& none();
};
