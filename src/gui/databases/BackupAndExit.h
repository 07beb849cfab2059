#pragma once

#include <functional>

class AppContext;
class SettingsRecord;

/// Ends the program from the data-entry screen. When the settings ask for a backup at exit,
/// it first closes the data-entry screen through `closeDataEntry`, which must release every
/// record set on the current database, and writes the backup copy while the notice
/// PleaseWait shows; the backup and the end follow from the event loop once the notice is
/// on the screen. A backup that cannot be made is explained in one message; the previous
/// backup stays as it was. Settings that cannot be read (`settings` null: read afresh) are
/// explained too: then no backup is made. The program ends in every case.
void BackupAndExit(AppContext& context, SettingsRecord* settings,
                   const std::function<void()>& closeDataEntry);
