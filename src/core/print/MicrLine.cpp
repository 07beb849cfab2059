#include "core/print/MicrLine.h"

QList<PrintItem> MicrLine::checkNumberField(const QVariant& check) {
    return {"C", PrintItem::value(check), "C", "  "};
}

QList<PrintItem> MicrLine::routingField(const QVariant& aba) {
    return {"A", PrintItem::value(aba), "A", "  "};
}

QList<PrintItem> MicrLine::accountField(const QVariant& account) {
    return {PrintItem::value(account), "C", "   "};
}
