#pragma once

/// How the process meets the system's signals.
namespace Signals {

/// A write past the file-size limit (RLIMIT_FSIZE) would kill the program with SIGXFSZ in
/// the middle of a backup or a new database, with no word to the user and a half-written
/// temporary file left behind. Ignored, the signal becomes a write that fails with EFBIG,
/// which every whole-file write reports and cleans up after. Called once at start.
void ignoreFileSizeLimit();

} // namespace Signals
