#include "core/print/PrinterOffsets.h"

#include <cmath>

namespace {

const QString kWhere = QStringLiteral("Choose Align Printer on the Printer Control Menu and ");

} // namespace

std::optional<qint64> PrinterOffsets::twips(const QVariant& stored) {
    if (stored.isNull())
        return std::nullopt;
    if (stored.typeId() == QMetaType::Double || stored.typeId() == QMetaType::Float) {
        const double value = stored.toDouble();
        // Far outside any page, and never a fraction of a twip.
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
    if (!vertical)
        return QStringLiteral("The printer alignment has no vertical starting position, so the "
                              "%1 cannot be placed on the sheet. Nothing was printed. ")
                   .arg(reach.things) +
               kWhere + QStringLiteral("enter one (200 suits most laser printers).");
    if (!horizontal)
        return QStringLiteral("The printer alignment has no horizontal starting position, so "
                              "the %1 cannot be placed on the sheet. Nothing was printed. ")
                   .arg(reach.things) +
               kWhere + QStringLiteral("enter one (525 suits most laser printers).");
    const qint64 highestVertical = kPageHeight - reach.below;
    if (*vertical < 0 || *vertical > highestVertical)
        return QStringLiteral("The vertical starting position %1 would put %2 %3 the sheet. "
                              "Nothing was printed. ")
                   .arg(*vertical)
                   .arg(*vertical < 0 ? QStringLiteral("the top of the ") + reach.things
                                      : reach.lowest,
                        *vertical < 0 ? QStringLiteral("above") : QStringLiteral("off the bottom of")) +
               kWhere +
               QStringLiteral("enter a vertical starting position from 0 to %1 (200 suits most "
                              "laser printers).")
                   .arg(highestVertical);
    const qint64 highestHorizontal = kPageWidth - reach.right;
    if (*horizontal < 0 || *horizontal > highestHorizontal)
        return QStringLiteral("The horizontal starting position %1 would put the %2 side of the "
                              "%3 off the sheet. Nothing was printed. ")
                   .arg(*horizontal)
                   .arg(*horizontal < 0 ? QStringLiteral("left") : QStringLiteral("right"),
                        reach.things) +
               kWhere +
               QStringLiteral("enter a horizontal starting position from 0 to %1 (525 suits "
                              "most laser printers).")
                   .arg(highestHorizontal);
    return {};
}
