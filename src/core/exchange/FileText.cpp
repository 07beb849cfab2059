#include "core/exchange/FileText.h"

#include <cstring>

namespace {

// Windows-1252 differs from Latin-1 only in 0x80 to 0x9F.
constexpr char16_t kHigh1252[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void appendUtf8(QByteArray& out, char32_t c) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

} // namespace

bool FileText::isUtf8(QByteArrayView bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    while (p < end) {
        // Most of a file is ASCII: skip it eight bytes at a time.
        while (end - p >= 8) {
            quint64 block;
            std::memcpy(&block, p, 8);
            if (block & 0x8080808080808080ULL)
                break;
            p += 8;
        }
        if (p == end)
            break;
        const unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int more = 0;
        char32_t cp = 0;
        char32_t min = 0;
        if (c >= 0xC2 && c <= 0xDF) {
            more = 1;
            cp = c & 0x1F;
            min = 0x80;
        } else if (c >= 0xE0 && c <= 0xEF) {
            more = 2;
            cp = c & 0x0F;
            min = 0x800;
        } else if (c >= 0xF0 && c <= 0xF4) {
            more = 3;
            cp = c & 0x07;
            min = 0x10000;
        } else {
            return false;
        }
        if (end - p <= more)
            return false;
        for (int k = 1; k <= more; ++k) {
            if ((p[k] & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (p[k] & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        p += more + 1;
    }
    return true;
}

void FileText::appendWindows1252(QByteArray& out, QByteArrayView bytes) {
    for (const char b : bytes) {
        const auto c = static_cast<unsigned char>(b);
        if (c < 0x80)
            out += b;
        else if (c < 0xA0)
            appendUtf8(out, kHigh1252[c - 0x80]);
        else
            appendUtf8(out, c);
    }
}

FileText::Decoded FileText::decode(QByteArrayView bytes, QByteArray& converted,
                                   qsizetype longestLine) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    Decoded result;
    // Until the first line that is not UTF-8, the text is the bytes themselves; from there
    // on it is built in `converted`.
    bool converting = false;
    const char* data = bytes.data();
    const qsizetype n = bytes.size();
    qsizetype line = 1;
    qsizetype feed = -1; // the next line feed from `start` on (n: none), looked up once
    for (qsizetype start = 0; start < n; ++line) {
        if (feed < start) {
            const void* found = std::memchr(data + start, '\n', size_t(n - start));
            feed = found ? static_cast<const char*>(found) - data : n;
        }
        qsizetype end = feed;
        if (const void* ret = std::memchr(data + start, '\r', size_t(end - start)))
            end = static_cast<const char*>(ret) - data;
        if (end - start > longestLine) {
            result.overlongLine = line;
            break;
        }
        qsizetype next = end;
        if (next < n)
            next += data[next] == '\r' && next + 1 < n && data[next + 1] == '\n' ? 2 : 1;
        const QByteArrayView text = bytes.sliced(start, end - start);
        if (isUtf8(text)) {
            if (converting)
                converted.append(bytes.sliced(start, next - start));
        } else {
            if (!converting) {
                converting = true;
                converted.clear();
                converted.reserve(n + n / 8);
                converted.append(bytes.first(start));
            }
            appendWindows1252(converted, text);
            converted.append(bytes.sliced(end, next - end));
            ++result.windows1252Lines;
        }
        start = next;
    }
    result.utf8 = converting ? QByteArrayView(converted) : bytes;
    return result;
}
