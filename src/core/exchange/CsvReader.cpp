#include "core/exchange/CsvReader.h"

#include <cstring>

namespace {
bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
} // namespace

CsvReader::CsvReader(QByteArrayView utf8) : m_text(utf8) {
    if (!m_text.isEmpty()) {
        const void* zero = std::memchr(m_text.data(), 0, size_t(m_text.size()));
        if (zero)
            m_zeroByte = static_cast<const char*>(zero) - m_text.data();
    }
}

CsvReader::Status CsvReader::malformed(qsizetype line, QString problem) {
    m_failed = true;
    m_line = line;
    m_problem = std::move(problem);
    m_values.clear();
    return Status::Malformed;
}

bool CsvReader::atLineBreak(qsizetype at) const {
    return at < m_text.size() && (m_text[at] == '\n' || m_text[at] == '\r');
}

void CsvReader::skipLineBreak() {
    if (m_text[m_pos] == '\r' && m_pos + 1 < m_text.size() && m_text[m_pos + 1] == '\n')
        ++m_pos;
    ++m_pos;
    ++m_currentLine;
}

qsizetype CsvReader::lineBreaks(qsizetype from, qsizetype to) const {
    qsizetype count = 0;
    for (qsizetype i = from; i < to; ++i) {
        if (m_text[i] == '\n')
            ++count;
        else if (m_text[i] == '\r' && (i + 1 >= to || m_text[i + 1] != '\n'))
            ++count;
    }
    return count;
}

CsvReader::Status CsvReader::next() {
    if (m_failed)
        return Status::Malformed;
    const qsizetype n = m_text.size();
    const char* data = m_text.data();
    while (atLineBreak(m_pos))
        skipLineBreak();
    if (m_pos >= n) {
        m_values.clear();
        return Status::End;
    }
    m_line = m_currentLine;
    m_spans.clear();
    m_scratch.resize(0);

    const qsizetype recordStart = m_pos;
    for (;;) {
        qsizetype k = m_pos;
        while (k < n && isBlank(data[k]))
            ++k;
        if (k < n && data[k] == '"') {
            const qsizetype openLine = m_currentLine;
            qsizetype segment = k + 1;
            qsizetype p = segment;
            qsizetype scratchBegin = -1;
            qsizetype close = -1;
            while (close < 0) {
                const void* found = p < n ? std::memchr(data + p, '"', size_t(n - p)) : nullptr;
                if (!found)
                    return malformed(openLine,
                                     QStringLiteral("the quoted value that begins on line %1 has "
                                                    "no closing double quote")
                                         .arg(openLine));
                const qsizetype quote = static_cast<const char*>(found) - data;
                if (quote + 1 < n && data[quote + 1] == '"') {
                    if (scratchBegin < 0)
                        scratchBegin = m_scratch.size();
                    m_scratch.append(data + segment, quote + 1 - segment);
                    p = segment = quote + 2;
                } else {
                    close = quote;
                }
            }
            m_currentLine += lineBreaks(k + 1, close);
            if (scratchBegin < 0) {
                m_spans.append({false, segment, close - segment});
            } else {
                m_scratch.append(data + segment, close - segment);
                m_spans.append({true, scratchBegin, m_scratch.size() - scratchBegin});
            }
            m_pos = close + 1;
            while (m_pos < n && isBlank(data[m_pos]))
                ++m_pos;
            if (m_pos < n && data[m_pos] != ',' && !atLineBreak(m_pos))
                return malformed(m_currentLine,
                                 QStringLiteral("on line %1 a quoted value is followed by more "
                                                "text before the next comma (a double quote "
                                                "inside a value is written twice: \"\")")
                                     .arg(m_currentLine));
        } else {
            qsizetype e = m_pos;
            while (e < n && data[e] != ',' && data[e] != '\r' && data[e] != '\n')
                ++e;
            m_spans.append({false, m_pos, e - m_pos});
            m_pos = e;
        }
        if (m_pos >= n)
            break;
        if (data[m_pos] == ',') {
            ++m_pos;
            continue;
        }
        skipLineBreak();
        break;
    }

    if (m_zeroByte >= recordStart && m_zeroByte < m_pos)
        return malformed(m_line + lineBreaks(recordStart, m_zeroByte),
                         QStringLiteral("line %1 holds a zero byte, which text files do not have")
                             .arg(m_line + lineBreaks(recordStart, m_zeroByte)));

    m_values.resize(m_spans.size());
    for (qsizetype i = 0; i < m_spans.size(); ++i) {
        const Span& s = m_spans[i];
        m_values[i] = s.inScratch ? QByteArrayView(m_scratch.constData() + s.begin, s.size)
                                  : m_text.sliced(s.begin, s.size);
    }
    return Status::Record;
}

QStringList CsvReader::texts() const {
    QStringList out;
    out.reserve(m_values.size());
    for (const QByteArrayView v : m_values)
        out << QString::fromUtf8(v);
    return out;
}
