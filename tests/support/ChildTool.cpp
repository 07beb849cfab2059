// ledgerline-childtool: the second process some tests need. It does one thing to a file
// or a folder through Ledgerline's own code, says on its first line of output that it is
// done (or what went wrong), and then either ends or waits to be killed, as a program
// that crashes or is still running would.
#include "core/databases/CheckDb.h"
#include "core/databases/DatabaseFiles.h"
#include "core/databases/PartFile.h"
#include "core/entry/CheckBook.h"
#include "core/exchange/CheckExport.h"
#include "core/platform/Clock.h"
#include "core/platform/Database.h"
#include "core/platform/DbError.h"
#include "core/platform/Program.h"
#include "core/platform/Prompter.h"
#include "core/platform/Signals.h"
#include "core/print/BlankCheckJob.h"
#include "core/print/BlankPrintSettings.h"
#include "core/print/PrintRun.h"
#include "core/settings/ProgramFolder.h"
#include "core/settings/SettingsDb.h"
#include "core/settings/SingleCopy.h"
#include "gui/platform/MicrFont.h"
#include "gui/platform/QtPrinter.h"
#include "support/PrivatePostgres.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QStringList>
#include <cstdio>
#include <sqlite3.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

void say(const QString& line) {
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

[[noreturn]] void waitToBeKilled() {
    for (;;)
        ::pause();
}

/// "guard" runs the program's own start-up line about the file-size signal; a limit of 0
/// sets none.
void limitFileSize(const QString& bytes, const QString& guard) {
    if (guard == QLatin1String("guard"))
        Signals::ignoreFileSizeLimit();
    if (const rlim_t limit = bytes.toULongLong(); limit > 0) {
        rlimit r{};
        getrlimit(RLIMIT_FSIZE, &r);
        r.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &r);
    }
}

/// A calendar whose first look at today is the moment the process dies: it says so and
/// waits to be killed, as a power cut in the middle of the work would end it.
class DyingClock : public Clock {
public:
    QDate today() const override {
        say(QStringLiteral("ready"));
        waitToBeKilled();
    }
};

/// Says every message on its own line and answers Yes, a count of three and label 1.
class AnsweringPrompter : public Prompter {
public:
    void message(const QString& text, const QString&, Icon) override { m_said << text; }
    bool question(const QString&, const QString&, Icon, bool) override { return true; }
    bool retry(const QString&, const QString&, Icon) override { return false; }
    std::optional<QString> ask(const QString&, const QString&, const QString&) override {
        return QStringLiteral("3");
    }
    QStringList m_said;
};

/// A print run (checks or labels) or a run of blank checks through the real printer page:
/// into PDF files in `out`, as the program prints where there is no printer, or to the
/// system's default printer when `out` is "-".
QString printInto(const QString& folder, const QString& database, const QString& out,
                  const QString& layout) {
    registerMicrFont();
    Program program(folder);
    SystemClock clock;
    AnsweringPrompter prompter;
    QtPrinter printer(folder);
    if (out != QLatin1String("-"))
        printer.useFile(QDir(out).filePath(layout + QStringLiteral(".pdf")));
    const QString db = program.path(database);
    const QString settings = program.path(SettingsDb::kFileName);
    if (layout == QLatin1String("blank")) {
        BlankCheckJob job(printer, prompter, clock, program);
        job.run(BlankCheckJob::Layout::Regular, db, BlankPrintSettings::read(settings));
    } else {
        PrintSelection selection;
        selection.once = layout == QLatin1String("checks");
        selection.oneTimeLabels = layout == QLatin1String("labels");
        PrintRun(db, settings, printer, prompter, clock).run(selection, StockOptions());
    }
    return QStringLiteral("printed");
}

/// The server of a test, for a child that works on it as another desk.
class TestServerAccess : public Database::ServerAccess {
public:
    explicit TestServerAccess(ServerLogin login) : m_login(std::move(login)) {}
    std::optional<ServerLogin> login() override { return m_login; }
    void refused(const ServerLogin&) override {}

private:
    ServerLogin m_login;
};

