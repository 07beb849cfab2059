#include "core/print/CheckFace.h"

#include "core/print/AmountLine.h"
#include "core/print/MicrLine.h"
#include "core/print/Stock.h"

#include <QCryptographicHash>

namespace {

using CheckFace::Check;
using CheckFace::Face;
using CheckFace::Item;
using CheckFace::Row;

bool always(const Check&) {
    return true;
}
bool inDraftDatabase(const Check& c) {
    return c.kind == CheckDb::Kind::Draft;
}
bool inCheckDatabase(const Check& c) {
    return c.kind == CheckDb::Kind::Check;
}

PrintItem v(const Check& c, const char* field) {
    return PrintItem::value(c.value(QString::fromLatin1(field)));
}
bool has(const Check& c, const char* field) {
    return c.has(QString::fromLatin1(field));
}

constexpr bool kBold = true;
constexpr bool kItalic = true;
constexpr bool kPlain = false;

// clang-format off
const QList<Item> kItems = {
    {"payer business", Face::Body, 12, kBold, kItalic, 0, Row::At, 0,
     [](const Check& c) { return has(c, "BusinessName"); },
     [](const Check& c) -> QList<PrintItem> { return {v(c, "BusinessName")}; }},
    {"payer name", Face::Body, 12, kBold, kItalic, 0, Row::NextLine, 0,
     [](const Check& c) { return has(c, "FirstName") || has(c, "LastName"); },
     [](const Check& c) -> QList<PrintItem> { return {v(c, "FirstName"), " ", v(c, "LastName")}; }},
    {"payer street", Face::Body, 10, kPlain, kItalic, 0, Row::NextLine, 0,
     [](const Check& c) { return has(c, "Address"); },
     [](const Check& c) -> QList<PrintItem> { return {v(c, "Address")}; }},
    {"payer place", Face::Body, 10, kPlain, kItalic, 0, Row::NextLine, 0,
     [](const Check& c) { return has(c, "Zip"); },
     [](const Check& c) -> QList<PrintItem> {
         return {v(c, "City"), ", ", v(c, "State"), "  ", v(c, "Zip")}; }},
    {"payer phone", Face::Body, 10, kPlain, kItalic, 0, Row::NextLine, 0,
     [](const Check& c) { return has(c, "Phone"); },
     [](const Check& c) -> QList<PrintItem> { return {"PH: ", v(c, "Phone")}; }},
    {"payee", Face::Body, 12, kBold, kItalic, 0, Row::At, 1800,
     [](const Check& c) { return has(c, "PayTo"); },
     [](const Check& c) -> QList<PrintItem> { return {"PAY TO THE ORDER OF:  ", v(c, "PayTo")}; }},
    {"amount", Face::Body, 12, kBold, kPlain, 9000, Row::At, 1800, always,
     [](const Check& c) { return AmountLine::items(c.value(QStringLiteral("Amount"))); }},
    {"bank", Face::Body, 12, kBold, kPlain, 0, Row::At, 2400,
     [](const Check& c) { return has(c, "Bank"); },
     [](const Check& c) -> QList<PrintItem> { return {v(c, "Bank")}; }},
    {"bank place", Face::Body, 10, kPlain, kPlain, 0, Row::NextLine, 0,
     [](const Check& c) { return has(c, "BankState"); },
     [](const Check& c) -> QList<PrintItem> { return {v(c, "BankCity"), ", ", v(c, "BankState")}; }},
    {"memo", Face::Body, 10, kPlain, kPlain, 0, Row::At, 3100,
     [](const Check& c) { return has(c, "For"); },
     [](const Check& c) -> QList<PrintItem> { return {"For: ", v(c, "For")}; }},
    {"spacer", Face::Body, 8.25, kPlain, kPlain, 0, Row::NextLine, 0, inDraftDatabase,
     [](const Check&) -> QList<PrintItem> { return {" "}; }},
    {"receipt text", Face::Body, 8.25, kPlain, kPlain, 0, Row::NextLine, 0, inDraftDatabase,
     [](const Check&) -> QList<PrintItem> {
         return {"This check when paid is a receipt for amount due on date indicated"}; }},
    {"authorisation", Face::Body, 8.25, kPlain, kPlain, 6600, Row::At, 2700, inDraftDatabase,
     [](const Check&) -> QList<PrintItem> { return {"Payment authorized by accountholder"}; }},
    {"indemnification", Face::Body, 8.25, kPlain, kPlain, 6600, Row::NextLine, 0, inDraftDatabase,
     [](const Check&) -> QList<PrintItem> { return {"Indemnification agreement provided by:"}; }},
    {"indemnifier", Face::Body, 8.25, kPlain, kItalic, 6600, Row::NextLine, 0, inDraftDatabase,
     [](const Check& c) -> QList<PrintItem> { return {v(c, "PayTo")}; }},
    {"signature line", Face::Body, 10, kPlain, kPlain, 6600, Row::At, 3200, inCheckDatabase,
     [](const Check&) -> QList<PrintItem> { return {QString(37, QLatin1Char('_'))}; }},
    {"MICR check number", Face::Micr, MicrLine::kSize, kPlain, kPlain, MicrLine::kCheckNumberX,
     Row::Micr, 0,
     [](const Check& c) { return has(c, "Check"); },
     [](const Check& c) { return MicrLine::checkNumberField(c.value(QStringLiteral("Check"))); }},
    {"MICR routing", Face::Micr, MicrLine::kSize, kPlain, kPlain, MicrLine::kRoutingX, Row::Micr, 0,
     [](const Check& c) { return has(c, "ABA"); },
     [](const Check& c) { return MicrLine::routingField(c.value(QStringLiteral("ABA"))); }},
    {"MICR account", Face::Micr, MicrLine::kSize, kPlain, kPlain, MicrLine::kAccountX, Row::Micr, 0,
     [](const Check& c) { return has(c, "Account"); },
     [](const Check& c) { return MicrLine::accountField(c.value(QStringLiteral("Account"))); }},
    {"check number", Face::Body, 12, kBold, kPlain, 9600, Row::At, 300,
     [](const Check& c) { return has(c, "Check"); },
     [](const Check& c) -> QList<PrintItem> { return {v(c, "Check")}; }},
    {"date", Face::Body, 12, kBold, kPlain, 9600, Row::NextLine, 0,
     [](const Check& c) { return !c.date.isNull(); },
     [](const Check& c) -> QList<PrintItem> { return {PrintItem::value(c.date)}; }},
};
// clang-format on

} // namespace

