#include "core/settings/StartOptions.h"

#include "core/platform/Program.h"
#include "core/settings/ProgramFolder.h"

#include <QCommandLineParser>
#include <QDir>

namespace {

const QCommandLineOption kHelp({QStringLiteral("h"), QStringLiteral("help")},
                               QStringLiteral("show this text and end"));
const QCommandLineOption kVersion({QStringLiteral("v"), QStringLiteral("version")},
                                  QStringLiteral("show the version and end"));
const QCommandLineOption kFolder({QStringLiteral("f"), QStringLiteral("folder")},
                                 QStringLiteral("the program folder"), QStringLiteral("FOLDER"));

/// "~" and "~/..." as a shell would read them.
QString fromHome(const QString& typed) {
    if (typed == QLatin1String("~"))
        return QDir::homePath();
    if (typed.startsWith(QLatin1String("~/")))
        return QDir(QDir::homePath()).filePath(typed.mid(2));
    return typed;
}

} // namespace

StartOptions::StartOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions({kHelp, kVersion, kFolder});
    m_folder = ProgramFolder::standardPath();
    if (!parser.parse(arguments)) {
        m_error = parser.errorText();
        return;
    }
    if (!parser.positionalArguments().isEmpty()) {
        m_error = QStringLiteral("Ledgerline does not open %1 by itself; to work in another "
                                 "program folder, start it with --folder FOLDER.")
                      .arg(parser.positionalArguments().constFirst());
        return;
    }
    m_help = parser.isSet(kHelp);
    m_version = parser.isSet(kVersion);
    if (parser.isSet(kFolder)) {
        const QStringList given = parser.values(kFolder);
        if (given.size() > 1) {
            m_error = QStringLiteral("Only one program folder can be given with --folder.");
            return;
        }
        if (given.constFirst().trimmed().isEmpty()) {
            m_error = QStringLiteral("The folder given with --folder is empty.");
            return;
        }
        m_folder = fromHome(given.constFirst());
    }
    m_folder = QDir::cleanPath(QDir(m_folder).absolutePath());
}

QString StartOptions::helpText() {
    return QStringLiteral(
               "Usage: ledgerline [--folder FOLDER]\n"
               "\n"
               "Ledgerline writes and prints checks and bank drafts.\n"
               "\n"
               "It works in its program folder, which holds the settings (PC.OVL), the\n"
               "check databases (*.mdb) with their backups (*.bak), exports (EXPORT.TXT)\n"
               "and print jobs saved as PDF files. The folder is made on the first start\n"
               "and given the files Ledgerline ships with; a file already there is never\n"
               "replaced.\n"
               "\n"
               "Options:\n"
               "  -f, --folder FOLDER  work in FOLDER instead of ~/Ledgerline (%1)\n"
               "  -h, --help           show this text and end\n"
               "  -v, --version        show the version and end\n")
        .arg(QDir::toNativeSeparators(ProgramFolder::standardPath()));
}

QString StartOptions::versionText() {
    return QStringLiteral("%1 %2\n").arg(QString::fromLatin1(Program::kName),
                                         QString::fromLatin1(Program::kVersion).section(' ', 1));
}
