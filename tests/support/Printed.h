#pragma once

#include "core/platform/RecordingPage.h"

#include <QList>
#include <QString>

/// What a recorded job printed, statement by statement, as a reader of the sheet sees it.
namespace Printed {

/// One print statement: its items joined, placed where its first item starts, in the font
/// state of its first item.
struct Statement {
    int page;
    double x;
    double y;
    QString text;
    PrintFont font;
};

/// The statements of a page that print something (not only empty items), in order.
QList<Statement> statements(const RecordingPage& page);
/// Those whose text is exactly `text`.
QList<Statement> find(const QList<Statement>& statements, const QString& text);
/// The line height the page uses for a font state (the recording page's own measure).
double lineHeight(const PrintFont& font);

} // namespace Printed
