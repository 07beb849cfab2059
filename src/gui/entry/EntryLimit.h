#pragma once

#include <QString>
#include <QValidator>

class QLineEdit;

/// The most characters the user may type into a box, kept apart from what the box shows.
/// A value stored longer than that (an import may store one) is shown whole and stays whole
/// while the user leaves it alone; an edit may shorten it or change it in place, but never
/// make it longer. A paste that does not fit is refused whole rather than cut short, which
/// for a routing or account number would make a wrong number look right.
class EntryLimit : public QValidator {
public:
    /// The most a QLineEdit holds, and its maxLength when the form sets no limit.
    static constexpr int kLongestText = 32767;

    /// Takes over the entry limit the form gives `box` (its maxLength), which from now on
    /// only holds what the box may show.
    explicit EntryLimit(QLineEdit* box);

    /// The most characters the user may type.
    int limit() const { return m_limit; }

    /// Shows a stored value whole, as it is.
    void show(const QString& text);

    State validate(QString& input, int& pos) const override;

private:
    QLineEdit* m_box;
    int m_limit;
    qsizetype m_allowed; // the limit, or the length of a longer value while it lasts
};
