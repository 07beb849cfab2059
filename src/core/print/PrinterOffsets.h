#pragma once

#include <QString>
#include <QVariant>
#include <optional>

/// The printer offsets of the settings record (vertical and horizontal start), checked
/// against the Letter page before a job prints anything: a start that would put part of a
/// check off the sheet spoils check stock, so the job is refused with a message that says
/// what to enter on the Align Printer screen.
namespace PrinterOffsets {

constexpr qint64 kPageWidth = 12240;  ///< twips
constexpr qint64 kPageHeight = 15840; ///< twips

/// How far a layout reaches from the offsets: its lowest item ends `below` twips under the
/// vertical start (on the last check of a sheet), and its rightmost item needs `right` twips
/// right of the horizontal start. `lowest` names the lowest item in words ("the MICR line of
/// each sheet's last check"), `things` what the job prints ("checks").
struct Reach {
    qint64 below;
    qint64 right;
    QString lowest;
    QString things;
};

/// A stored offset as whole twips; nothing when it is Null or not a whole number.
std::optional<qint64> twips(const QVariant& stored);

/// Why a layout with this reach cannot be printed at these offsets (the horizontal start as
/// the job uses it), in one message that points to Align Printer; empty when it can.
QString problem(std::optional<qint64> vertical, std::optional<qint64> horizontal,
                const Reach& reach);

} // namespace PrinterOffsets
