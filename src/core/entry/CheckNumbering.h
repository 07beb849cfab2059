#pragma once

/// Numbers for new checks.
namespace CheckNumbering {

/// Numbers above this start the count again at 101.
constexpr long long kWrapAbove = 999900;

/// The number of a new check after the last record's number `last` and the highest
/// number handed out so far `lastCheck` (each 0 when unknown).
constexpr long long next(long long last, long long lastCheck) {
    if (last > kWrapAbove || lastCheck > kWrapAbove)
        last = lastCheck = 100;
    return last > lastCheck ? last + 1 : lastCheck + 1;
}

} // namespace CheckNumbering
