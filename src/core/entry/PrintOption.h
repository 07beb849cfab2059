#pragma once

#include <QString>
#include <QVariant>

/// How a check prints: the captions the selector shows and the codes `Print` stores.
namespace PrintOption {

inline const QString kOnce = QStringLiteral("Once");
inline const QString kMonthly = QStringLiteral("Monthly");
inline const QString kNever = QStringLiteral("Never");

inline const QString kOneTime = QStringLiteral("One Time");
inline const QString kMultipleTimes = QStringLiteral("Multiple Times");
inline const QString kDontPrint = QStringLiteral("Don't Print");
/// What File - Goto First Check shows for "Monthly".
inline const QString kMonthlyDraft = QStringLiteral("Monthly Draft");
/// What the selector shows for any other value.
inline const QString kBlank = QStringLiteral(" ");

/// The caption for a stored value: blank when it is none of the three.
QString caption(const QVariant& print);
/// What File - Goto First Check shows for a stored value: "Monthly" reads "Monthly Draft";
/// empty for a value that leaves the selector as it was.
QString firstCheckCaption(const QVariant& print);
/// The stored value for a caption chosen from the list (exact match); empty for any other.
QString code(const QString& caption);

} // namespace PrintOption
