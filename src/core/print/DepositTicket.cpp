#include "core/print/DepositTicket.h"

#include "core/print/BlankCheckValues.h"
#include "core/print/MicrLine.h"

using LayoutRows::has;
using LayoutRows::text;

namespace {

// The grid's labels follow the grid: the rows before them are the ticket's first items.
constexpr int kRowsBeforeGrid = 13;

} // namespace

QList<LayoutRow> DepositTicket::rows(const BlankCheckValues& c, const QString& tranCode) {
    const QSqlRecord& r = c.payer;
    const double H = double(c.left);
    const double T = double(c.top);
    const QString& body = c.bodyFace;
    const QString micr = PrintFaces::kMicr;

    // The grid and its labels stand at fixed places of the sheet, whatever the horizontal
    // start.
    // clang-format off
    return {
        // font: face, size, bold, italic      x         y                        items                                                               printed when
        {{body, 12, true, true},      H,        T,                       {text(r, "BusinessName")},                                          has(r, "BusinessName")},
        {{body, 12, true, true},      H,        kNextLine,               {text(r, "FirstName") + " " + text(r, "LastName")},                 has(r, "FirstName") || has(r, "LastName")},
        {{body, 10, false, true},     H,        kNextLine,               {text(r, "Address")},                                               has(r, "Address")},
        {{body, 10, false, true},     H,        kNextLine,               {text(r, "City") + ", " + text(r, "State") + "  " + text(r, "Zip")}, has(r, "Zip")},
        {{body, 10, false, true},     H,        kNextLine,               {"PH: " + text(r, "Phone")},                                        has(r, "Phone")},
        {{body, 10, false, false},    H,        T + 2700,                {text(r, "Bank")},                                                  has(r, "Bank")},
        {{body, 10, false, false},    H,        kNextLine,               {text(r, "BankCity") + ", " + text(r, "BankState")},                has(r, "BankState")},
        {{body, 14, true, false},     H,        T + 1800,                {"DEPOSIT TICKET"}},
        {{body, 12, true, false},     H,        kNextLine,               {"Date: " + QString(15, QLatin1Char('_'))}},
        {{micr, 12, false, false},    H + MicrLine::kRoutingX, T + c.stock.micrRow,     {"A" + text(r, "ABA") + "A" + " "},                                has(r, "ABA")},
        {{micr, 12, false, false},    H + MicrLine::kAccountX, T + c.stock.micrRow,     {text(r, "Account") + "C" + "   " + tranCode + "   "},           has(r, "Account")},
        {{body, 10, false, false},    0,        T + c.stock.cutMarkRow,  {"-"},                                                              c.cutMarks},
        {{body, 10, false, false},    12000,    T + c.stock.cutMarkRow,  {"-"},                                                              c.cutMarks},
        // (the amount grid is drawn here)
        {{body, 10, false, false},    6050,     T + 1100,                {"CURRENCY"}},
        {{body, 10, false, false},    6050,     T + 1600,                {"COINS"}},
        {{body, 10, false, false},    6050,     T + 2100,                {"CHECKS"}},
        {{body, 10, false, false},    6050,     T + 2600,                {"TOTAL DEPOSIT"}},
    };
    // clang-format on
}

void DepositTicket::drawGrid(PrintPage& page, double T) {
    page.setLineWidth(1);
    for (const double x : {6000, 8000, 10000, 10600})
        page.drawLine(x, T + 800, x, T + 2800);
    for (const double y : {T + 800, T + 1300, T + 1800})
        page.drawLine(6000, y, 10600, y);
    // The total is set off by heavier rules.
    page.setLineWidth(4);
    for (const double y : {T + 2300, T + 2800})
        page.drawLine(6000, y, 10600, y);
}

void DepositTicket::print(PrintPage& page, const BlankCheckValues& ticket,
                          const QString& tranCode) {
    const QList<LayoutRow> all = rows(ticket, tranCode);
    LayoutRows::print(page, all.mid(0, kRowsBeforeGrid));
    drawGrid(page, double(ticket.top));
    LayoutRows::print(page, all.mid(kRowsBeforeGrid));
}
