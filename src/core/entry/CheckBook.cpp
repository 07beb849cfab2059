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

namespace {

const QString kGone = QStringLiteral(
    "This check no longer exists: it was deleted while it was shown here, by another copy of "
    "Ledgerline or another program. What you entered for it was not stored.");

// "check #1043" at the start of a sentence.
QString sentence(QString name) {
    if (!name.isEmpty())
        name[0] = name[0].toUpper();
    return name;
}

} // namespace

const QStringList CheckBook::kPayerFields = {
    QStringLiteral("BusinessName"), QStringLiteral("FirstName"), QStringLiteral("LastName"),
    QStringLiteral("Address"),      QStringLiteral("City"),      QStringLiteral("State"),
    QStringLiteral("Zip"),          QStringLiteral("Phone"),     QStringLiteral("Bank"),
    QStringLiteral("BankCity"),     QStringLiteral("BankState"), QStringLiteral("ABA"),
    QStringLiteral("Account"),
};

CheckBook::CheckBook(const QString& path) : m_db(Database::open(path)) {
    // A database made by an earlier version gains the void fields and the register's
    // indexes. Where it cannot be written (a read-only folder, another program holding it)
    // it works on as it is: no check of it is void, and Void says why it cannot be done.
    skipIfFails([&] { CheckDb::bringUpToDate(m_db); });
    m_records = std::make_unique<RecordSet>(m_db, CheckDb::kAccount);
    m_header = std::make_unique<RecordSet>(m_db, CheckDb::kHeader);
    m_all = std::make_unique<RecordSet>(m_db, CheckDb::kAccount);
}

CheckBook::~CheckBook() = default;

QSqlRecord CheckBook::current() {
    // Read to be shown: on the server an edit of it is stored only over this very version.
    return m_records->hasCurrent() ? m_records->record(true) : QSqlRecord();
}

void CheckBook::commit(const QList<FieldEntry::Typed>& typed, std::optional<bool> labelPrint) {
    if (typed.isEmpty() && !labelPrint)
        return;
    // A database that is gone is the reason to give, before any typed text is judged.
    requireFile();
    // A void check stays as it was voided; notes may still be added to its comments.
    for (const FieldEntry::Typed& t : typed)
        if (t.field != QLatin1String("Comments"))
            refuseIfVoid(QStringLiteral("What was typed in %1 was not stored.").arg(t.caption));
    if (labelPrint)
        refuseIfVoid(QStringLiteral("Its label setting was not stored."));
    QList<std::pair<QString, QVariant>> values;
    for (const FieldEntry::Typed& t : typed)
        values.append({t.field, FieldEntry::convert(t.field, t.caption, t.text)});
    if (labelPrint)
        values.append({QStringLiteral("LabelPrint"), *labelPrint ? YesNo::True : YesNo::False});
    if (values.isEmpty())
        return;
    store(values);
}

void CheckBook::store(const QList<std::pair<QString, QVariant>>& values) {
    requireFile();
    // With no current check (it was deleted here and no other could be shown), what the
    // user entered has nowhere to go: that is said as for a check deleted elsewhere.
    if (!m_records->hasCurrent())
        throw DbError(kGone, DbError::Reason::Gone);
    try {
        m_records->edit();
        for (const auto& [field, value] : values)
            m_records->setValue(field, value);
        m_records->update();
    } catch (const DbError& e) {
        if (e.reason() == DbError::Reason::Gone)
            throw DbError(kGone, DbError::Reason::Gone);
        throw;
    }
}

bool CheckBook::moveNext() {
    return walk(true);
}

bool CheckBook::movePrevious() {
    return walk(false);
}

bool CheckBook::walk(bool forward) {
    RecordSet& rs = *m_records;
    // A move that fails throws and leaves the view where it was: only the end of the
    // records is running off the end.
    const RecordSet::Position before = rs.position();
    try {
        forward ? rs.moveNext() : rs.movePrevious();
        if (!(forward ? rs.eof() : rs.bof()))
            return true;
        // Back to the check the walk came from, the last (first) of the view.
        forward ? rs.movePrevious() : rs.moveNext();
        return false;
    } catch (...) {
        rs.restore(before);
        throw;
    }
}

