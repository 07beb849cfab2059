#include "core/print/BlankCheckJob.h"

#include "core/databases/CheckDb.h"
#include "core/platform/Clock.h"
#include "core/platform/Database.h"
#include "core/platform/DbError.h"
#include "core/platform/PrintPage.h"
#include "core/platform/Printer.h"
#include "core/platform/Program.h"
#include "core/platform/Prompter.h"
#include "core/platform/RecordSet.h"
#include "core/print/BlankCheckValues.h"
#include "core/print/BlankNumbering.h"
#include "core/print/PrintCount.h"
#include "core/print/QuickenCheck.h"
#include "core/print/RegularBlankCheck.h"
#include "core/print/VoucherCheck.h"

#include <QScopeGuard>
#include <algorithm>

namespace {

// Height of the 12 point line of a voucher stub.
constexpr qint64 kStubHeight = 240;

/// What sets the three layouts apart.
struct Variant {
    QString contents; // what the job holds, in words
    QString prompt;   // the count box
    QString runLine;  // the start of the run line
    bool only88mm;    // refuses other stock
};

Variant variantOf(BlankCheckJob::Layout layout) {
    switch (layout) {
    case BlankCheckJob::Layout::Quicken3Up:
        return {QStringLiteral("Quicken checks"),
                QStringLiteral("Quicken checks are printed from information on the first check "
                               "in this database. Enter the number of checks to print:"),
                QStringLiteral("Printed Quicken 3up checks from check #"), true};
    case BlankCheckJob::Layout::Voucher:
        return {QStringLiteral("voucher checks"),
                QStringLiteral("Quicken checks are printed from information on the first check "
                               "in this database. Enter the number of checks to print:"),
                QStringLiteral("Printed Quicken voucher checks from check #"), true};
    case BlankCheckJob::Layout::Regular:
        break;
    }
    return {QStringLiteral("blank checks"),
            QStringLiteral("Blank checks are printed from information on the first check in "
                           "this database. Enter the number of checks to print:"),
            QStringLiteral("Printed blank checks from check #"), false};
}

QList<LayoutRow> rowsOf(BlankCheckJob::Layout layout, const BlankCheckValues& check) {
    switch (layout) {
    case BlankCheckJob::Layout::Quicken3Up:
        return QuickenCheck::rows(check);
    case BlankCheckJob::Layout::Voucher:
        return VoucherCheck::rows(check);
    case BlankCheckJob::Layout::Regular:
        break;
    }
    return RegularBlankCheck::rows(check);
}

} // namespace

