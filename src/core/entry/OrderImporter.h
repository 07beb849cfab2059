#pragma once

#include <QString>

class CheckBook;
class Clock;
class Prompter;

/// Turns a pasted order form into a check record.
namespace OrderImporter {

/// Imports `text` into the current check of `book`, or into a new one when the current
/// check already has both a business name and a first name. The whole form is checked
/// first: a value the record cannot take throws DbError naming it, and then nothing is
/// written and no check is made. The fields and the comments are stored together, then the
/// routing and account numbers are verified against the bottom check row and the user is
/// told the outcome. Throws DbError when the database refuses; nothing is then stored.
void paste(CheckBook& book, const QString& text, const Clock& clock, Prompter& prompter);

} // namespace OrderImporter
