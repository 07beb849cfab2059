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

QList<TableDef> schema();

/// Writes a new settings file as it ships: default password, printer offsets, print
/// options, About lines and a handful of product types. Fails if the file exists.
void createShipped(const QString& path);

/// Why the settings file at `path` cannot be used, in one message that names the file and
/// its folder; empty when it can. Only reads the file, never creates or changes it.
QString problem(const QString& path);

} // namespace SettingsDb
