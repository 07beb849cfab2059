#include "support/PrintShop.h"

#include "core/platform/DbError.h"
#include "core/platform/TableSchema.h"
#include "core/settings/SettingsDb.h"

const QVariantMap PrintShop::kCheck =
    CheckDbFixture::with(CheckDbFixture::payer(), {{"PayTo", "Harbor Office Supply"},
                                                   {"Amount", "142.18"},
                                                   {"For", "Printer paper"},
                                                   {"Check", 1043},
                                                   {"Date", "12/1/2026"},
                                                   {"Print", "Once"},
                                                   {"LabelPrint", YesNo::False}});

QVariantMap PrintShop::with(QVariantMap values, const QVariantMap& changes) {
    return CheckDbFixture::with(std::move(values), changes);
}

PrintShop::PrintShop(CheckDb::Kind kind) : file(CheckDbFixture::create(env, "Shop", kind)) {}

PrintShop::PrintShop(const std::function<QString(TestEnv&)>& make) : file(make(env)) {}

qint64 PrintShop::add(const QVariantMap& changes) {
    return CheckDbFixture::addCheck(env, file, with(kCheck, changes));
}

QString PrintShop::print(const QString& boxes, Printer* printer, const StockOptions& options) {
    PrintRun run(env.path(file), env.path(SettingsDb::kFileName), printer ? *printer : env.printer,
                 env.prompter, env.clock);
    try {
        outcome = run.run(selection(boxes), options);
    } catch (const DbError& e) {
        return e.message();
    }
    return {};
}

PrintSelection selection(const QString& boxes) {
    const QStringList words = boxes.split(QLatin1Char(' '));
    PrintSelection s;
    s.once = words.contains(QLatin1String("Once"));
    s.monthly = words.contains(QLatin1String("Monthly"));
    s.oneTimeLabels = words.contains(QLatin1String("OLabel"));
    s.monthlyLabels = words.contains(QLatin1String("MLabel"));
    return s;
}

StockOptions stock(const QString& words) {
    StockOptions o;
    o.use88mm = !words.contains(QLatin1String("92mm"));
    o.twoPerPage = words.contains(QLatin1String("two"));
    o.plainPaper = words.contains(QLatin1String("plain"));
    return o;
}
