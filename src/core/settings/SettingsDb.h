#pragma once

#include "core/platform/TableSchema.h"

#include <QString>

/// The settings database PC.OVL: one per installation, in the program folder.
///
/// Table `Properties` holds the single settings record, `A` the program password and
/// `BusinessType` the product types. Yes/No fields store True as -1 and False as 0; Null
/// counts as False.
namespace SettingsDb {

inline const QString kFileName = QStringLiteral("PC.OVL");

inline const QString kSettingsTable = QStringLiteral("Properties");
inline const QString kPasswordTable = QStringLiteral("A");
inline const QString kProductTypeTable = QStringLiteral("BusinessType");
/// The one field of the password table and of the product type table.
inline const QString kPassword = QStringLiteral("ENTER");
inline const QString kProductType = QStringLiteral("BusinessType");

// Fields of the settings record. Some carry digits for names and are addressed exactly so.
inline const QString kVerticalStart = QStringLiteral("AlignStart");            ///< twips
inline const QString kHorizontalStart = QStringLiteral("5");                   ///< twips
inline const QString kQuickenCheckStock = QStringLiteral("QuickenCheckStock"); ///< 88 mm stock
inline const QString kPrint2Checks = QStringLiteral("Print2Checks");
inline const QString kPlainPaper = QStringLiteral("PlainPaper");
inline const QString kTranCode = QStringLiteral("1");
inline const QString kBackupAtExit = QStringLiteral("6");
// How the bank wants the positive-pay file. Files from before these fields were added still
// serve: a missing field reads as the usual layout, and storing a choice adds the fields.
inline const QString kPayColumns = QStringLiteral("PositivePayColumns"); ///< "Account,Check,..."
inline const QString kPayDates = QStringLiteral("PositivePayDates");     ///< "MM/DD/YYYY"
inline const QString kPayCents = QStringLiteral("PositivePayCents");     ///< amounts in cents
inline const QString kPayVoids = QStringLiteral("PositivePayVoids");     ///< voided checks listed
/// Kept in the file for the check-insurance service; the program never reads it.
inline const QString kInsuranceSiteId = QStringLiteral("InsuranceSiteID");
inline const QString kAboutLine[3] = {QStringLiteral("HelpAboutLine1"),
                                      QStringLiteral("HelpAboutLine2"),
                                      QStringLiteral("HelpAboutLine3")};

QList<TableDef> schema();
/// The fields of the settings record that earlier settings files lack.
QList<FieldDef> laterFields();

/// Writes a new settings file as it ships: default password, printer offsets, print
/// options, About lines and a handful of product types. Fails if the file exists.
void createShipped(const QString& path);

/// Why the settings file at `path` cannot be used, in one message that names the file and
/// its folder; empty when it can. A file lacking only fields the program does without (the
/// About lines, the check-insurance site ID) can be used; names count whatever their letter
/// case, as the database engine matches them. Only reads the file, never creates or changes
/// it.
QString problem(const QString& path);

} // namespace SettingsDb
