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
    const qint64 before = records.currentId();
    const bool fresh = !records.isNull(QStringLiteral("BusinessName")) &&
                       !records.isNull(QStringLiteral("FirstName"));
    try {
        // One transaction: the new check, its fields and its comments, or none of them.
        book.database()->transaction([&] {
            if (fresh)
                book.newCheck(clock);
            RecordSet& target = book.records();
            target.edit();
            for (const OrderForm::Entry& entry : form.fieldsToStore())
                target.setValue(entry.field, entry.stored);
            target.setValue(QStringLiteral("Comments"), form.comments());
            target.update();
        });
    } catch (...) {
        book.records().moveTo(before);
        throw;
    }
    for (const QString& message : form.verificationMessages())
        prompter.message(message);
}
