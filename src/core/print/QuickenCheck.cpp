#include "core/print/QuickenCheck.h"

#include "core/print/BlankCheckValues.h"
#include "core/print/MicrLine.h"

using LayoutRows::has;
using LayoutRows::text;

QList<LayoutRow> QuickenCheck::rows(const BlankCheckValues& c) {
    const QSqlRecord& r = c.payer;
    const double H = double(c.left);
    const double T = double(c.top);
    const QString& body = c.bodyFace;
    const QString micr = PrintFaces::kMicr;

    // The stock prints its own rules; the captions stand left of the horizontal start.
    // clang-format off
    return {
        // font: face, size, bold, italic      x            y          items                                                               printed when
        {{body, 10, true, true},      H + 1500,  T,         {text(r, "BusinessName")},                                          has(r, "BusinessName")},
        {{body, 10, true, true},      H + 1500,  kNextLine, {text(r, "FirstName") + " " + text(r, "LastName")},                 has(r, "FirstName") || has(r, "LastName")},
        {{body, 8, false, true},      H + 1500,  kNextLine, {text(r, "Address")},                                               has(r, "Address")},
        {{body, 8, false, true},      H + 1500,  kNextLine, {text(r, "City") + ", " + text(r, "State") + "  " + text(r, "Zip")}, has(r, "Zip")},
        {{body, 8, false, false},     H + 6000,  T,         {text(r, "Bank")},                                                  has(r, "Bank")},
        {{body, 8, false, false},     H + 6000,  kNextLine, {text(r, "BankCity") + ", " + text(r, "BankState")},                has(r, "BankState")},
        {{body, 10, true, false},     H - 300,   T + 980,   {"PAY"}},
        {{body, 10, false, false},    H - 300,   kNextLine, {"TO THE"}},
        {{body, 10, false, false},    H - 300,   kNextLine, {"ORDER OF:"}},
        {{body, 9, false, false},     H - 300,   T + 3590,  {"Memo:"}},
        {{body, 12, true, false},     H + 10000, T,         {PrintItem::number(c.number)}},
        {{micr, 12, false, false},    H + MicrLine::kCheckNumberX, T + 4055,  {PrintItem::number(c.number)}},
        {{micr, 12, false, false},    H + MicrLine::kRoutingX, T + 4055,  {"A" + text(r, "ABA") + "A" + " "},                                has(r, "ABA")},
        {{micr, 12, false, false},    H + MicrLine::kAccountX, T + 4055,  {text(r, "Account") + "C" + "   "},                                has(r, "Account")},
        {{body, 10, false, false},    0,         T + 4455,  {"-"},                                                              c.cutMarks},
        {{body, 10, false, false},    10500,     T + 4455,  {"-"},                                                              c.cutMarks},
        {{body, 8, false, false},     H + 6050,  T + 3590,  {QString(45, QLatin1Char('_'))}},
        {{body, 14, true, false},     H + 9100,  T + 1370,  {"$"}},
    };
    // clang-format on
}
