#include "core/platform/Clock.h"

QString Clock::dateText(const QDate& date) {
    return QStringLiteral("%1/%2/%3")
        .arg(date.month())
        .arg(date.day())
        .arg(date.year(), 4, 10, QLatin1Char('0'));
}
