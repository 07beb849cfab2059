#include "core/print/StockOptions.h"

#include "core/platform/RecordSet.h"
#include "core/platform/TableSchema.h"
#include "core/settings/SettingsDb.h"

StockOptions StockOptions::stored(const RecordSet& settings) {
    StockOptions o;
    o.use88mm = TableSchema::isYes(settings.value(SettingsDb::kQuickenCheckStock));
    o.twoPerPage = TableSchema::isYes(settings.value(SettingsDb::kPrint2Checks));
    o.plainPaper = TableSchema::isYes(settings.value(SettingsDb::kPlainPaper));
    return o;
}

void StockOptions::store(RecordSet& settings) const {
    const auto flag = [](bool set) { return set ? YesNo::True : YesNo::False; };
    settings.setValue(SettingsDb::kQuickenCheckStock, flag(use88mm));
    settings.setValue(SettingsDb::kPrint2Checks, flag(twoPerPage));
    settings.setValue(SettingsDb::kPlainPaper, flag(plainPaper));
}
