#include "core/settings/Password.h"

#include <sodium.h>
#include <stdexcept>

namespace {

void ensureSodium() {
    static const bool ready = sodium_init() >= 0;
    if (!ready)
        throw std::runtime_error("libsodium could not start");
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
        throw std::runtime_error("out of memory while protecting the password");
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
