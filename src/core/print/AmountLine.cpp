#include "core/print/AmountLine.h"

QList<PrintItem> AmountLine::items(const QVariant& amount) {
    return {"**$", PrintItem::value(amount), "**"};
}