BlankJob::Result BlankCheckJob::run(Layout layout, const QString& databasePath,
                                    const BlankPrintSettings& settings) {
    const Variant variant = variantOf(layout);
    // The run records the numbers it used: a database that cannot take them (read-only,
    // damaged) is refused before a check is printed.
    if (const QString problem = CheckDb::problem(databasePath); !problem.isEmpty())
        throw DbError(problem);
    askToLoadStock();

    auto db = Database::open(databasePath);
    RecordSet account(db, CheckDb::kAccount);
    RecordSet header(db, CheckDb::kHeader);
    account.moveFirst();
    const QSqlRecord payer = account.hasCurrent() ? account.record() : QSqlRecord();
    if (!LayoutRows::has(payer, QStringLiteral("BusinessName")) &&
        !LayoutRows::has(payer, QStringLiteral("FirstName"))) {
        m_prompter.message(QStringLiteral("You must fill in the fields of the first check before "
                                          "you can print checks. ") +
                               m_program.name() +
                               QStringLiteral(" uses the first check in each Database for "
                                              "printing blank checks. "),
                           QStringLiteral("NOTE:"));
        return Result::Stopped;
    }
    if (refuseDraft(header))
        return Result::Stopped;
    if (refuseUnreadableMicr(payer, {},
                             QStringLiteral("Nothing was printed and no check number was used. "
                                            "Correct the first check of this database on the "
                                            "data-entry screen and print again.")))
        return Result::Stopped;
    if (variant.only88mm && !settings.options.use88mm) {
        tell(QStringLiteral("To print Quicken(tm) checks you must set check length to 88mm. "
                            "Select the 88mm check length check box at the bottom of this "
                            "screen."));
        return Result::Stopped;
    }

    const StockOptions& options = settings.options;
    const StockGeometry stock = variant.only88mm ? StockGeometry::mm88() : options.geometry();
    // Checks on a sheet: one voucher check, two when the printer cannot reach the third of
    // 92 mm stock, otherwise three.
    const int perSheet = layout == Layout::Voucher   ? 1
                         : layout == Layout::Regular ? options.checksPerSheet()
                                                     : 3;
    qint64 below =
        PrinterOffsets::below(stock, perSheet, cutMarksAt(options, (perSheet - 1) * stock.pitch));
    if (layout == Layout::Voucher)
        below = std::max(below, 2 * stock.pitch + kStubHeight);
    const PrinterOffsets::Reach reach{below, PrinterOffsets::kCheckWidth, variant.contents};
    // The captions of the Quicken layouts stand 300 twips left of the horizontal start.
    const std::optional<Offsets> at = offsets(settings, 300, reach);
    if (!at)
        return Result::Stopped;
    if (!micrPresent())
        return Result::ProgramEnded;

    const qint64 count = askCount(variant.prompt, variant.contents);
    if (count < 1)
        return Result::Stopped;

    // The numbers are reserved before anything is sent: should the program or the computer
    // stop while the job is on its way, the numbers are used up, and the next run goes on
    // after them. A gap in the numbering is harmless; a number printed twice is not. They
    // are chosen and stored under the header's lock, so no other desk takes them meanwhile.
    qint64 first = 0;
    qint64 last = 0;
    QVariant keptCheck;
    QVariant keptComments;
    QVariant keptLast;
    const auto store = [&](const QVariant& check, const QVariant& comments,
                           const QVariant& lastCheck) {
        account.moveFirst();
        account.edit();
        account.setValue(QStringLiteral("Check"), check);
        account.setValue(QStringLiteral("Comments"), comments);
        account.update();
        header.moveFirst();
        header.edit();
        header.setValue(QStringLiteral("LastCheck"), lastCheck);
        header.update();
    };
    try {
        db->transaction([&] {
            db->lockRows(CheckDb::kHeader);
            account.moveLast();
            const QVariant lastRecordCheck = account.value(QStringLiteral("Check"));
            account.moveFirst();
            keptCheck = account.value(QStringLiteral("Check"));
            keptComments = account.value(QStringLiteral("Comments"));
            header.moveFirst();
            keptLast = header.value(QStringLiteral("LastCheck"));
            first = BlankNumbering::first(keptLast, keptCheck, lastRecordCheck);
            last = first + count - 1;
            const QString line =
                BlankNumbering::runLine(variant.runLine, first, last, m_clock.todayText());
            store(last,
                  line + QStringLiteral("\r\n") +
                      (keptComments.isNull() ? QString() : keptComments.toString()),
                  last);
        });
    } catch (const DbError& e) {
        const QString numbers =
            first > 0 ? QStringLiteral(" #%1 to #%2").arg(first).arg(last) : QString();
        throw DbError(QStringLiteral("The %1 were not printed: their numbers%2 could not be "
                                     "recorded in the database first. %3")
                          .arg(variant.contents, numbers, e.message()));
    }

    std::unique_ptr<PrintPage> job;
    try {
        // The progress goes before anything else is told.
        const auto shown = qScopeGuard([this] { m_progress->finish(); });
        const QString printing = QStringLiteral("Printing %1").arg(variant.contents);
        const QString units = QStringLiteral("checks");
        m_progress->report(printing, units, 0, count);
        job = m_printer.startJob(variant.contents);
        PrintPage& page = *job;
        BlankCheckValues check{payer, bodyFace(), at->left, at->top, first, stock, false};
        int slot = 0;
        for (qint64 number = first; number <= last; ++number) {
            const qint64 pageOffset = slot * stock.pitch;
            check.top = at->top + pageOffset;
            check.number = number;
            check.cutMarks = cutMarksAt(options, pageOffset);
            LayoutRows::print(page, rowsOf(layout, check));
            if (++slot == perSheet) {
                slot = 0;
                page.newPage();
            }
            m_progress->report(printing, units, number - first + 1, count);
        }
        page.endDocument();
    } catch (const DbError& e) {
        // Nothing printed: the numbers go back, and the next run prints them, unless another
        // desk has numbered checks after them meanwhile.
        bool givenBack = false;
        try {
            db->transaction([&] {
                db->lockRows(CheckDb::kHeader);
                header.moveFirst();
                if (header.value(QStringLiteral("LastCheck")).toLongLong() != last)
                    return;
                store(keptCheck, keptComments, keptLast);
                givenBack = true;
            });
        } catch (const DbError& back) {
            throw DbError(e.message() +
                          QStringLiteral(" The check numbers #%1 to #%2 could not be given back "
                                         "(%3), so they stay used: the next %4 start at #%5.")
                              .arg(first)
                              .arg(last)
                              .arg(back.message())
                              .arg(variant.contents)
                              .arg(last + 1));
        }
        if (!givenBack)
            throw DbError(e.message() +
                          QStringLiteral(" The check numbers #%1 to #%2 stay used: another desk "
                                         "has numbered checks after them meanwhile.")
                              .arg(first)
                              .arg(last));
        throw DbError(e.message() +
                      QStringLiteral(" No check numbers were used: the next %1 start again at "
                                     "#%2.")
                          .arg(variant.contents)
                          .arg(first));
    }
    tellDestination(*job);
    return Result::Printed;
}
