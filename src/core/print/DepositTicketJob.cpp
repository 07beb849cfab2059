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

#include <algorithm>

namespace {

// Heights of the 12 point MICR line and the 10 point cut marks.
constexpr qint64 kMicrHeight = 240;
constexpr qint64 kCutMarkHeight = 200;
// From the horizontal start to the end of the account field: the account and a tran code.
constexpr qint64 kTicketWidth = 5655 + 3000;
// A ticket this far below the first of its sheet or more is the third.
constexpr qint64 kLastOfThree = 8000;

} // namespace

BlankJob::Result DepositTicketJob::run(const QString& databasePath,
                                       const BlankPrintSettings& settings) {
    askToLoadStock();
    auto db = Database::open(databasePath);
    RecordSet header(db, CheckDb::kHeader);
    if (refuseDraft(header))
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
    // On 92 mm stock the third ticket of a sheet is cut at the sheet's edge.
    const auto cutMarksAt = [&](qint64 pageOffset) {
        return options.plainPaper && (options.use88mm || pageOffset < kLastOfThree);
    };
    const qint64 lastTop = 2 * stock.pitch;
    qint64 below = lastTop + stock.micrRow + kMicrHeight;
    if (cutMarksAt(lastTop))
        below = std::max(below, lastTop + stock.cutMarkRow + kCutMarkHeight);
    // Deposit tickets take the horizontal start as it is stored, with no least value.
    const std::optional<Offsets> at = offsets(settings, 0, {below, kTicketWidth, contents});
    if (!at)
        return Result::Stopped;
    if (!micrPresent())
        return Result::ProgramEnded;

    const qint64 count =
        askCount(QStringLiteral("Deposit slips are printed from information on the first check "
                                "in this database. Enter the number of deposit slips to print:"),
                 QStringLiteral("deposit slips"));
    if (count < 1)
        return Result::Stopped;

    // A template without names prints tickets with an empty depositor block.
    RecordSet account(db, CheckDb::kAccount);
    account.moveFirst();
    const QSqlRecord payer = account.hasCurrent() ? account.record() : QSqlRecord();

    const std::unique_ptr<PrintPage> job = m_printer.startJob(contents);
    PrintPage& page = *job;
    BlankCheckValues ticket{payer, bodyFace(), at->left, at->top, 0, stock, false};
    int slot = 0;
    for (qint64 i = 0; i < count; ++i) {
        const qint64 pageOffset = slot * stock.pitch;
        ticket.top = at->top + pageOffset;
        ticket.cutMarks = cutMarksAt(pageOffset);
        DepositTicket::print(page, ticket, settings.tranCode);
        if (++slot == 3) {
            slot = 0;
            page.newPage();
        }
    }
    page.endDocument();
    tellDestination(*job);
    return Result::Printed;
}
