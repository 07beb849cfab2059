#pragma once

#include <QList>
#include <QString>
#include <memory>

class Database;

/// What a label job writes once the user confirmed that its labels printed.
namespace LabelMarking {

/// In one transaction (all or nothing): each labelled check of `ids` that prints one time
/// ("Once" or already "Never") is set not to print a label again; every one of them, those
/// that print every time included, gets today's date in `LPrinted`. Throws DbError, having
/// changed nothing.
void markConfirmed(const std::shared_ptr<Database>& db, const QList<qint64>& ids,
                   const QString& today);

} // namespace LabelMarking
