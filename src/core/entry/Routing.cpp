#include "core/entry/Routing.h"

#include <algorithm>

bool Routing::isNineDigits(const QString& aba) {
    return aba.size() == 9 && std::all_of(aba.cbegin(), aba.cend(), [](QChar c) {
               return c >= QLatin1Char('0') && c <= QLatin1Char('9');
           });
}

bool Routing::checkDigitOk(const QString& aba) {
    if (!isNineDigits(aba))
        return false;
    static constexpr int kWeights[] = {3, 7, 1};
    int sum = 0;
    for (int i = 0; i < 9; ++i)
        sum += (aba[i].unicode() - '0') * kWeights[i % 3];
    return sum % 10 == 0;
}
