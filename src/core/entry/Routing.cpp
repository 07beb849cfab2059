#include "core/entry/Routing.h"

bool Routing::checkDigitOk(const QString& aba) {
    if (aba.size() != 9)
        return false;
    static constexpr int kWeights[] = {3, 7, 1};
    int sum = 0;
    for (int i = 0; i < 9; ++i) {
        const QChar c = aba[i];
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        sum += (c.unicode() - '0') * kWeights[i % 3];
    }
    return sum % 10 == 0;
}
