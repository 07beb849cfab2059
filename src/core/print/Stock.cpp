#include "core/print/Stock.h"

#include "core/platform/Printer.h"
#include "core/platform/Prompter.h"

QString PrintFaces::body(const QStringList& fonts) {
    return fonts.contains(kTimes, Qt::CaseSensitive) ? kTimes : kHelv;
}

QString PrintFaces::body(const Printer& printer) {
    return body(printer.fonts());
}

bool PrintFaces::micrPresent(const QStringList& fonts, Prompter& prompter) {
    if (fonts.contains(kMicr, Qt::CaseSensitive))
        return true;
    prompter.message(kMicrMissing, kMicrMissingTitle, Prompter::Icon::Warning);
    return false;
}

void PrintFaces::tellDestination(Prompter& prompter, const QString& notice, const QString& title) {
    if (!notice.isEmpty())
        prompter.message(notice, title, Prompter::Icon::Information);
}
