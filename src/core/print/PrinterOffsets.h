#pragma once

#include "core/print/Stock.h"

#include <QString>
#include <QVariant>
#include <optional>

/// The printer offsets of the settings record (vertical and horizontal start), checked
/// against the Letter sheet before a job prints anything, by the Print run and by the
/// blank layouts alike: a start that would put part of a check off the sheet spoils check
/// stock, so the job is refused with a message that leads the user to Align Printer.
namespace PrinterOffsets {

constexpr qint64 kSheetWidth = 12240;  ///< twips
constexpr qint64 kSheetHeight = 15840; ///< twips
/// From the horizontal start to the right end of a check's number and date column.
constexpr qint64 kCheckWidth = 10800;

/// How far a layout reaches from the offsets, in twips: its lowest item ends `below` the
/// vertical start (on the last check of a sheet), and its items need `right` to the right
/// of the horizontal start. `things` names what the job prints ("blank checks") inside
/// the message; `heading` opens it ("The checks"), the capitalised `things` when empty.
struct Reach {
    qint64 below;
    qint64 right;
    QString things;
    QString heading = {};
};

/// How far below the vertical start the lowest item of a sheet of `perSheet` checks ends:
/// the MICR line of its last check, or the cut marks below that check when it has them.
qint64 below(const StockGeometry& stock, int perSheet, bool cutMarksBelowLast);

/// A stored offset as whole twips; nothing when it is Null or not a whole number.
std::optional<qint64> twips(const QVariant& stored);

enum class Axis { Vertical, Horizontal };

/// The largest start on `axis` that keeps a layout with this reach on the sheet.
qint64 largest(Axis axis, const Reach& reach);

/// Why `start` cannot be the start on `axis` of a layout with this reach ("The vertical
/// starting position 1600 would put checks below the bottom of the sheet. Set it to a
/// number from 0 to 1505."); empty when it can.
QString outOfRange(Axis axis, qint64 start, const Reach& reach);

/// Why a layout with this reach cannot be printed at these offsets (the horizontal start as
/// the job uses it), in one message that leads to Align Printer; empty when it can.
QString problem(std::optional<qint64> vertical, std::optional<qint64> horizontal,
                const Reach& reach);

} // namespace PrinterOffsets
