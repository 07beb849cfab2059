#include "core/print/PrintSettings.h"

#include "core/platform/Database.h"
#include "core/platform/RecordSet.h"
#include "core/settings/SettingsDb.h"

PrintSettings PrintSettings::read(const QString& path) {
    RecordSet settings(Database::open(path), SettingsDb::kSettingsTable);
    settings.moveFirst();
    PrintSettings out;
    // An offset never set counts as 0, the way the printer would take it.
    out.verticalStart = settings.value(SettingsDb::kVerticalStart).toLongLong();
    out.horizontalStart = settings.value(SettingsDb::kHorizontalStart).toLongLong();
    out.options = StockOptions::stored(settings);
    return out;
}

void PrintSettings::storeOptions(const QString& path, const StockOptions& options) {
    RecordSet settings(Database::open(path), SettingsDb::kSettingsTable);
    settings.moveFirst();
    settings.edit();
    options.store(settings);
    settings.update();
}
