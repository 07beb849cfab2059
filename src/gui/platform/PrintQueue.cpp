#include "gui/platform/PrintQueue.h"

#include "core/platform/DbError.h"

#include <cups/cups.h>
#include <memory>

namespace {

struct Dest {
    cups_dest_t* dest = nullptr;
    ~Dest() {
        if (dest)
            cupsFreeDests(1, dest);
    }
    QString option(const char* name) const {
        return QString::fromUtf8(cupsGetOption(name, dest->num_options, dest->options));
    }
};

/// The printer's entry with its state as the print system sees it now; none when it has
/// no such printer (or, for an empty name, no default).
std::unique_ptr<Dest> find(const QString& printer) {
    auto found = std::make_unique<Dest>();
    const QByteArray name = printer.toUtf8();
    found->dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT,
                                   printer.isEmpty() ? nullptr : name.constData(), nullptr);
    if (!found->dest)
        return nullptr;
    return found;
}

QString lastError() {
    return QString::fromUtf8(cupsLastErrorString()).trimmed();
}

} // namespace

QString PrintQueue::defaultPrinter() {
    const auto dest = find(QString());
    return dest ? QString::fromUtf8(dest->dest->name) : QString();
}

bool PrintQueue::exists(const QString& printer) {
    return !printer.isEmpty() && find(printer) != nullptr;
}

void PrintQueue::checkReady(const QString& printer, const QString& contents) {
    const auto dest = find(printer);
    if (!dest)
        throw DbError(QStringLiteral("The printer \"%1\" is no longer available, so the %2 were "
                                     "not sent. Choose another printer in Printer Setup, or "
                                     "check that the printer is connected, and print again.")
                          .arg(printer, contents));
    // 5 is IPP's "stopped": the queue takes jobs but holds them without printing.
    if (dest->option("printer-state") == QLatin1String("5"))
        throw DbError(QStringLiteral("The printer \"%1\" is stopped: the print system would hold "
                                     "the %2 without printing them, so they were not sent. Start "
                                     "the printer again in the system's printer settings, or "
                                     "choose another printer in Printer Setup, and print again.")
                          .arg(printer, contents));
    if (dest->option("printer-is-accepting-jobs") == QLatin1String("false"))
        throw DbError(QStringLiteral("The printer \"%1\" accepts no print jobs now, so the %2 "
                                     "were not sent. Let it accept jobs again in the system's "
                                     "printer settings, or choose another printer in Printer "
                                     "Setup, and print again.")
                          .arg(printer, contents));
}

void PrintQueue::submit(const QString& printer, const QString& path, const QString& title) {
    // The pages are already laid out for the printer's printable area on a Letter sheet:
    // the print system must neither move nor scale them.
    cups_option_t* options = nullptr;
    int count = 0;
    count = cupsAddOption("media", "Letter", count, &options);
    count = cupsAddOption("print-scaling", "none", count, &options);
    count = cupsAddOption("fit-to-page", "false", count, &options);
    const int job =
        cupsPrintFile2(CUPS_HTTP_DEFAULT, printer.toUtf8().constData(), path.toUtf8().constData(),
                       title.toUtf8().constData(), count, options);
    cupsFreeOptions(count, options);
    if (job <= 0)
        throw DbError(QStringLiteral("The printer \"%1\" did not accept the print job: %2. Check "
                                     "the printer in the system's printer settings, then print "
                                     "again.")
                          .arg(printer, lastError()));
}
