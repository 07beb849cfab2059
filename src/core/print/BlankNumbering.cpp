#include "core/print/BlankNumbering.h"

#include <algorithm>
#include <cmath>

qint64 BlankNumbering::whole(const QVariant& stored) {
    if (stored.isNull())
        return 0;
    bool ok = false;
    const double value = stored.toDouble(&ok);
    if (!ok || !std::isfinite(value) || std::abs(value) > 1e15)
        return 0;
    return qint64(value);
}

qint64 BlankNumbering::first(const QVariant& lastCheck, const QVariant& templateCheck,
                             const QVariant& lastRecordCheck) {
    qint64 n = whole(lastCheck);
    if (lastCheck.isNull())
        n = std::max(whole(templateCheck), whole(lastRecordCheck));
    else if (whole(templateCheck) > n)
        n = whole(templateCheck);
    if (n > CheckNumbering::kWrapAbove)
        n = 101;
    // Check numbers are never negative; a stray negative one counts as none.
    n = std::max<qint64>(n, 0);
    return n + 1;
}

QString BlankNumbering::runLine(const QString& start, qint64 first, qint64 last,
                                const QString& date) {
    return start + QString::number(first) + QStringLiteral(" to #") + QString::number(last) +
           QStringLiteral(" on ") + date + QStringLiteral("  ");
}
