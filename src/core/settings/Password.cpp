#include "core/settings/Password.h"

#include "core/platform/DbError.h"

#include <sodium.h>

namespace {

void ensureSodium() {
    static const bool ready = sodium_init() >= 0;
    if (!ready)
        throw DbError(QStringLiteral("Ledgerline cannot check passwords: its password library "
                                     "could not start."));
}

constexpr const char kPrefix[] = "$argon2id$";

} // namespace

QString Password::hash(const QString& password) {
    ensureSodium();
    const QByteArray text = password.toLower().toUtf8();
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(out, text.constData(), static_cast<unsigned long long>(text.size()),
                          crypto_pwhash_OPSLIMIT_INTERACTIVE,
                          crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
        throw DbError(QStringLiteral("There is not enough memory to protect the password. Close "
                                     "other programs and try again."));
    return QString::fromLatin1(out);
}

bool Password::isHash(const QVariant& stored) {
    return !stored.isNull() && stored.toString().startsWith(QLatin1String(kPrefix));
}

bool Password::matches(const QVariant& stored, const QString& typed) {
    const QString lowered = typed.toLower();
    if (!isHash(stored))
        return stored.toString() == lowered;
    ensureSodium();
    const QByteArray hashText = stored.toString().toLatin1();
    const QByteArray text = lowered.toUtf8();
    return crypto_pwhash_str_verify(hashText.constData(), text.constData(),
                                    static_cast<unsigned long long>(text.size())) == 0;
}
