#include "core/print/Stock.h"

#include "core/platform/PrintPage.h"
#include "core/platform/Printer.h"
#include "core/platform/Prompter.h"

#include <algorithm>

// A family installed from several foundries is listed once for each ("MICR65 [Foundry]").
bool PrintFaces::lists(const QStringList& fonts, const QString& family) {
    return std::any_of(fonts.cbegin(), fonts.cend(),
                       [&](const QString& listed) { return IsFontFamily(listed, family); });
}

QString PrintFaces::body(const QStringList& fonts) {
    return lists(fonts, kTimes) ? kTimes : kHelv;
}

QString PrintFaces::body(const Printer& printer) {
    return body(printer.fonts());
}

bool PrintFaces::micrPresent(const QStringList& fonts, Prompter& prompter) {
    if (lists(fonts, kMicr))
        return true;
    prompter.message(kMicrMissing, kMicrMissingTitle, Prompter::Icon::Warning);
    return false;
}

void PrintFaces::tellDestination(Prompter& prompter, const QString& notice, const QString& title) {
    if (!notice.isEmpty())
        prompter.message(notice, title, Prompter::Icon::Information);
}