void CheckBook::choosePrintOption(const QString& caption) {
    const QString code = PrintOption::code(caption);
    if (code.isEmpty())
        return;
    refuseIfVoid(QStringLiteral("It never prints."));
    store({{QStringLiteral("Print"), code}});
}

void CheckBook::chooseProductType(const QString& type) {
    refuseIfVoid(QStringLiteral("Its product type was not changed."));
    store({{QStringLiteral("BusinessType"), type}, {QStringLiteral("For"), type}});
}

void CheckBook::refuseIfVoid(const QString& consequence) {
    // A check that cannot be read (deleted meanwhile elsewhere) is no void one: the store
    // that follows says what became of it.
    bool isVoid = false;
    QString name;
    skipIfFails([&] {
        isVoid = m_records->hasCurrent() && currentIsVoid();
        name = currentName();
    });
    if (isVoid)
        throw DbError(QStringLiteral("%1 is void. %2").arg(sentence(name), consequence));
}

FirstCheckOptions CheckBook::gotoFirstCheck() {
    // Should the template not be readable, the view stays on the check the screen shows,
    // so that what is typed next cannot land on the template unseen.
    const RecordSet::Position before = m_records->position();
    try {
        m_records->moveFirst();
        return firstCheckOptions();
    } catch (...) {
        m_records->restore(before);
        throw;
    }
}

