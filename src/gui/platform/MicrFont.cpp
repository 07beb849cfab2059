#include "gui/platform/MicrFont.h"

#include "core/platform/PrintPage.h"
#include "core/print/Stock.h"

#include <QFont>
#include <QFontDatabase>
#include <QRawFont>
#include <QStringList>
#include <algorithm>

namespace {

/// Whether a font is one Ledgerline built: they carry the vendor tag LDGL in their OS/2 table.
bool builtByLedgerline(const QRawFont& font) {
    const QByteArray os2 = font.fontTable("OS/2");
    return os2.size() >= 62 && os2.mid(58, 4) == QByteArrayLiteral("LDGL");
}

} // namespace

bool registerMicrFont() {
    static bool registered = false;
    if (registered)
        return true;
    // Someone else's MICR65, installed for their printer, is kept: with two fonts of one name
    // it would be left to chance which of them prints. A copy of our own (make run installs
    // one) may be older than the font inside the program, which then takes its place.
    const QStringList families = QFontDatabase::families();
    const bool installed =
        std::any_of(families.cbegin(), families.cend(),
                    [](const QString& listed) { return IsFontFamily(listed, PrintFaces::kMicr); });
    if (installed && !builtByLedgerline(QRawFont::fromFont(QFont(PrintFaces::kMicr))))
        return true;
    const int id = QFontDatabase::addApplicationFont(kMicrFontResource);
    registered = id >= 0 && QFontDatabase::applicationFontFamilies(id).contains(PrintFaces::kMicr);
    return registered;
}
