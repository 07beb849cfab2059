#pragma once

#include <QString>

/// Bank routing (ABA transit) numbers.
namespace Routing {

/// True for exactly nine digits, the shape of every routing number.
bool isNineDigits(const QString& aba);

/// True for nine digits whose weighted sum (weights 3, 7, 1, repeated) is a multiple of
/// ten: the check digit that banks use to catch mistyped routing numbers.
bool checkDigitOk(const QString& aba);

} // namespace Routing
