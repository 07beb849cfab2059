#include "core/print/PrintSettings.h"

#include "core/platform/Database.h"
#include "core/platform/RecordSet.h"
#include "core/platform/TableSchema.h"
#include "core/settings/SettingsDb.h"

PrintSettings PrintSettings::read(const QString& path) {
    RecordSet settings(Database::open(path), SettingsDb::kSettingsTable);
    settings.moveFirst();
    PrintSettings out;
    // An offset never set counts as 0, the way the printer would take it.
    out.verticalStart = settings.value(SettingsDb::kVerticalStart).toLongLong();
    out.horizontalStart = settings.value(SettingsDb::kHorizontalStart).toLongLong();
    out.options.use88mm = TableSchema::isYes(settings.value(SettingsDb::kQuickenCheckStock));
    out.options.twoPerPage = TableSchema::isYes(settings.value(SettingsDb::kPrint2Checks));
    out.options.plainPaper = TableSchema::isYes(settings.value(SettingsDb::kPlainPaper));
    return out;
}

void PrintSettings::storeOptions(const QString& path, const StockOptions& options) {
    RecordSet settings(Database::open(path), SettingsDb::kSettingsTable);
    settings.moveFirst();
    settings.edit();
    settings.setValue(SettingsDb::kQuickenCheckStock, options.use88mm ? YesNo::True : YesNo::False);
    settings.setValue(SettingsDb::kPrint2Checks, options.twoPerPage ? YesNo::True : YesNo::False);
    settings.setValue(SettingsDb::kPlainPaper, options.plainPaper ? YesNo::True : YesNo::False);
    settings.update();
}
