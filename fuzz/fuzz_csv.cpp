// libFuzzer target for the comma-delimited reader: whatever file the user chooses must read
// without a crash, an out-of-bounds read or undefined behaviour, and what it reads must come
// back unchanged when written and read again. Amounts taken from it must export and import
// back to the same stored amount.
#include "core/entry/AmountText.h"
#include "core/exchange/CsvReader.h"
#include "core/exchange/CsvWriter.h"
#include "core/exchange/FileText.h"

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
    std::fprintf(stderr, "fuzz_csv.cpp:%d: broken promise: %s\n", line, promise);
    std::abort();
}

void exerciseAmount(QByteArrayView value) {
    QByteArray stored;
    if (AmountText::appendNormalised(stored, value)) {
        // Stored, exported as a plain number, imported again: the same amount.
        QByteArray plain;
        require(AmountText::appendPlainNumber(plain, stored));
        QByteArray again;
        require(AmountText::appendNormalised(again, plain));
        require(again == stored);
        require(stored.size() <= AmountText::kMaxWholeDigits + 4);
    }
    QByteArray plain;
    if (AmountText::appendPlainNumber(plain, value)) {
        QByteArray twice;
        require(AmountText::appendPlainNumber(twice, plain));
        require(twice == plain);
    } else {
        require(plain.isEmpty());
    }
}

void exercise(QByteArrayView bytes) {
    QByteArray converted;
    const FileText::Decoded decoded = FileText::decode(bytes, converted, 1 << 20);
    const QByteArrayView text = decoded.utf8;
    require(FileText::isUtf8(text));
    // Text that needed no conversion is the bytes themselves.
    require((decoded.windows1252Lines > 0) == (text.data() == converted.constData()));

    CsvReader reader(text);
    qsizetype lastLine = 0;
    for (int records = 0;; ++records) {
        const CsvReader::Status status = reader.next();
        if (status == CsvReader::Status::End) {
            require(reader.next() == CsvReader::Status::End);
            return;
        }
        require(reader.line() > lastLine);
        lastLine = reader.line();
        if (status == CsvReader::Status::Malformed) {
            require(!reader.problem().isEmpty());
            require(reader.next() == CsvReader::Status::Malformed);
            return;
        }
        const QList<QByteArrayView>& values = reader.values();
        require(!values.isEmpty());

        QByteArray written;
        CsvWriter writer(written);
        for (const QByteArrayView v : values) {
            writer.text(v);
            if (records < 64)
                exerciseAmount(v);
        }
        writer.endLine();
        CsvReader back(written);
        require(back.next() == CsvReader::Status::Record);
        require(back.values().size() == values.size());
        for (qsizetype i = 0; i < values.size(); ++i)
            require(back.values()[i] == values[i]);
        require(back.next() == CsvReader::Status::End);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    exercise(QByteArrayView(data, static_cast<qsizetype>(size)));
    return 0;
}
