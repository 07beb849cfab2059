#pragma once

#include <functional>

class AppContext;
class SettingsRecord;

/// Ends the program from the data-entry screen. When the settings ask for a backup at exit,
/// it first closes the data-entry screen through `closeDataEntry`, which must release every
/// record set on the current database, and writes the backup copy while the notice
/// PleaseWait shows. A backup that cannot be made is explained in one message; the previous
/// backup stays as it was. Without settings (`settings` null) no backup is made. The
/// program ends in every case.
void BackupAndExit(AppContext& context, SettingsRecord* settings,
                   const std::function<void()>& closeDataEntry);
