#include "core/entry/OrderImporter.h"

#include "core/entry/CheckBook.h"
#include "core/entry/OrderForm.h"
#include "core/platform/Database.h"
#include "core/platform/DbError.h"
#include "core/platform/Prompter.h"
#include "core/platform/RecordSet.h"

void OrderImporter::paste(CheckBook& book, const QString& text, const Clock& clock,
                          Prompter& prompter) {
    const OrderForm form = OrderForm::parse(text);
    if (const QString problem = form.problem(); !problem.isEmpty())
        throw DbError(problem);

    RecordSet& records = book.records();
    const RecordSet::Position before = records.position();
    try {
        // One transaction: the new check, its fields and its comments, or none of them. A
        // New that fails fails the whole paste, so the order never lands on the check shown.
        book.database()->transaction([&] {
            // A void check stays as it was voided: the order goes into a new one.
            const bool fresh = (!records.isNull(QStringLiteral("BusinessName")) &&
                                !records.isNull(QStringLiteral("FirstName"))) ||
                               book.currentIsVoid();
            if (fresh)
                book.newCheck(clock);
            QList<std::pair<QString, QVariant>> values;
            for (const OrderForm::Entry& entry : form.fieldsToStore())
                values.append({entry.field, entry.stored});
            values.append({QStringLiteral("Comments"), form.comments()});
            book.store(values);
        });
    } catch (...) {
        // A check New added is undone with the rest: the view goes back to the check it
        // showed, without asking the database that has just failed.
        book.records().restore(before);
        throw;
    }
    for (const QString& message : form.verificationMessages())
        prompter.message(message);
}
