// libFuzzer target for the order-form parser: whatever the clipboard holds must parse
// without a crash, an out-of-bounds read or undefined behaviour, and the result must keep
// the promises the importer relies on.
#include "core/entry/OrderForm.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// A broken promise is a finding like a crash: say which one, then abort for libFuzzer.
#define require(condition) ((condition) ? void() : broken(#condition, __LINE__))

namespace {

[[noreturn]] void broken(const char* promise, int line) {
    std::fprintf(stderr, "fuzz_orderform.cpp:%d: broken promise: %s\n", line, promise);
    std::abort();
}

void exercise(const QString& text) {
    const OrderForm form = OrderForm::parse(text);

    bool allStorable = true;
    for (const OrderForm::Entry& e : form.fieldsToStore()) {
        require(e.found && !e.value.isEmpty() && !e.field.isEmpty());
        // A value never runs on into the next line, whatever ends it.
        require(!e.value.contains(u'\r') && !e.value.contains(u'\n'));
        require(form.entry(e.label) != nullptr);
        allStorable = allStorable && e.stored.isValid();
    }
    // Nothing is imported unless everything can be.
    require(form.problem().isEmpty() == allStorable);
    if (!form.problem().isEmpty())
        require(form.problem().contains(QStringLiteral("The order form's ")));

    const QStringList messages = form.verificationMessages();
    require(messages.size() == 1 || messages.size() == 2);

    const QString comments = form.comments();
    require(comments.startsWith(QStringLiteral("BankPhoneNumber: ")));

    for (const char* label : {"BankName", "BottomCheckRow", "CardNumber", "BankPhoneNumber"}) {
        const OrderForm::Entry* e = form.entry(QString::fromLatin1(label));
        require(e != nullptr);
        require(e->found || e->value.isEmpty());
    }
    require(form.entry(QStringLiteral("NotALabel")) == nullptr);

    const QString line = TakeLine(text);
    require(line.size() <= text.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    exercise(QString::fromUtf8(bytes));
    exercise(QString::fromLatin1(bytes));
    return 0;
}
