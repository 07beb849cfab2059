#include "support/Printed.h"

#include <QFontMetricsF>

QList<Printed::Statement> Printed::statements(const RecordingPage& page) {
    QList<Statement> out;
    int current = -1;
    for (const RecordingPage::Text& t : page.texts()) {
        if (t.statement != current) {
            current = t.statement;
            out.append({t.page, t.x, t.y, t.text, t.font});
        } else {
            out.last().text += t.text;
            // An empty first item takes no sheet: the statement is on the sheet of its text.
            if (!t.text.isEmpty())
                out.last().page = t.page;
        }
    }
    QList<Statement> printed;
    for (const Statement& s : out)
        if (!s.text.isEmpty())
            printed.append(s);
    return printed;
}

QList<Printed::Statement> Printed::find(const QList<Statement>& statements, const QString& text) {
    QList<Statement> out;
    for (const Statement& s : statements)
        if (s.text == text)
            out.append(s);
    return out;
}

double Printed::lineHeight(const PrintFont& font) {
    return QFontMetricsF(twipFont(font)).lineSpacing();
}
