#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

/// Cuts an extracted value at its first carriage return: when there is one, keeps only the
/// characters before it with its leading blanks removed; when there is none, returns the
/// value unchanged (leading blanks included).
QString TakeLine(const QString& value);

/// An order form pasted from the clipboard (typically an order received by e-mail): lines
/// "Label: value" in any order. Parsing never fails and never touches a record; the
/// importer asks problem() first and writes fieldsToStore() only when there is none, so a
/// form is either imported whole or not at all.
class OrderForm {
public:
    /// One label rule applied to the text.
    struct Entry {
        QString label;      ///< as written in the form, e.g. "BankName"
        QString field;      ///< target field in table Account ("Bank"); empty when not stored
        bool found = false; ///< the label occurs in the text
        QString value;      ///< after TakeLine; empty when the label is absent
        QVariant stored;    ///< the value converted for storing; valid only when found, the
                            ///< value is not empty, field is not empty and it converts
        bool cut = false;   ///< the value's line was longer than the rule lets it be, so
                            ///< `value` holds only its beginning
    };

    /// Applies every label rule to the text. Any text is accepted, however malformed.
    static OrderForm parse(const QString& text);

    /// The stored rules, BankName .. TotalCost in table order, whose label was found and
    /// whose value is not empty (what the importer writes into the record).
    QList<Entry> fieldsToStore() const;

    /// Empty when every value to store can be stored; otherwise one message naming the
    /// label and the value as they appear in the form (the first offender in table order).
    QString problem() const;

    /// The verification messages to show, in order (one or two messages).
    QStringList verificationMessages() const;

    /// The text that replaces Comments.
    QString comments() const;

    /// Lookup by label (nullptr if unknown label).
    const Entry* entry(const QString& label) const;

private:
    QString valueOf(const QString& label) const;
    bool bottomRowContains(const QString& label) const;

    QList<Entry> m_entries;
    QString m_problem;
};
