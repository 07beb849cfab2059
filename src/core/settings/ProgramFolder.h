#pragma once

#include <QString>
#include <QStringList>

/// The program folder of an installed Ledgerline: the folder that holds PC.OVL,
/// template.ref, the check databases, their backups and exports. It is `~/Ledgerline`
/// unless the user names another, and it is made and given the files Ledgerline ships
/// with on the first start.
namespace ProgramFolder {

/// The files every program folder starts with, copied from the installation.
QStringList shippedNames();

/// `~/Ledgerline` of the user running the program.
QString standardPath();

/// Where the installation keeps the shipped files for the executable that lies in
/// `applicationDir`: `share/ledgerline` beside the installation's `bin` folder, or the
/// `ship` folder beside an executable of a build. Empty when neither holds PC.OVL.
QString shippedFolder(const QString& applicationDir);

/// Makes `folder` (with the folders above it) where it is missing, and gives it each
/// shipped file of `shippedFolder` that it lacks. A file already there is never replaced
/// nor changed, whatever it holds; each copy is written under a temporary name and moved
/// under its own name only when complete, and only if that name is still free. Returns
/// the names of the files copied. Throws DbError, naming the folder, when the folder
/// cannot be made or a missing file cannot be put in it.
QStringList prepare(const QString& folder, const QString& shippedFolder);

/// Why Ledgerline may not write in `folder`, in one message that names it; empty when it
/// may. Such a folder can still be read: the checks in it can be looked at.
QString writeProblem(const QString& folder);

} // namespace ProgramFolder
