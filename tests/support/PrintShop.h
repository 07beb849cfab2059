#pragma once

#include "core/print/PrintRun.h"
#include "support/CheckDbFixture.h"
#include "support/TestEnv.h"

#include <functional>

/// A check database in a test's program folder, and the Print button pressed on it.
class PrintShop {
public:
    /// A check with every field of the face filled: a one-time check of Maple Street Bakery.
    static const QVariantMap kCheck;
    static QVariantMap with(QVariantMap values, const QVariantMap& changes);

    explicit PrintShop(CheckDb::Kind kind = CheckDb::Kind::Check);
    /// On a database `make` makes in the shop's folder, anywhere a database may be.
    explicit PrintShop(const std::function<QString(TestEnv&)>& make);

    /// Appends kCheck with `changes`; returns its ID.
    qint64 add(const QVariantMap& changes = {});
    QVariantMap row(qint64 id) { return CheckDbFixture::row(env, file, id); }

    /// Presses Print with these boxes on `printer` (the recording printer by default);
    /// returns the message of a failure, empty when the run went through.
    QString print(const QString& boxes, Printer* printer = nullptr,
                  const StockOptions& options = StockOptions());
    /// The recorded page of the n-th job.
    const RecordingPage& job(int n = 0) const { return *env.printer.jobs().at(n).page; }

    TestEnv env;
    QString file;
    PrintRun::Outcome outcome = PrintRun::Outcome::Ended;
};

/// The selection boxes named in `boxes`: "Once Monthly OLabel MLabel" in any order.
PrintSelection selection(const QString& boxes);
/// Stock options from words: "92mm", "two", "plain" (88 mm, three a sheet otherwise).
StockOptions stock(const QString& words);
