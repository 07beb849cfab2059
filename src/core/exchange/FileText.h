#pragma once

#include <QByteArray>
#include <QByteArrayView>

/// The encodings text files come in. Ledgerline writes UTF-8; files from older programs
/// are in the Windows code page 1252, which any byte sequence is valid in.
namespace FileText {

/// True when the bytes are well-formed UTF-8 (no overlong forms, surrogates or code points
/// beyond U+10FFFF).
bool isUtf8(QByteArrayView bytes);

/// The bytes read as Windows-1252, in UTF-8. The five bytes that code page leaves unused
/// keep their own code points (U+0081 ...), so nothing is lost.
QByteArray windows1252ToUtf8(QByteArrayView bytes);

/// A file's text in UTF-8: the bytes themselves when they are UTF-8 (a byte-order mark at
/// the start left out), otherwise their Windows-1252 reading, made in `converted`. The
/// view returned points into `bytes` or into `converted`.
QByteArrayView asUtf8(QByteArrayView bytes, QByteArray& converted);

} // namespace FileText
