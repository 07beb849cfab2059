#pragma once

#include <QString>
#include <QStringList>

/// The databases and program folders the benchmarks run on. Every one is made from a fixed
/// seed, so each run measures the same files, and is kept under build/bench/data once made:
/// a later run reuses it. What a benchmark changes, it changes in a copy (`workCopy`).
namespace BenchData {

/// The folder everything is kept in (build/bench/data), made when missing.
QString folder();

/// What the checks of a database print as.
enum class Checks {
    Mixed,   ///< one-time, every-time and don't-print checks, some with labels
    AllOnce, ///< every check prints one time (a print run's worth)
};

/// A CHECK database of `records` checks (the template record included), made once from the
/// seed: names, addresses, banks and memos of realistic lengths, check-style rows (our own
/// account, a payee each) and draft-style rows (a customer's account and bank, our business
/// as payee) mixed. Rows 2 on are numbered from 1001; `Properties.LastCheck` follows them.
/// Exactly one row's payee holds `rarePayee()`; about one in a hundred holds
/// `commonPayee()`.
QString checkDatabase(int records, Checks checks = Checks::Mixed);

/// A text of the payee of one check in about a hundred, and of just one check.
QString commonPayee();
QString rarePayee();

/// A fresh copy of `path` named `name` beside it, replacing an earlier copy, for a
/// benchmark that changes what it works on.
QString workCopy(const QString& path, const QString& name);

/// A program folder of its own (`name` under folder()): PC.OVL with `productTypes` product
/// types (the shipped six when 0), and template.ref.
QString programFolder(const QString& name, int productTypes = 0);

/// A program folder whose `databases` check databases are CHECK and DRAFT databases in
/// turn, with a few checks each, named as a business names them ("Payroll 0042.mdb").
QString chooserFolder(int databases);

/// Copies `database` into `folder` (under its own name, unless there already) and returns
/// its file name.
QString placeIn(const QString& folder, const QString& database);

/// Where the shipped files (PC.OVL, template.ref) of this build are.
QString shipFolder();

} // namespace BenchData
