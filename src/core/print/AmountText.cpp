#include "core/print/AmountText.h"

QList<PrintItem> AmountText::items(const QVariant& amount) {
    return {"**$", PrintItem::value(amount), "**"};
}
