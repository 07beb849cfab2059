#include "core/print/RegularBlankCheck.h"

#include "core/print/BlankCheckValues.h"
#include "core/print/MicrLine.h"

using LayoutRows::has;
using LayoutRows::text;

QList<LayoutRow> RegularBlankCheck::rows(const BlankCheckValues& c) {
    const QSqlRecord& r = c.payer;
    const double H = double(c.left);
    const double T = double(c.top);
    const QString& body = c.bodyFace;
    const QString micr = PrintFaces::kMicr;
    const QString payeeRule(64, QLatin1Char('_'));
    const QString memoRule(42, QLatin1Char('_'));
    const QString signatureRule(55, QLatin1Char('_'));

    // clang-format off
    return {
        // font: face, size, bold, italic      x            y                   items                                                               printed when
        {{body, 10, true, true},      H + 1500,  T,                  {text(r, "BusinessName")},                                          has(r, "BusinessName")},
        {{body, 10, true, true},      H + 1500,  kNextLine,          {text(r, "FirstName") + " " + text(r, "LastName")},                 has(r, "FirstName") || has(r, "LastName")},
        {{body, 8, false, true},      H + 1500,  kNextLine,          {text(r, "Address")},                                               has(r, "Address")},
        {{body, 8, false, true},      H + 1500,  kNextLine,          {text(r, "City") + ", " + text(r, "State") + "  " + text(r, "Zip")}, has(r, "Zip")},
        {{body, 8, false, false},     H + 6000,  T,                  {text(r, "Bank")},                                                  has(r, "Bank")},
        {{body, 8, false, false},     H + 6000,  kNextLine,          {text(r, "BankCity") + ", " + text(r, "BankState")},                has(r, "BankState")},
        {{body, 10, true, false},     H,         T + 980,            {"PAY"}},
        {{body, 10, false, false},    H,         kNextLine,          {"TO THE"}},
        {{body, 10, false, false},    H,         kNextLine,          {"ORDER OF: " + payeeRule}},
        // The amount in words is written on the fourth line, after three empty ones.
        {{body, 10, false, false},    H + 1100,  T + 1350,           {""}},
        {{body, 10, false, false},    H + 1100,  kNextLine,          {""}},
        {{body, 10, false, false},    H + 1100,  kNextLine,          {""}},
        {{body, 10, false, false},    H + 1100,  kNextLine,          {payeeRule + " Dollars"}},
        {{body, 9, false, false},     H,         T + 3500,           {"Memo: " + memoRule}},
        {{body, 12, true, false},     H + 10000, T,                  {PrintItem::number(c.number)}},
        // The date is written on the rule one empty line below the number.
        {{body, 12, false, false},    H + 9100,  kNextLine,          {""}},
        {{body, 12, false, false},    H + 9100,  kNextLine,          {QString(12, QLatin1Char('_'))}},
        {{micr, 12, false, false},    H + MicrLine::kCheckNumberX, T + c.stock.micrRow, {PrintItem::number(c.number)}},
        {{micr, 12, false, false},    H + MicrLine::kRoutingX, T + c.stock.micrRow, {"A" + text(r, "ABA") + "A" + " "},                                has(r, "ABA")},
        {{micr, 12, false, false},    H + MicrLine::kAccountX, T + c.stock.micrRow, {text(r, "Account") + "C " + "   "},                               has(r, "Account")},
        {{body, 8, false, false},     H + 6050,  T + 3500,           {signatureRule}},
        {{body, 8, false, false},     H + 6050,  kNextLine,          {"Authorized Signature "}},
        {{body, 14, false, false},    H + 9100,  T + 1350,           {"$ " + QString(9, QLatin1Char('_'))}},
        // Cut marks stand at fixed places of the sheet, whatever the horizontal start.
        {{body, 10, false, false},    0,         T + c.stock.cutMarkRow, {"-"},                                                          c.cutMarks},
        {{body, 10, false, false},    10500,     T + c.stock.cutMarkRow, {"-"},                                                          c.cutMarks},
    };
    // clang-format on
}
