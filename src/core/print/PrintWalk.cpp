#include "core/print/PrintWalk.h"

#include "core/databases/CheckDb.h"
#include "core/entry/MicrText.h"
#include "core/entry/PrintOption.h"
#include "core/platform/Database.h"
#include "core/platform/Printer.h"
#include "core/platform/Prompter.h"
#include "core/platform/RecordSet.h"
#include "core/platform/TableSchema.h"
#include "core/print/CheckFace.h"
#include "core/print/CheckPlacement.h"
#include "core/print/LabelSheet.h"
#include "core/print/PrinterOffsets.h"
#include "core/print/Stock.h"

namespace {

const QString kPrint = QStringLiteral("Print");

} // namespace

PrintWalk::ChecksReady PrintWalk::checksReady(const Printer& printer, Prompter& prompter,
                                              const std::shared_ptr<Database>& db,
                                              const PrintSelection& selection,
                                              const PrintSettings& settings,
                                              const StockOptions& options) {
    if (!PrintFaces::lists(printer.fonts(), PrintFaces::kMicr)) {
        // Unlike the blank layouts, a run from the database goes on: its labels need no
        // MICR font.
        prompter.message(QStringLiteral("Checks cannot be printed without the MICR font MICR65, "
                                        "in which the bank's numbers at the bottom of every "
                                        "check are printed. No check was printed, marked or "
                                        "numbered. Ledgerline goes on, and address labels "
                                        "still print: they need no MICR font. Install MICR65, "
                                        "then print the checks again."),
                         {}, Prompter::Icon::Warning);
        return ChecksReady::NoMicrFont;
    }
    const QString misplaced = PrinterOffsets::problem(
        settings.verticalStart, settings.horizontalStart, CheckPlacement::reach(options));
    if (!misplaced.isEmpty()) {
        prompter.message(misplaced, {}, Prompter::Icon::Warning);
        return ChecksReady::Refused;
    }
    // A check whose MICR line the bank cannot read is worth nothing printed: the whole job
    // waits until every such value is corrected.
    if (const QStringList refused = unreadableMicr(db, selection); !refused.isEmpty()) {
        prompter.message(
            MicrText::refusal(refused, QStringLiteral("Nothing was printed, marked or numbered. "
                                                      "Correct these checks on the data-entry "
                                                      "screen and print again.")),
            {}, Prompter::Icon::Warning);
        return ChecksReady::Refused;
    }
    return ChecksReady::Yes;
}

QStringList PrintWalk::unreadableMicr(const std::shared_ptr<Database>& db,
                                      const PrintSelection& selection) {
    QStringList refused;
    QVariantList kinds;
    if (selection.once)
        kinds << PrintOption::kOnce;
    if (selection.monthly)
        kinds << PrintOption::kMonthly;
    if (kinds.isEmpty())
        return refused;
    const QString condition =
        kinds.size() == 1 ? QStringLiteral("\"Print\" = ?") : QStringLiteral("\"Print\" IN (?, ?)");
    const QString notVoid = QStringLiteral(" AND ") + CheckDb::notVoid(*db);
    RecordSet rows(db, CheckDb::kAccount, condition + notVoid, kinds);
    using MicrText::Field;
    const struct {
        const char* field;
        Field micr;
    } fields[] = {
        {"Check", Field::CheckNumber}, {"ABA", Field::Routing}, {"Account", Field::Account}};
    db->transaction([&] {
        for (rows.moveFirst(); !rows.eof(); rows.moveNext()) {
            const QSqlRecord row = rows.record();
            for (const auto& f : fields) {
                // The text exactly as the MICR line prints it: a number with its blanks.
                const QString printed =
                    PrintItem::value(row.value(QString::fromLatin1(f.field))).text();
                if (!MicrText::fits(f.micr, printed))
                    refused << MicrText::refusedValue(
                        MicrText::whoIs(row.value(QStringLiteral("Check")), rows.currentId()),
                        f.micr, printed.trimmed());
            }
        }
    });
    return refused;
}

