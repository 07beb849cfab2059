#pragma once

#include "core/entry/CheckNumbering.h"

#include <QString>
#include <QVariant>

/// The numbers blank checks carry: they continue the database's numbering, and a run is
/// recorded in the template's comments.
namespace BlankNumbering {

/// A stored check number as a whole number; 0 when Null or unreadable.
qint64 whole(const QVariant& stored);

/// The number of the first check of a run. It follows the header's `LastCheck`, or the
/// template's `Check` when that is higher; a header without a number (an older database)
/// continues after the higher of the template's and the last record's numbers. Past
/// 999900 the count starts again, at 102.
qint64 first(const QVariant& lastCheck, const QVariant& templateCheck,
             const QVariant& lastRecordCheck);

/// The line a run puts at the top of the template's comments: `start` ("Printed blank
/// checks from check #"), the first number, " to #", the last number, " on ", the date and
/// two blanks.
QString runLine(const QString& start, qint64 first, qint64 last, const QString& date);

} // namespace BlankNumbering