FirstCheckOptions CheckBook::firstCheckOptions() {
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

TemplateCache CheckBook::templateDefaults() {
    // The template is always the first row of the whole table, whatever the view shows.
    m_all->moveFirst();
    TemplateCache cache;
    QStringList fields = kPayerFields;
    fields << QStringLiteral("PayTo");
    for (const QString& field : fields) {
        const QVariant v = m_all->value(field);
        if (!v.isNull())
            cache.texts.insert(field, v.toString());
    }
    const QVariant flag = m_all->value(QStringLiteral("LabelPrint"));
    cache.labelPrint = flag.isNull() ? QStringLiteral("0") : flag.toString();
    return cache;
}

void CheckBook::clearTemplateLabel() {
    if (kind() == CheckDb::Kind::Draft)
        return;
    m_all->moveFirst();
    m_all->edit();
    m_all->setValue(QStringLiteral("LabelPrint"), YesNo::False);
    m_all->update();
}

TemplateCache CheckBook::loadTemplate() {
    // Loading goes on past a failed step, so that a damaged field never keeps the screen
    // shut; each step makes its own move before it reads, so none reads where a failed
    // one left off.
    TemplateCache cache;
    skipIfFails([&] { clearTemplateLabel(); });
    skipIfFails([&] { cache = templateDefaults(); });
    skipIfFails([&] { m_records->moveLast(); });
    return cache;
}

void CheckBook::newCheck(const Clock& clock) {
    requireFile();
    const RecordSet::Position before = m_records->position();
    try {
        // One transaction: a whole check, numbered, dated and filled from the template,
        // with the header's number to match; or, when any step fails, nothing at all.
        // Every value is read right after the move that reaches it.
        m_db->transaction([&] {
            // Numbers are handed out under the header's lock: two desks pressing New at once
            // take turns, and never get one number.
            m_db->lockRows(CheckDb::kHeader);
            clearTemplateLabel();
            const TemplateCache cache = templateDefaults();
            const CheckDb::Kind k = kind();
            // The last check of the whole table, not of the view: a filter must not make
            // New hand out a number that is already taken.
            m_all->moveLast();
            const long long last = m_all->value(QStringLiteral("Check")).toLongLong();
            m_header->moveFirst();
            const long long lastCheck = m_header->value(QStringLiteral("LastCheck")).toLongLong();
            const long long number = CheckNumbering::next(last, lastCheck);

            // The new row becomes current as it is stored, so nothing can land on another
            // check even when the view is filtered.
            RecordSet& rs = *m_records;
            rs.addNew();
            rs.setValue(QStringLiteral("Print"), PrintOption::kOnce);
            rs.setValue(QStringLiteral("Date"), clock.todayText());
            rs.setValue(QStringLiteral("Check"), number);
            if (k == CheckDb::Kind::Draft) {
                const QString payTo = cache.text(QStringLiteral("PayTo"));
                rs.setValue(QStringLiteral("PayTo"),
                            payTo.isEmpty() ? QVariant() : QVariant(payTo));
                rs.setValue(QStringLiteral("LabelPrint"),
                            TableSchema::isYes(cache.labelPrint) ? YesNo::True : YesNo::False);
            } else if (k == CheckDb::Kind::Check) {
                for (const QString& field : kPayerFields)
                    if (!cache.text(field).isEmpty())
                        rs.setValue(field, cache.text(field));
                rs.setValue(QStringLiteral("LabelPrint"), YesNo::False);
            }
            rs.update();
            m_header->edit();
            m_header->setValue(QStringLiteral("LastCheck"), number);
            m_header->update();
        });
    } catch (...) {
        // The check that was added is undone: the view goes back to the check it showed.
        m_records->restore(before);
        throw;
    }
    // Under a search filter the new check belongs to the view until the view is replaced,
    // whether it matches or not, so that Next and Previous come back to it.
    // The check is made by now: should the view not be remade on it, the old view stays,
    // on the new check.
    if (filtered())
        skipIfFails([&] {
            const qint64 id = m_records->currentId();
            m_added.append(id);
            std::unique_ptr<RecordSet> remade = view();
            remade->moveTo(id);
            m_records = std::move(remade);
        });
}

bool CheckBook::currentIsTemplate() {
    return m_records->value(QStringLiteral("ID")).toLongLong() == CheckDb::kTemplateId;
}

bool CheckBook::currentIsPrinted() {
    return !m_records->value(QStringLiteral("Printed")).toString().trimmed().isEmpty();
}

bool CheckBook::currentIsVoid() {
    return CheckDb::isVoid(m_records->record());
}

QString CheckBook::currentName() {
    const QVariant number = m_records->value(QStringLiteral("Check"));
    return number.isNull() ? QStringLiteral("this check")
                           : QStringLiteral("check #") + number.toString();
}

void CheckBook::voidCurrent(const QString& reason, const Clock& clock) {
    requireFile();
    if (currentIsTemplate())
        throw DbError(QStringLiteral("The first check is the template for new checks; it cannot "
                                     "be voided."));
    const QString name = currentName();
    const QSqlRecord row = m_records->record();
    if (CheckDb::isVoid(row))
        throw DbError(QStringLiteral("%1 is void already, since %2.")
                          .arg(sentence(name), row.value(CheckDb::kVoidDate).toString()));
    if (reason.trimmed().isEmpty())
        throw DbError(QStringLiteral("A check is voided only with a reason. %1 was not voided.")
                          .arg(sentence(name)));
    if (!CheckDb::hasVoidFields(*m_db)) {
        try {
            CheckDb::bringUpToDate(m_db);
        } catch (const DbError& e) {
            throw DbError(QStringLiteral("%1 could not be voided: this database cannot take "
                                         "void checks now. %2")
                              .arg(sentence(name), e.message()),
                          e.reason());
        }
    }
    store({{CheckDb::kVoidDate, clock.todayText()},
           {CheckDb::kVoidReason, reason.trimmed()},
           {QStringLiteral("Print"), PrintOption::kNever}});
}

bool CheckBook::showCheck(qint64 id) {
    if (m_records->moveTo(id))
        return true;
    auto all = std::make_unique<RecordSet>(m_db, CheckDb::kAccount);
    if (!all->moveTo(id))
        return false;
    m_condition.clear();
    m_binds.clear();
    m_added.clear();
    m_records = std::move(all);
    return true;
}

void CheckBook::deleteCurrent() {
    // A printed check may still reach the bank, and a void one must still be reported to it:
    // both are kept.
    const QString name = currentName();
    if (currentIsVoid())
        throw DbError(QStringLiteral("%1 is void; a void check is kept and cannot be deleted.")
                          .arg(sentence(name)));
    if (currentIsPrinted())
        throw DbError(
            QStringLiteral("%1 was printed on %2, so it is kept; void it instead.")
                .arg(sentence(name), m_records->value(QStringLiteral("Printed")).toString()));
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
    const SearchFilter::Query query = SearchFilter::contains(field, text, m_db->onServer());
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
        QStringLiteral("(%1) OR %3 IN (%2)")
            .arg(m_condition, marks.join(QLatin1Char(',')), m_db->rowId()),
        m_binds + m_added);
}