PrintWalk::PrintedChecks PrintWalk::checks(PrintPage& page, const std::shared_ptr<Database>& db,
                                           const PrintSelection& selection,
                                           const StockOptions& options,
                                           const PrintSettings& settings, const QString& bodyFont,
                                           const QString& today, Progress& progress) {
    PrintedChecks printed;
    const QString printing = QStringLiteral("Printing checks");
    const QString units = QStringLiteral("checks");
    qint64 total = 0;
    if (&progress != &Progress::none()) {
        QVariantList kinds;
        if (selection.once)
            kinds << PrintOption::kOnce;
        if (selection.monthly)
            kinds << PrintOption::kMonthly;
        if (!kinds.isEmpty())
            total = RecordSet(db, CheckDb::kAccount,
                              kinds.size() == 1 ? QStringLiteral("\"Print\" = ?")
                                                : QStringLiteral("\"Print\" IN (?, ?)"),
                              kinds)
                        .recordCount();
        progress.report(printing, units, 0, total);
    }
    RecordSet header(db, CheckDb::kHeader);
    const CheckDb::Kind kind = CheckDb::kind(header);
    CheckPlacement placement(options, settings.verticalStart);
    // A void check never prints, whatever its print option says.
    RecordSet rows(db, CheckDb::kAccount, CheckDb::notVoid(*db), {});
    // The walk reads the table in one transaction: one consistent state, and the file is
    // locked once rather than at every row.
    db->transaction([&] {
        printed.othersVersion = db->othersVersion();
        for (rows.moveFirst(); !rows.eof(); rows.moveNext()) {
            const QString print = rows.value(kPrint).toString();
            const bool isOnce = selection.once && print == PrintOption::kOnce;
            const bool isMonthly = selection.monthly && print == PrintOption::kMonthly;
            if (!isOnce && !isMonthly)
                continue;
            CheckFace::Check check{rows.record(), kind, {}};
            // A check that prints every time carries the date of the run.
            check.date = isMonthly ? QVariant(today) : check.value(QStringLiteral("Date"));
            const QByteArray face =
                CheckFace::print(page, check, bodyFont, settings.horizontalStart,
                                 placement.checkTop(), placement.stock().micrRow);
            placement.printCutMarks(page, bodyFont);
            placement.advance(page);
            (isOnce ? printed.once : printed.monthly).append(rows.currentId());
            printed.faces.insert(rows.currentId(), face);
            const QVariant number = check.value(QStringLiteral("Check"));
            (isOnce ? printed.onceNumbers : printed.monthlyNumbers)
                << (number.isNull() ? QStringLiteral("without a number")
                                    : QLatin1Char('#') + number.toString());
            progress.report(printing, units, printed.once.size() + printed.monthly.size(), total);
        }
    });
    page.endDocument();
    return printed;
}

QList<qint64> PrintWalk::labels(PrintPage& page, const std::shared_ptr<Database>& db,
                                const PrintSelection& selection, int first,
                                const QString& bodyFont) {
    QList<qint64> printed;
    LabelSheet sheet(first);
    // Nor does its label: the labels of one-time checks include those printed already
    // ("Never"), which a void check is too.
    RecordSet rows(db, CheckDb::kAccount, CheckDb::notVoid(*db), {});
    db->transaction([&] {
        for (rows.moveFirst(); !rows.eof(); rows.moveNext()) {
            if (!TableSchema::isYes(rows.value(QStringLiteral("LabelPrint"))))
                continue;
            const QString print = rows.value(kPrint).toString();
            // A one-time check printed already, in this run or before, still gets its label.
            const bool selected = (selection.oneTimeLabels &&
                                   (print == PrintOption::kOnce || print == PrintOption::kNever)) ||
                                  (selection.monthlyLabels && print == PrintOption::kMonthly);
            if (!selected)
                continue;
            sheet.print(page, rows.record(), bodyFont);
            printed.append(rows.currentId());
        }
    });
    page.endDocument();
    return printed;
}
