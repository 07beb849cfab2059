#include "core/print/DepositTicketJob.h"

#include "core/databases/CheckDb.h"
#include "core/platform/Database.h"
#include "core/platform/PrintPage.h"
#include "core/platform/Printer.h"
#include "core/platform/Program.h"
#include "core/platform/Prompter.h"
#include "core/platform/RecordSet.h"
#include "core/print/BlankCheckValues.h"
#include "core/print/DepositTicket.h"

#include <QScopeGuard>

namespace {

// From the horizontal start to the end of the account field: room for the account number
// and a tran code. It sets how far right the horizontal start of tickets may go.
constexpr qint64 kTicketWidth = 8655;

} // namespace

BlankJob::Result DepositTicketJob::run(const QString& databasePath,
                                       const BlankPrintSettings& settings) {
    askToLoadStock();
    auto db = Database::open(databasePath);
    RecordSet header(db, CheckDb::kHeader);
    if (refuseDraft(header))
        return Result::Stopped;
    // A template without names prints tickets with an empty depositor block.
    RecordSet account(db, CheckDb::kAccount);
    account.moveFirst();
    const QSqlRecord payer = account.hasCurrent() ? account.record() : QSqlRecord();
    if (refuseUnreadableMicr(payer, settings.tranCode,
                             QStringLiteral("Nothing was printed. Correct the first check of "
                                            "this database on the data-entry screen, or the tran "
                                            "code in File - Program Setup, and print again.")))
        return Result::Stopped;
    tell(QStringLiteral("Some banks use different routing numbers or insert an additional "
                        "number that is usually called TRAN CODE after the account number on "
                        "deposit tickets. If your bank uses this code on deposit tickets, enter "
                        "the tran code in Program Setup before printing deposit tickets.  \n\n"
                        "To get to Program Setup, from the data entry screen choose File - "
                        "Program Setup from the menu. If the routing number is different for "
                        "deposit tickets, you will need to create a new check database for "
                        "deposit tickets. "));

    const StockOptions& options = settings.options;
    const StockGeometry stock = options.geometry();
    const QString contents = QStringLiteral("deposit tickets");
    const qint64 below = PrinterOffsets::below(stock, 3, cutMarksAt(options, 2 * stock.pitch));
    // Deposit tickets take the horizontal start as it is stored, with no least value.
    const std::optional<Offsets> at =
        offsets(settings, std::nullopt, {below, kTicketWidth, contents});
    if (!at)
        return Result::Stopped;
    if (!micrPresent())
        return Result::ProgramEnded;

    const qint64 count =
        askCount(QStringLiteral("Deposit slips are printed from information on the first check "
                                "in this database. Enter the number of deposit slips to print:"),
                 contents);
    if (count < 1)
        return Result::Stopped;

    std::unique_ptr<PrintPage> job;
    {
        // The progress goes before anything else is told.
        const auto shown = qScopeGuard([this] { m_progress->finish(); });
        const QString printing = QStringLiteral("Printing deposit tickets");
        const QString units = QStringLiteral("tickets");
        m_progress->report(printing, units, 0, count);
        job = m_printer.startJob(contents);
        PrintPage& page = *job;
        BlankCheckValues ticket{payer, bodyFace(), at->left, at->top, 0, stock, false};
        int slot = 0;
        for (qint64 i = 0; i < count; ++i) {
            const qint64 pageOffset = slot * stock.pitch;
            ticket.top = at->top + pageOffset;
            ticket.cutMarks = cutMarksAt(options, pageOffset);
            DepositTicket::print(page, ticket, settings.tranCode);
            if (++slot == 3) {
                slot = 0;
                page.newPage();
            }
            m_progress->report(printing, units, i + 1, count);
        }
        page.endDocument();
    }
    tellDestination(*job);
    return Result::Printed;
}
