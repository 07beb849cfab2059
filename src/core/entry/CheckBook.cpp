#include "core/entry/CheckBook.h"

#include "core/entry/CheckNumbering.h"
#include "core/entry/PrintOption.h"
#include "core/entry/SearchFilter.h"
#include "core/platform/Clock.h"
#include "core/platform/Database.h"
#include "core/platform/DbError.h"
#include "core/platform/Failure.h"
#include "core/platform/RecordSet.h"
#include "core/platform/TableSchema.h"

const QStringList CheckBook::kPayerFields = {
    QStringLiteral("BusinessName"), QStringLiteral("FirstName"), QStringLiteral("LastName"),
    QStringLiteral("Address"),      QStringLiteral("City"),      QStringLiteral("State"),
    QStringLiteral("Zip"),          QStringLiteral("Phone"),     QStringLiteral("Bank"),
    QStringLiteral("BankCity"),     QStringLiteral("BankState"), QStringLiteral("ABA"),
    QStringLiteral("Account"),
};

CheckBook::CheckBook(const QString& path) : m_db(Database::open(path)) {
    m_records = std::make_unique<RecordSet>(m_db, CheckDb::kAccount);
    m_header = std::make_unique<RecordSet>(m_db, CheckDb::kHeader);
    m_all = std::make_unique<RecordSet>(m_db, CheckDb::kAccount);
}

CheckBook::~CheckBook() = default;

QSqlRecord CheckBook::current() {
    return m_records->hasCurrent() ? m_records->record() : QSqlRecord();
}

void CheckBook::commit(const QList<FieldEntry::Typed>& typed, std::optional<bool> labelPrint) {
    if (!m_records->hasCurrent())
        return;
    QList<std::pair<QString, QVariant>> values;
    for (const FieldEntry::Typed& t : typed)
        values.append({t.field, FieldEntry::convert(t.field, t.caption, t.text)});
    if (labelPrint)
        values.append({QStringLiteral("LabelPrint"), *labelPrint ? YesNo::True : YesNo::False});
    if (values.isEmpty())
        return;
    requireFile();
    m_records->edit();
    for (const auto& [field, value] : values)
        m_records->setValue(field, value);
    m_records->update();
}

bool CheckBook::moveNext() {
    return walk(true);
}

bool CheckBook::movePrevious() {
    return walk(false);
}

bool CheckBook::walk(bool forward) {
    RecordSet& rs = *m_records;
    // Walking never stops at a failed move: it counts as running off the end, and the
    // walk steps back to the check it came from.
    bool ranOff = !skipIfFails([&] { forward ? rs.moveNext() : rs.movePrevious(); });
    if (!ranOff)
        ranOff = forward ? rs.eof() : rs.bof();
    if (ranOff)
        skipIfFails([&] { forward ? rs.movePrevious() : rs.moveNext(); });
    return !ranOff;
}

void CheckBook::choosePrintOption(const QString& caption) {
    const QString code = PrintOption::code(caption);
    if (code.isEmpty())
        return;
    m_records->edit();
    m_records->setValue(QStringLiteral("Print"), code);
    m_records->update();
}

void CheckBook::chooseProductType(const QString& type) {
    m_records->edit();
    m_records->setValue(QStringLiteral("BusinessType"), type);
    m_records->setValue(QStringLiteral("For"), type);
    m_records->update();
}

FirstCheckOptions CheckBook::gotoFirstCheck() {
    m_records->moveFirst();
    FirstCheckOptions shown;
    const QVariant type = m_records->value(QStringLiteral("BusinessType"));
    shown.productType = type.isNull() ? PrintOption::kBlank : type.toString();
    shown.printOption = PrintOption::firstCheckCaption(m_records->value(QStringLiteral("Print")));
    const QVariant lprint = m_records->value(QStringLiteral("LPrint"));
    if (!lprint.isNull())
        shown.labelTick = lprint.toInt() != 0;
    return shown;
}

bool CheckBook::vanished() const {
    return m_db->hasMoved();
}

void CheckBook::requireFile() const {
    // Written to a file that is gone, a check would be lost as soon as the database closes.
    if (vanished())
        throw DbError(DbError::movedMessage(m_db->path()), DbError::Reason::ReadOnly);
}

CheckDb::Kind CheckBook::kind() {
    return CheckDb::kind(*m_header);
}

QString CheckBook::caption() {
    const QString description = m_header->value(QStringLiteral("Description")).toString();
    return (kind() == CheckDb::Kind::Draft ? QStringLiteral("Draft Database: ")
                                           : QStringLiteral("Check Database: ")) +
           description;
}

bool CheckBook::templateIsEmpty() {
    m_all->moveFirst();
    return m_all->isNull(QStringLiteral("BusinessName")) &&
           m_all->isNull(QStringLiteral("FirstName")) && m_all->isNull(QStringLiteral("PayTo"));
}

void CheckBook::dateTemplate(const Clock& clock) {
    m_all->moveFirst();
    if (!m_all->isNull(QStringLiteral("Date")))
        return;
    m_all->edit();
    m_all->setValue(QStringLiteral("Date"), clock.todayText());
    m_all->update();
}

