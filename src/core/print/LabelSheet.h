#pragma once

#include "core/platform/PrintPage.h"

#include <QSqlRecord>
#include <optional>

/// Address labels on sheets of 30 (Avery 5160 or equal: three columns of ten, 1 by 2 5/8
/// inches). Labels are numbered down the first column (1 to 10), then the second (11 to
/// 20), then the third (21 to 30). The sheet is fixed: the printer offsets do not apply.
class LabelSheet {
public:
    static constexpr int kLabelsASheet = 30;

    /// The label to start on for what the user typed: the empty entry (and Cancel) means
    /// label 1, and so does a number above 30, which starts a new sheet. Anything that is
    /// not a whole number of at least 1 gives no label and `problem` says why.
    static std::optional<int> firstLabel(const QString& entry, QString* problem);

    /// Top left corner of a label, twips.
    static int labelX(int label);
    static int labelY(int label);

    /// A sheet whose next label is `first`.
    explicit LabelSheet(int first) : m_next(first) {}

    /// Prints the payer's address of `record` on the next label, starting a new sheet after
    /// label 30.
    void print(PrintPage& page, const QSqlRecord& record, const QString& bodyFont);
    int nextLabel() const { return m_next; }

private:
    int m_next;
};
