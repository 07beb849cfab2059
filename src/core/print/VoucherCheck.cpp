#include "core/print/VoucherCheck.h"

#include "core/print/BlankCheckValues.h"
#include "core/print/MicrLine.h"
#include "core/print/QuickenCheck.h"

using LayoutRows::has;
using LayoutRows::text;

QList<LayoutRow> VoucherCheck::rows(const BlankCheckValues& c) {
    const QSqlRecord& r = c.payer;
    const double H = double(c.left);
    const double T = double(c.top);
    const QString& body = c.bodyFace;
    const QString micr = PrintFaces::kMicr;
    const double pitch = StockGeometry::mm88().pitch;

    QList<LayoutRow> rows = QuickenCheck::rows(c);
    // Voucher stock wants the routing field without its trailing blank and one blank less
    // after the account.
    // clang-format off
    rows[12] = {{micr, 12, false, false}, H + MicrLine::kRoutingX, T + 4055, {"A" + text(r, "ABA") + "A"},         has(r, "ABA")};
    rows[13] = {{micr, 12, false, false}, H + MicrLine::kAccountX, T + 4055, {text(r, "Account") + "C " + "  "},    has(r, "Account")};
    for (const double stub : {T + pitch, T + 2 * pitch}) {
        rows += {
            {{body, 10, true, true},      H,         stub,     {text(r, "BusinessName")},             has(r, "BusinessName")},
            {{body, 12, true, true},      H + 10000, stub,     {PrintItem::number(c.number)}},
        };
    }
    // clang-format on
    return rows;
}
