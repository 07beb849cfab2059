#include "core/print/BlankJob.h"

#include "core/databases/CheckDb.h"
#include "core/entry/MicrText.h"
#include "core/platform/PrintPage.h"
#include "core/platform/Printer.h"
#include "core/platform/Program.h"
#include "core/platform/Prompter.h"
#include "core/print/PrintCount.h"
#include "core/print/PrintRun.h"
#include "core/print/Stock.h"

BlankJob::BlankJob(Printer& printer, Prompter& prompter, const Clock& clock, Program& program)
    : m_printer(printer), m_prompter(prompter), m_clock(clock), m_program(program) {}

BlankJob::~BlankJob() = default;

void BlankJob::tell(const QString& text) {
    m_prompter.message(text, m_program.name());
}

void BlankJob::askToLoadStock() {
    // The same prompt, untitled, as before checks from the database print.
    m_prompter.message(PrintFaces::kLoadStock, PrintRun::kBlankTitle);
}

bool BlankJob::refuseDraft(RecordSet& header) {
    if (CheckDb::kind(header) != CheckDb::Kind::Draft)
        return false;
    tell(QStringLiteral("Sorry - this function only works with CHECK databases, the current "
                        "database is a Draft database."));
    return true;
}

bool BlankJob::refuseUnreadableMicr(const QSqlRecord& payer, const QString& tranCode,
                                    const QString& afterwards) {
    using MicrText::Field;
    const QString who = QStringLiteral("The first check");
    QStringList refused;
    for (const auto& [field, micr] :
         {std::pair{"ABA", Field::Routing}, std::pair{"Account", Field::Account}}) {
        const QString value = payer.value(QString::fromLatin1(field)).toString();
        if (!MicrText::fits(micr, value))
            refused << MicrText::refusedValue(who, micr, value);
    }
    if (!MicrText::fits(Field::TranCode, tranCode))
        refused << MicrText::refusedValue(QStringLiteral("Program Setup"), Field::TranCode,
                                          tranCode);
    if (refused.isEmpty())
        return false;
    m_prompter.message(MicrText::refusal(refused, afterwards), m_program.name(),
                       Prompter::Icon::Warning);
    return true;
}

std::optional<BlankJob::Offsets> BlankJob::offsets(const BlankPrintSettings& settings,
                                                   std::optional<qint64> leastLeft,
                                                   const PrinterOffsets::Reach& reach) {
    const std::optional<qint64> top = PrinterOffsets::twips(settings.verticalStart);
    std::optional<qint64> left = PrinterOffsets::twips(settings.horizontalStart);
    if (left && leastLeft && *left < *leastLeft)
        left = leastLeft;
    const QString problem = PrinterOffsets::problem(top, left, reach);
    if (!problem.isEmpty()) {
        m_prompter.message(problem, m_program.name(), Prompter::Icon::Warning);
        return std::nullopt;
    }
    return Offsets{*top, *left};
}

bool BlankJob::micrPresent() {
    // One look at the printer's font list answers both questions.
    const QStringList fonts = m_printer.fonts();
    if (!PrintFaces::micrPresent(fonts, m_prompter)) {
        m_program.end();
        return false;
    }
    m_bodyFace = PrintFaces::body(fonts);
    return true;
}

qint64 BlankJob::askCount(const QString& prompt, const QString& things) {
    return PrintCount::ask(m_prompter, m_program.name(), prompt, things);
}

void BlankJob::tellDestination(const PrintPage& page) {
    PrintFaces::tellDestination(m_prompter, page.destinationNotice(), m_program.name());
}

bool BlankJob::cutMarksAt(const StockOptions& options, qint64 pageOffset) {
    return options.plainPaper && (options.use88mm || pageOffset < StockGeometry::kLastOfThree);
}