TemplateCache CheckBook::loadTemplate() {
    // The template is always the first row of the whole table, whatever the view shows.
    TemplateCache cache;
    skipIfFails([&] { m_all->moveFirst(); });
    CheckDb::Kind k = CheckDb::Kind::Other;
    skipIfFails([&] { k = kind(); });
    if (k == CheckDb::Kind::Draft) {
        skipIfFails([&] {
            const QVariant payTo = m_all->value(QStringLiteral("PayTo"));
            if (!payTo.isNull())
                cache.texts.insert(QStringLiteral("PayTo"), payTo.toString());
        });
    } else {
        skipIfFails([&] {
            m_all->edit();
            m_all->setValue(QStringLiteral("LabelPrint"), YesNo::False);
            m_all->update();
        });
    }
    for (const QString& field : kPayerFields)
        skipIfFails([&] {
            const QVariant v = m_all->value(field);
            if (!v.isNull())
                cache.texts.insert(field, v.toString());
        });
    skipIfFails([&] {
        const QVariant flag = m_all->value(QStringLiteral("LabelPrint"));
        cache.labelPrint = flag.isNull() ? QStringLiteral("0") : flag.toString();
    });
    skipIfFails([&] { m_records->moveLast(); });
    return cache;
}

void CheckBook::newCheck(const Clock& clock) {
    // Each step below goes on past a failure; without the file, none of them could work.
    requireFile();
    skipIfFails([&] { reopen(); });
    TemplateCache cache = loadTemplate();

    // The last check of the whole table, not of the view: a filter must not make New
    // hand out a number that is already taken.
    long long last = 0;
    long long lastCheck = 0;
    skipIfFails([&] {
        m_all->moveLast();
        last = m_all->value(QStringLiteral("Check")).toLongLong();
    });
    skipIfFails([&] {
        m_header->moveFirst();
        lastCheck = m_header->value(QStringLiteral("LastCheck")).toLongLong();
    });

    // The new row becomes current as soon as it is stored, so nothing below can land on
    // another record even when the view is filtered.
    const bool added = skipIfFails([&] {
        m_records->addNew();
        m_records->update();
    });
    if (!added)
        return;
    if (filtered())
        skipIfFails([&] {
            const qint64 id = m_records->currentId();
            m_added.append(id);
            m_records = view();
            m_records->moveTo(id);
        });
    const long long number = CheckNumbering::next(last, lastCheck);
    skipIfFails([&] {
        m_db->transaction([&] {
            m_records->edit();
            m_records->setValue(QStringLiteral("Print"), PrintOption::kOnce);
            m_records->setValue(QStringLiteral("Date"), clock.todayText());
            m_records->setValue(QStringLiteral("Check"), number);
            m_records->update();
            m_header->edit();
            m_header->setValue(QStringLiteral("LastCheck"), number);
            m_header->update();
        });
    });

    CheckDb::Kind k = CheckDb::Kind::Other;
    skipIfFails([&] { k = kind(); });
    if (k == CheckDb::Kind::Draft) {
        skipIfFails([&] {
            m_records->edit();
            m_records->setValue(QStringLiteral("PayTo"),
                                cache.text(QStringLiteral("PayTo")).isEmpty()
                                    ? QVariant()
                                    : QVariant(cache.text(QStringLiteral("PayTo"))));
            m_records->setValue(QStringLiteral("LabelPrint"),
                                TableSchema::isYes(cache.labelPrint) ? YesNo::True : YesNo::False);
            m_records->update();
        });
    } else if (k == CheckDb::Kind::Check) {
        // The defaults read above are the template as it stands now; reading it again
        // would move the view away from the new check.
        skipIfFails([&] {
            m_records->edit();
            for (const QString& field : kPayerFields)
                if (!cache.text(field).isEmpty())
                    m_records->setValue(field, cache.text(field));
            m_records->setValue(QStringLiteral("LabelPrint"), YesNo::False);
            m_records->update();
        });
    }
}

bool CheckBook::currentIsTemplate() {
    return m_records->value(QStringLiteral("ID")).toLongLong() == 1;
}

void CheckBook::deleteCurrent() {
    m_records->remove();
    m_records->movePrevious();
    if (m_records->bof()) {
        m_records->moveFirst();
        if (m_records->eof())
            viewAll();
    }
}

bool CheckBook::filter(const QString& condition, const QVariantList& binds) {
    auto matches = std::make_unique<RecordSet>(m_db, CheckDb::kAccount, condition, binds);
    if (matches->eof())
        return false;
    m_records = std::move(matches);
    m_condition = condition;
    m_binds = binds;
    m_added.clear();
    return true;
}

bool CheckBook::search(const QString& field, const QString& text) {
    const SearchFilter::Query query = SearchFilter::contains(field, text);
    return filter(query.condition, query.binds);
}

void CheckBook::viewAll() {
    m_condition.clear();
    m_binds.clear();
    m_added.clear();
    m_records = std::make_unique<RecordSet>(m_db, CheckDb::kAccount);
}

std::unique_ptr<RecordSet> CheckBook::view() const {
    if (m_condition.isEmpty())
        return std::make_unique<RecordSet>(m_db, CheckDb::kAccount);
    if (m_added.isEmpty())
        return std::make_unique<RecordSet>(m_db, CheckDb::kAccount, m_condition, m_binds);
    QStringList marks(m_added.size(), QStringLiteral("?"));
    return std::make_unique<RecordSet>(
        m_db, CheckDb::kAccount,
        QStringLiteral("(%1) OR rowid IN (%2)").arg(m_condition, marks.join(QLatin1Char(','))),
        m_binds + m_added);
}

void CheckBook::reopen() {
    m_records = view();
    m_header->refresh();
}
