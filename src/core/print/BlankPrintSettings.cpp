#include "core/print/BlankPrintSettings.h"

#include "core/platform/RecordSet.h"
#include "core/settings/SettingsDb.h"

BlankPrintSettings BlankPrintSettings::read(RecordSet& settings) {
    settings.moveFirst();
    const auto yes = [&](const QString& field) {
        const QVariant v = settings.value(field);
        return !v.isNull() && v.toLongLong() != 0;
    };
    BlankPrintSettings s;
    s.verticalStart = settings.value(SettingsDb::kVerticalStart);
    s.horizontalStart = settings.value(SettingsDb::kHorizontalStart);
    const QVariant tran = settings.value(SettingsDb::kTranCode);
    s.tranCode = tran.isNull() ? QString() : tran.toString();
    s.use88mm = yes(SettingsDb::kQuickenCheckStock);
    s.plainPaper = yes(SettingsDb::kPlainPaper);
    s.twoPerPage = yes(SettingsDb::kPrint2Checks);
    return s;
}