CheckFace::Check::Check(const QSqlRecord& record, CheckDb::Kind kind, QVariant date)
    : kind(kind), date(std::move(date)) {
    m_values.reserve(record.count());
    for (int i = 0; i < record.count(); ++i)
        m_values.insert(record.fieldName(i), record.value(i));
}

CheckFace::Check::Check(QHash<QString, QVariant> values, CheckDb::Kind kind, QVariant date)
    : kind(kind), date(std::move(date)), m_values(std::move(values)) {}

QVariant CheckFace::Check::value(const QString& field) const {
    if (const auto it = m_values.constFind(field); it != m_values.cend())
        return it.value();
    // A database made by another program may spell a field in other letter case.
    for (auto it = m_values.cbegin(); it != m_values.cend(); ++it)
        if (it.key().compare(field, Qt::CaseInsensitive) == 0)
            return it.value();
    return {};
}

const QList<Item>& CheckFace::items() {
    return kItems;
}

namespace {

/// The digest of a face, row by row: a row left out differs from one printed empty, and
/// each part goes in with its length, so that no two ways of splitting a line meet.
class FaceDigest {
public:
    // The face is gathered whole and hashed once: one hash of a few hundred bytes costs far
    // less than one for every part.
    void leftOut() { m_face.append('-'); }
    void printed(const QList<PrintItem>& parts) {
        m_face.append('+');
        for (const PrintItem& part : parts) {
            const QByteArray utf8 = part.text().toUtf8();
            const qint32 size = qint32(utf8.size());
            m_face.append(reinterpret_cast<const char*>(&size), sizeof size);
            m_face.append(utf8);
        }
    }
    QByteArray result() const { return QCryptographicHash::hash(m_face, QCryptographicHash::Sha1); }

private:
    QByteArray m_face;
};

} // namespace

QByteArray CheckFace::fingerprint(const Check& check) {
    FaceDigest digest;
    for (const Item& item : kItems) {
        if (item.printed(check))
            digest.printed(item.text(check));
        else
            digest.leftOut();
    }
    return digest.result();
}

QByteArray CheckFace::print(PrintPage& page, const Check& check, const QString& bodyFont,
                            qint64 left, qint64 top, int micrRow) {
    FaceDigest digest;
    for (const Item& item : kItems) {
        page.setFontName(item.face == Face::Micr ? PrintFaces::kMicr : bodyFont);
        page.setFontSize(item.size);
        page.setBold(item.bold);
        page.setItalic(item.italic);
        page.setCurrentX(double(left + item.x));
        if (item.row == Row::At)
            page.setCurrentY(double(top + item.y));
        else if (item.row == Row::Micr)
            page.setCurrentY(double(top + micrRow));
        if (item.printed(check)) {
            const QList<PrintItem> text = item.text(check);
            page.print(text);
            digest.printed(text);
        } else {
            digest.leftOut();
        }
    }
    page.setFontSize(10);
    page.setBold(false);
    return digest.result();
}
