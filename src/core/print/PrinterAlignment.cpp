#include "core/print/PrinterAlignment.h"

#include "core/platform/Database.h"
#include "core/print/CheckPlacement.h"
#include "core/print/PrintSettings.h"
#include "core/print/PrinterOffsets.h"
#include "core/platform/RecordSet.h"
#include "core/platform/TableSchema.h"
#include "core/settings/SettingsDb.h"

#include <QRegularExpression>
#include <QStringList>
#include <optional>

namespace {

QString shown(const QVariant& stored) {
    return stored.isNull() ? QString() : stored.toString();
}

// A typed position: its value, or nothing and why (the reason names the position and
// says that it keeps its stored value). A start the next print run would refuse for the
// checks' reach is refused here, in the run's words and with its limits.
std::optional<qint64> position(const QString& typed, PrinterOffsets::Axis axis,
                               const PrinterOffsets::Reach& reach, const QString& old,
                               QString* problem) {
    const QString text = typed.trimmed();
    const qint64 max = PrinterOffsets::largest(axis, reach);
    const QString name = axis == PrinterOffsets::Axis::Vertical
                             ? QStringLiteral("vertical starting position")
                             : QStringLiteral("horizontal starting position");
    const QString rule = QStringLiteral("The %1 must be a whole number from 0 to %2 (twips, 1440 "
                                        "to the inch).")
                             .arg(name)
                             .arg(max);
    QString kept = old.isEmpty() ? QStringLiteral("it is left as it was.")
                                       : QStringLiteral("it stays %1.").arg(old);
    static const QRegularExpression whole(QStringLiteral("^[+-]?[0-9]+$"));
    if (text.isEmpty()) {
        *problem = rule + QStringLiteral(" The box is empty, so ") + kept;
        return std::nullopt;
    }
    if (!whole.match(text).hasMatch()) {
        *problem = rule + QStringLiteral(" \"%1\" is not a whole number, so ").arg(text) + kept;
        return std::nullopt;
    }
    bool fits = false;
    const qint64 value = text.toLongLong(&fits);
    if (!fits) {
        *problem = rule + QStringLiteral(" %1 lies off the sheet, so ").arg(text) + kept;
        return std::nullopt;
    }
    if (const QString out = PrinterOffsets::outOfRange(axis, value, reach); !out.isEmpty()) {
        kept[0] = kept[0].toUpper();
        *problem = out + QLatin1Char(' ') + kept;
        return std::nullopt;
    }
    return value;
}

} // namespace

PrinterAlignment::Values PrinterAlignment::read(const QString& path) {
    RecordSet settings(Database::open(path), SettingsDb::kSettingsTable);
    settings.moveFirst();
    Values out;
    out.vertical = shown(settings.value(SettingsDb::kVerticalStart));
    out.horizontal = shown(settings.value(SettingsDb::kHorizontalStart));
    out.use88mm = TableSchema::isYes(settings.value(SettingsDb::kQuickenCheckStock));
    return out;
}

PrinterAlignment::Result PrinterAlignment::store(const QString& path, const Values& typed) {
    RecordSet settings(Database::open(path), SettingsDb::kSettingsTable);
    settings.moveFirst();
    const QVariant oldVertical = settings.value(SettingsDb::kVerticalStart);
    const QVariant oldHorizontal = settings.value(SettingsDb::kHorizontalStart);

    // The checks as the next run lays them out: the stock chosen here, with the printer
    // control screen's choice of two a sheet and plain paper.
    StockOptions options = PrintSettings::read(path).options;
    options.use88mm = typed.use88mm;
    const PrinterOffsets::Reach reach = CheckPlacement::reach(options);

    Result result;
    QStringList problems;
    // A box left as shown keeps what is stored: only what the user typed is checked.
    QVariant vertical = oldVertical;
    if (typed.vertical != shown(oldVertical)) {
        QString problem;
        if (const auto v = position(typed.vertical, PrinterOffsets::Axis::Vertical, reach,
                                    shown(oldVertical), &problem))
            vertical = *v;
        else {
            problems << problem;
            result.verticalRefused = true;
        }
    }
    QVariant horizontal = oldHorizontal;
    if (typed.horizontal != shown(oldHorizontal)) {
        QString problem;
        if (const auto h = position(typed.horizontal, PrinterOffsets::Axis::Horizontal, reach,
                                    shown(oldHorizontal), &problem))
            horizontal = *h;
        else {
            problems << problem;
            result.horizontalRefused = true;
        }
    }
    if (problems.isEmpty()) {
        settings.edit();
        settings.setValue(SettingsDb::kVerticalStart, vertical);
        settings.setValue(SettingsDb::kHorizontalStart, horizontal);
        settings.setValue(SettingsDb::kQuickenCheckStock,
                          typed.use88mm ? YesNo::True : YesNo::False);
        settings.update();
    } else {
        result.problem = problems.join(QStringLiteral("\n\n"));
    }
    result.stored = read(path);
    return result;
}
