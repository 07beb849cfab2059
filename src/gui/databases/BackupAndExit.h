#pragma once

#include <functional>

class AppContext;
class RecordSet;

/// Ends the program from the data-entry screen. When the settings record (`settings`)
/// asks for a backup (field 6 is Yes), it first closes the data-entry screen through
/// `closeDataEntry`, which must release every record set on the current database, and
/// writes the backup copy while the notice PleaseWait shows. A backup that cannot be made
/// is explained in one message; the previous backup stays as it was. The program ends in
/// every case.
void BackupAndExit(AppContext& context, RecordSet& settings,
                   const std::function<void()>& closeDataEntry);
