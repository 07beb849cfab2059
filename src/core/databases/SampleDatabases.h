#pragma once

#include <QDir>
#include <QStringList>

class Clock;

/// Two ready-made check databases for a newcomer to look at: a CHECK database and a DRAFT
/// database, each with a filled template record and a dozen checks of every print option.
namespace SampleDatabases {

inline const QString kChecks = QStringLiteral("Sample Checks");
inline const QString kDrafts = QStringLiteral("Sample Drafts");

/// Makes both in `folder` when it holds no check database yet (the first run) and
/// returns the file names made; a folder that already has a database is left alone.
QStringList createIfFirstRun(const QDir& folder, const Clock& clock);

} // namespace SampleDatabases
