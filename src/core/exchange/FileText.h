#pragma once

#include <QByteArray>
#include <QByteArrayView>

/// The encodings text files come in. Ledgerline writes UTF-8; files from older programs
/// are in the Windows code page 1252, which any byte sequence is valid in.
namespace FileText {

/// True when the bytes are well-formed UTF-8 (no overlong forms, surrogates or code points
/// beyond U+10FFFF).
bool isUtf8(QByteArrayView bytes);

/// Appends the bytes read as Windows-1252 to `out`, in UTF-8. The five bytes that code page
/// leaves unused keep their own code points (U+0081 ...), so nothing is lost.
void appendWindows1252(QByteArray& out, QByteArrayView bytes);

/// A file's text as decode() reads it.
struct Decoded {
    /// The text in UTF-8; it points into the bytes read or into the converted copy.
    QByteArrayView utf8;
    /// How many lines were not UTF-8 and were read as Windows-1252.
    qsizetype windows1252Lines = 0;
    /// The first line (from 1) longer than the longest allowed, where reading stopped (the
    /// text ends before it); 0 when there is none.
    qsizetype overlongLine = 0;
};

/// A file's text in UTF-8, line by line: a line that is UTF-8 as it stands, any other
/// in its Windows-1252 reading, so that a file that a second program added to keeps the
/// accents of both. A byte-order mark at the start is left out. When every line is UTF-8
/// the text is the bytes themselves; otherwise it is made in `converted`. Lines end as the
/// comma-delimited reader ends them (CR LF, LF or CR). Reading stops at the first line of
/// more than `longestLine` bytes.
Decoded decode(QByteArrayView bytes, QByteArray& converted, qsizetype longestLine);

} // namespace FileText
