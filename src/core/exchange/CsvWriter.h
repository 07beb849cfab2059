#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

/// Writes comma-delimited lines in UTF-8 onto the end of a buffer: values separated by
/// single commas; text between double quotes, a double quote inside it written twice and
/// line breaks kept as they are; numbers bare; Null as an empty quoted text (""); CR LF
/// after every line.
class CsvWriter {
public:
    explicit CsvWriter(QByteArray& out) : m_out(out) {}

    /// A text value, given in UTF-8.
    void text(QByteArrayView utf8);
    void text(const QString& value) { text(QByteArrayView(value.toUtf8())); }
    /// A number already in its plain form ("1234.5").
    void number(QByteArrayView plain);
    void null();
    /// Ends the line.
    void endLine();

private:
    void separate();

    QByteArray& m_out;
    bool m_lineStarted = false;
};
