#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

/// Reads comma-delimited records from UTF-8 text, one record a line.
///
/// Values are separated by commas. A value that begins with a double quote (blanks before
/// it and after its closing quote are allowed) is quoted: it runs to the next double quote
/// that is not doubled, a doubled one ("") stands for one, and commas and line breaks
/// inside it belong to the value. Any other value runs to the next comma or line end as it
/// stands. Lines end with CR LF, LF or CR; empty lines are passed over. Reading never
/// fails on any input: text that is not well formed is reported with its line.
class CsvReader {
public:
    enum class Status { Record, End, Malformed };

    /// Reads `utf8`, which must stay alive while the reader is used.
    explicit CsvReader(QByteArrayView utf8);

    /// Reads the next record.
    Status next();

    /// The values of the record read last, as UTF-8, without their quotes. They stay valid
    /// until the next call of next().
    const QList<QByteArrayView>& values() const { return m_values; }
    /// The same values as text.
    QStringList texts() const;

    /// The line (from 1) that the record read last begins on, or where the problem is.
    qsizetype line() const { return m_line; }
    /// What is wrong, in words that name the line, when next() said Malformed.
    const QString& problem() const { return m_problem; }

private:
    struct Span {
        bool inScratch;
        qsizetype begin;
        qsizetype size;
    };

    Status malformed(qsizetype line, QString problem);
    /// Steps over the line break at m_pos (CR LF, LF or CR).
    void skipLineBreak();
    /// Counts the line breaks in [from, to).
    qsizetype lineBreaks(qsizetype from, qsizetype to) const;
    bool atLineBreak(qsizetype at) const;

    QByteArrayView m_text;
    qsizetype m_pos = 0;
    qsizetype m_currentLine = 1; // the line m_pos is on
    qsizetype m_line = 0;
    qsizetype m_zeroByte = -1; // where the first zero byte is, if any
    bool m_failed = false;
    QString m_problem;
    QList<Span> m_spans;
    QByteArray m_scratch; // values whose doubled quotes were made single
    QList<QByteArrayView> m_values;
};
