#include "core/entry/MicrText.h"

namespace {

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// More lines would push the message box off the screen; the count of the rest says there
// are more to correct.
constexpr qsizetype kMostLines = 15;

} // namespace

bool MicrText::fits(Field field, const QString& text) {
    for (const QChar c : text) {
        if (isDigit(c))
            continue;
        switch (field) {
        case Field::CheckNumber:
            // A number prints with a blank on each side.
            if (c == u' ')
                continue;
            return false;
        case Field::Routing:
            return false;
        case Field::Account:
        case Field::TranCode:
            if (c == u' ' || c == u'D' || c == u'-')
                continue;
            return false;
        }
    }
    return true;
}

QString MicrText::name(Field field) {
    switch (field) {
    case Field::CheckNumber:
        return QStringLiteral("check number");
    case Field::Routing:
        return QStringLiteral("routing number");
    case Field::Account:
        return QStringLiteral("account number");
    case Field::TranCode:
        return QStringLiteral("tran code");
    }
    return {};
}

QString MicrText::allowed(Field field) {
    switch (field) {
    case Field::CheckNumber:
        return QStringLiteral("a whole number from 0 up");
    case Field::Routing:
        return QStringLiteral("digits only");
    case Field::Account:
    case Field::TranCode:
        break;
    }
    return QStringLiteral("digits, blanks, D and - only");
}

QString MicrText::refusedValue(const QString& who, Field field, const QString& value) {
    return QStringLiteral("%1: the %2 \"%3\" (%4)").arg(who, name(field), value, allowed(field));
}

QString MicrText::whoIs(const QVariant& check, qint64 id) {
    if (check.isNull())
        return QStringLiteral("The check without a number (record %1)").arg(id);
    return QStringLiteral("Check #%1").arg(check.toString());
}

QString MicrText::refusal(const QStringList& refused, const QString& afterwards) {
    QStringList shown = refused.mid(0, kMostLines);
    if (refused.size() > kMostLines)
        shown << QStringLiteral("... and %1 more.").arg(refused.size() - kMostLines);
    return QStringLiteral("The MICR line at the bottom of a check may hold only what a bank's "
                          "reader can read. These values would print something else:\n\n%1\n\n"
                          "%2")
        .arg(shown.join(QLatin1Char('\n')), afterwards);
}
