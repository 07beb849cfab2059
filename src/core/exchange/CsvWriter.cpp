#include "core/exchange/CsvWriter.h"

void CsvWriter::separate() {
    if (m_lineStarted)
        m_out += ',';
    m_lineStarted = true;
}

void CsvWriter::text(QByteArrayView utf8) {
    separate();
    m_out += '"';
    qsizetype from = 0;
    for (qsizetype quote = utf8.indexOf('"'); quote >= 0; quote = utf8.indexOf('"', from)) {
        m_out.append(utf8.sliced(from, quote + 1 - from));
        m_out += '"';
        from = quote + 1;
    }
    m_out.append(utf8.sliced(from));
    m_out += '"';
}

void CsvWriter::number(QByteArrayView plain) {
    separate();
    m_out.append(plain);
}

void CsvWriter::null() {
    separate();
    m_out += "\"\"";
}

void CsvWriter::endLine() {
    m_out += "\r\n";
    m_lineStarted = false;
}
