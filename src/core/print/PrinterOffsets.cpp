#include "core/print/PrinterOffsets.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

namespace {

// Heights of the 12 point MICR line and of the 10 point cut marks.
constexpr qint64 kMicrHeight = 240;
constexpr qint64 kCutMarkHeight = 200;

} // namespace

qint64 PrinterOffsets::below(const StockGeometry& stock, int perSheet, bool cutMarksBelowLast) {
    const qint64 lastTop = qint64(perSheet - 1) * stock.pitch;
    const qint64 micr = lastTop + stock.micrRow + kMicrHeight;
    return cutMarksBelowLast ? std::max(micr, lastTop + stock.cutMarkRow + kCutMarkHeight) : micr;
}

std::optional<qint64> PrinterOffsets::twips(const QVariant& stored) {
    if (stored.isNull())
        return std::nullopt;
    if (stored.typeId() == QMetaType::Double || stored.typeId() == QMetaType::Float) {
        const double value = stored.toDouble();
        // Far outside any sheet, and never a fraction of a twip.
        if (!std::isfinite(value) || std::abs(value) > 1e12 || value != std::floor(value))
            return std::nullopt;
        return qint64(value);
    }
    bool ok = false;
    const qint64 value = stored.toString().trimmed().toLongLong(&ok);
    return ok ? std::optional<qint64>(value) : std::nullopt;
}

QString PrinterOffsets::problem(std::optional<qint64> vertical, std::optional<qint64> horizontal,
                                const Reach& reach) {
    const qint64 maxVertical = kSheetHeight - reach.below;
    const qint64 maxHorizontal = kSheetWidth - reach.right;
    QStringList problems;
    if (!vertical)
        problems << QStringLiteral("The printer alignment has no vertical starting position. "
                                   "Set it to a number from 0 to %1.")
                        .arg(maxVertical);
    else if (*vertical < 0 || *vertical > maxVertical)
        problems << QStringLiteral("The vertical starting position %1 would put %2 %3 the "
                                   "sheet. Set it to a number from 0 to %4.")
                        .arg(*vertical)
                        .arg(reach.things, *vertical < 0 ? QStringLiteral("above the top of")
                                                         : QStringLiteral("below the bottom of"))
                        .arg(maxVertical);
    if (!horizontal)
        problems << QStringLiteral("The printer alignment has no horizontal starting position. "
                                   "Set it to a number from 0 to %1.")
                        .arg(maxHorizontal);
    else if (*horizontal < 0 || *horizontal > maxHorizontal)
        problems << QStringLiteral("The horizontal starting position %1 would put %2 %3 the "
                                   "sheet. Set it to a number from 0 to %4.")
                        .arg(*horizontal)
                        .arg(reach.things, *horizontal < 0
                                               ? QStringLiteral("past the left edge of")
                                               : QStringLiteral("past the right edge of"))
                        .arg(maxHorizontal);
    if (problems.isEmpty())
        return {};
    QString heading = reach.heading;
    if (heading.isEmpty()) {
        heading = reach.things;
        heading[0] = heading[0].toUpper();
    }
    return heading + QStringLiteral(" were not printed. ") + problems.join(QLatin1Char(' ')) +
           QStringLiteral(" Choose Align Printer on the printer control screen to correct this.");
}
