#include "core/print/BlankPrintSettings.h"

#include "core/platform/Database.h"
#include "core/platform/RecordSet.h"
#include "core/settings/SettingsDb.h"

BlankPrintSettings BlankPrintSettings::read(const QString& path) {
    RecordSet settings(Database::open(path), SettingsDb::kSettingsTable);
    settings.moveFirst();
    BlankPrintSettings s;
    s.verticalStart = settings.value(SettingsDb::kVerticalStart);
    s.horizontalStart = settings.value(SettingsDb::kHorizontalStart);
    const QVariant tran = settings.value(SettingsDb::kTranCode);
    s.tranCode = tran.isNull() ? QString() : tran.toString();
    s.options = StockOptions::stored(settings);
    return s;
}