int usage() {
    say(QStringLiteral(
        "usage: ledgerline-childtool write-and-wait DB SQL... | hold-exclusive DB | "
        "hold-folder FOLDER | hold-part FOLDER | backup DB BAK LIMIT guard|noguard | "
        "create FOLDER NAME LIMIT guard|noguard | export DB FILE LIMIT | look FOLDER FILE | "
        "new DB | new-and-die DB | print FOLDER DB OUT checks|labels|blank LIMIT | "
        "prepare FOLDER SHIPPED"));
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    // The lock file records the program's path, by which a later copy tells a live holder
    // from one whose process id was reused.
    // Printing needs the fonts of a graphical application; everything else does not.
    const bool printing = argc > 1 && qstrcmp(argv[1], "print") == 0;
    const std::unique_ptr<QCoreApplication> app(printing ? new QGuiApplication(argc, argv)
                                                         : new QCoreApplication(argc, argv));
    const QStringList a = QCoreApplication::arguments();
    // A child working as another desk on a test's database server.
    static std::unique_ptr<TestServerAccess> server;
    if (const QByteArray login = qgetenv("LEDGERLINE_TEST_SERVER"); !login.isEmpty()) {
        server = std::make_unique<TestServerAccess>(loginFromText(QString::fromUtf8(login)));
        Database::setServerAccess(server.get());
    }
    if (a.size() < 3)
        return usage();
    const QString command = a.at(1);
    try {
        if (command == QLatin1String("write-and-wait") && a.size() >= 4) {
            // A change far larger than the page cache: SQLite writes its pages into the file
            // itself long before the commit, as it does for big changes.
            auto db = Database::open(a.at(2));
            db->exec(QStringLiteral("PRAGMA cache_size=2"));
            db->transaction([&] {
                for (const QString& statement : a.mid(3))
                    db->exec(statement);
                say(QStringLiteral("ready"));
                waitToBeKilled();
            });
        } else if (command == QLatin1String("hold-exclusive")) {
            sqlite3* db = nullptr;
            sqlite3_open_v2(QFile::encodeName(a.at(2)).constData(), &db, SQLITE_OPEN_READWRITE,
                            nullptr);
            if (sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) != SQLITE_OK) {
                say(QString::fromUtf8(sqlite3_errmsg(db)));
                return 1;
            }
            say(QStringLiteral("ready"));
            waitToBeKilled();
        } else if (command == QLatin1String("hold-folder")) {
            SingleCopy single{QDir(a.at(2))};
            const QString taken = single.claim();
            say(taken.isEmpty() ? QStringLiteral("ready") : taken);
            waitToBeKilled();
        } else if (command == QLatin1String("hold-part")) {
            PartFile part(QDir(a.at(2)), QStringLiteral("backup"));
            if (!part.create())
                return 1;
            if (::write(part.handle(), "half a backup", 13) != 13)
                return 1;
            say(part.path());
            waitToBeKilled();
        } else if (command == QLatin1String("backup") && a.size() == 6) {
            limitFileSize(a.at(4), a.at(5));
            DatabaseFiles::backup(a.at(2), a.at(3));
            say(QStringLiteral("made"));
        } else if (command == QLatin1String("create") && a.size() == 6) {
            limitFileSize(a.at(4), a.at(5));
            say(DatabaseFiles::create(QDir(a.at(2)), a.at(3), a.at(3), CheckDb::Kind::Check));
        } else if (command == QLatin1String("export") && a.size() == 5) {
            limitFileSize(a.at(4), QStringLiteral("guard"));
            CheckExport::write(a.at(2), a.at(3), CheckExport::Layout::Full);
            say(QStringLiteral("exported"));
        } else if (command == QLatin1String("new-and-die") && a.size() == 3) {
            CheckBook book(a.at(2));
            book.newCheck(DyingClock());
        } else if (command == QLatin1String("new") && a.size() >= 3) {
            // As many checks as asked, one New each, as a busy desk makes them.
            CheckBook book(a.at(2));
            const int count = a.size() > 3 ? a.at(3).toInt() : 1;
            QStringList numbers;
            for (int i = 0; i < count; ++i) {
                book.newCheck(SystemClock());
                numbers << book.current().value(QStringLiteral("Check")).toString();
            }
            say(count == 1 ? QStringLiteral("made") : numbers.join(QLatin1Char(' ')));
        } else if (command == QLatin1String("exec") && a.size() >= 4) {
            auto db = Database::open(a.at(2));
            for (const QString& statement : a.mid(3))
                db->exec(statement);
            say(QStringLiteral("done"));
        } else if (command == QLatin1String("print") && a.size() == 7) {
            limitFileSize(a.at(6), QStringLiteral("guard"));
            try {
                say(printInto(a.at(2), a.at(3), a.at(4), a.at(5)));
            } catch (const DbError& e) {
                say(e.message());
            }
            // What the job left in its folder, hidden files included.
            if (a.at(4) != QLatin1String("-"))
                say(QStringLiteral("left: ") +
                    QDir(a.at(4)).entryList(QDir::Files | QDir::Hidden, QDir::Name).join(' '));
        } else if (command == QLatin1String("look") && a.size() == 4) {
            const QDir folder(a.at(2));
            say(DatabaseFiles::list(folder).join(QLatin1Char('|')));
            say(CheckDb::problem(folder.filePath(a.at(3))));
            say(SettingsDb::problem(folder.filePath(SettingsDb::kFileName)));
        } else if (command == QLatin1String("prepare") && a.size() == 4) {
            say(ProgramFolder::prepare(a.at(2), a.at(3)).join(QLatin1Char('|')));
            say(ProgramFolder::writeProblem(a.at(2)));
        } else {
            return usage();
        }
    } catch (const DbError& e) {
        say(e.message());
    }
    return 0;
}
