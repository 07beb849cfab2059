#include "core/entry/PrintOption.h"

QString PrintOption::caption(const QVariant& print) {
    if (print.isNull())
        return kBlank;
    const QString value = print.toString();
    if (value == kOnce)
        return kOneTime;
    if (value == kMonthly)
        return kMultipleTimes;
    if (value == kNever)
        return kDontPrint;
    return kBlank;
}

QString PrintOption::firstCheckCaption(const QVariant& print) {
    if (print.isNull())
        return {};
    return print.toString() == kMonthly ? kMonthlyDraft : caption(print).trimmed();
}

QString PrintOption::code(const QString& caption) {
    if (caption == kOneTime)
        return kOnce;
    if (caption == kMultipleTimes)
        return kMonthly;
    if (caption == kDontPrint)
        return kNever;
    return {};
}
