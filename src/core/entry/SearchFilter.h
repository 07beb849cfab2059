#pragma once

#include <QString>
#include <QVariantList>

/// The condition that narrows the data-entry view to the checks whose field contains a
/// typed text. The text is matched literally, as a substring, whatever characters it holds,
/// and letter case is ignored (accented letters included). It is always bound as a
/// parameter, never written into the SQL.
namespace SearchFilter {

struct Query {
    QString condition;
    QVariantList binds;
};

/// `onServer`: the condition is for a database on the server.
Query contains(const QString& field, const QString& text, bool onServer = false);

} // namespace SearchFilter
