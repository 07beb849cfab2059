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

qint64 PrinterOffsets::largest(Axis axis, const Reach& reach) {
    return axis == Axis::Vertical ? kSheetHeight - reach.below : kSheetWidth - reach.right;
}

QString PrinterOffsets::outOfRange(Axis axis, qint64 start, const Reach& reach) {
    const qint64 most = largest(axis, reach);
    if (start >= 0 && start <= most)
        return {};
    const bool down = axis == Axis::Vertical;
    const QString where = down ? (start < 0 ? QStringLiteral("above the top of")
                                            : QStringLiteral("below the bottom of"))
                               : (start < 0 ? QStringLiteral("past the left edge of")
                                            : QStringLiteral("past the right edge of"));
    return QStringLiteral("The %1 starting position %2 would put %3 %4 the sheet. Set it to a "
                          "number from 0 to %5.")
        .arg(down ? QStringLiteral("vertical") : QStringLiteral("horizontal"))
        .arg(start)
        .arg(reach.things, where)
        .arg(most);
}

QString PrinterOffsets::problem(std::optional<qint64> vertical, std::optional<qint64> horizontal,
                                const Reach& reach) {
    QStringList problems;
    if (!vertical)
        problems << QStringLiteral("The printer alignment has no vertical starting position. "
                                   "Set it to a number from 0 to %1.")
                        .arg(largest(Axis::Vertical, reach));
    else if (const QString out = outOfRange(Axis::Vertical, *vertical, reach); !out.isEmpty())
        problems << out;
    if (!horizontal)
        problems << QStringLiteral("The printer alignment has no horizontal starting position. "
                                   "Set it to a number from 0 to %1.")
                        .arg(largest(Axis::Horizontal, reach));
    else if (const QString out = outOfRange(Axis::Horizontal, *horizontal, reach); !out.isEmpty())
        problems << out;
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
