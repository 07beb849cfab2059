#include "core/print/LabelSheet.h"

#include <QRegularExpression>

namespace {

struct Line {
    bool bold;
    bool italic;
    bool (*printed)(const QSqlRecord&);
    QList<PrintItem> (*text)(const QSqlRecord&);
};

PrintItem v(const QSqlRecord& r, const char* field) {
    return PrintItem::value(r.value(QString::fromLatin1(field)));
}
bool has(const QSqlRecord& r, const char* field) {
    return !r.value(QString::fromLatin1(field)).isNull();
}

// The lines of a label, each in the body font at 10 points, one below the other from the
// label's top; a line left out moves the ones after it up.
// clang-format off
const Line kLines[] = {
    {true, true, [](const QSqlRecord& r) { return has(r, "BusinessName"); },
     [](const QSqlRecord& r) -> QList<PrintItem> { return {v(r, "BusinessName")}; }},
    {true, true, [](const QSqlRecord& r) { return has(r, "FirstName") || has(r, "LastName"); },
     [](const QSqlRecord& r) -> QList<PrintItem> { return {v(r, "FirstName"), " ", v(r, "LastName")}; }},
    {false, false, [](const QSqlRecord& r) { return has(r, "Address"); },
     [](const QSqlRecord& r) -> QList<PrintItem> { return {v(r, "Address")}; }},
    {false, false, [](const QSqlRecord& r) { return has(r, "Zip"); },
     [](const QSqlRecord& r) -> QList<PrintItem> {
         return {v(r, "City"), ", ", v(r, "State"), "  ", v(r, "Zip")}; }},
};
// clang-format on

constexpr int kColumnX[] = {200, 4200, 8200};
constexpr int kFirstTop = 700;
constexpr int kLabelPitch = 1443;

} // namespace

std::optional<int> LabelSheet::firstLabel(const QString& entry, QString* problem) {
    const QString text = entry.trimmed();
    if (text.isEmpty())
        return 1;
    static const QRegularExpression whole(QStringLiteral("^([+-]?)(?=[0-9])0*([0-9]*)$"));
    const QRegularExpressionMatch m = whole.match(text);
    QString why;
    if (!m.hasMatch())
        why = QStringLiteral("\"%1\" is not a label number.").arg(text);
    else if (m.captured(1) == QLatin1String("-") || m.captured(2).isEmpty())
        why = QStringLiteral("There is no label %1: labels are numbered from 1.").arg(text);
    if (why.isEmpty()) {
        // Past the last label of a sheet, however far, means the first label of a new one.
        const QString digits = m.captured(2);
        return digits.size() <= 2 && digits.toInt() <= kLabelsASheet ? digits.toInt() : 1;
    }
    if (problem)
        *problem = why + QStringLiteral(" Enter the number of the label to start on, from 1 to 30 "
                                        "(labels are numbered down each column: 1 to 10 in the "
                                        "first, 11 to 20 in the second, 21 to 30 in the third), "
                                        "or press OK without a number to start on label 1.");
    return std::nullopt;
}

int LabelSheet::labelX(int label) {
    return kColumnX[(label - 1) / 10];
}

int LabelSheet::labelY(int label) {
    return kFirstTop + kLabelPitch * ((label - 1) % 10);
}

void LabelSheet::print(PrintPage& page, const QSqlRecord& record, const QString& bodyFont) {
    if (m_next > kLabelsASheet) {
        page.newPage();
        m_next = 1;
    }
    const int x = labelX(m_next);
    page.setCurrentY(labelY(m_next));
    page.setFontName(bodyFont);
    page.setFontSize(10);
    for (const Line& line : kLines) {
        page.setCurrentX(x);
        page.setBold(line.bold);
        page.setItalic(line.italic);
        if (line.printed(record))
            page.print(line.text(record));
    }
    ++m_next;
}
