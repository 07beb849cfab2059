#include "support/PrivatePostgres.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <unistd.h>

namespace {

constexpr int kPort = 54321; // names the socket only: the server listens on no network
const QString kUser = QStringLiteral("ledgerline");
const QString kPassword = QStringLiteral("desk-password 1");
const QString kDatabase = QStringLiteral("shop");

QString findBin() {
    QDir lib(QStringLiteral("/usr/lib/postgresql"));
    QStringList versions = lib.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (auto it = versions.crbegin(); it != versions.crend(); ++it)
        if (QFileInfo::exists(lib.filePath(*it + QStringLiteral("/bin/initdb"))))
            return lib.filePath(*it + QStringLiteral("/bin"));
    return {};
}

} // namespace

PrivatePostgres::PrivatePostgres() : m_bin(findBin()) {
    if (m_bin.isEmpty()) {
        m_problem = QStringLiteral("Debian's postgresql is not installed");
        return;
    }
    const QString root = m_dir.path();
    QFile pw(root + QStringLiteral("/pw"));
    if (!pw.open(QIODevice::WriteOnly) || pw.write(kPassword.toUtf8()) < 0) {
        m_problem = QStringLiteral("the password file could not be written");
        return;
    }
    pw.close();
    // The server refuses to run as root: the cluster belongs to the user postgres.
    if (::geteuid() == 0) {
        const QString owner = QStringLiteral("postgres:postgres");
        if (QProcess::execute(QStringLiteral("chown"), {QStringLiteral("-R"), owner, root}) != 0) {
            m_problem = QStringLiteral("the folder could not be given to the user postgres");
            return;
        }
    }
    const QString made =
        run(QStringLiteral("initdb"),
            {QStringLiteral("-D"), root + QStringLiteral("/data"), QStringLiteral("-U"), kUser,
             QStringLiteral("--pwfile=") + root + QStringLiteral("/pw"), QStringLiteral("-A"),
             QStringLiteral("scram-sha-256"), QStringLiteral("--no-sync"), QStringLiteral("-E"),
             QStringLiteral("UTF8"), QStringLiteral("--locale=C.UTF-8")});
    if (!made.isEmpty()) {
        m_problem = QStringLiteral("initdb failed: ") + made;
        return;
    }
    if (!start()) {
        m_problem = QStringLiteral("the server did not start: ") +
                    run(QStringLiteral("cat"), {root + QStringLiteral("/log")});
        return;
    }
    const QString created = run(QStringLiteral("createdb"),
                                {QStringLiteral("-h"), root, QStringLiteral("-p"),
                                 QString::number(kPort), QStringLiteral("-U"), kUser, kDatabase});
    if (!created.isEmpty())
        m_problem = QStringLiteral("createdb failed: ") + created;
}

PrivatePostgres::~PrivatePostgres() {
    stop();
}

QString PrivatePostgres::run(const QString& program, const QStringList& arguments) const {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PGPASSWORD"), kPassword);
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    const QString path =
        program == QLatin1String("cat") ? QStringLiteral("/bin/cat") : m_bin + '/' + program;
    if (::geteuid() == 0 && program != QLatin1String("cat"))
        p.start(QStringLiteral("runuser"),
                QStringList{QStringLiteral("-u"), QStringLiteral("postgres"), QStringLiteral("--"),
                            QStringLiteral("env"), QStringLiteral("PGPASSWORD=") + kPassword,
                            path} +
                    arguments);
    else
        p.start(path, arguments);
    if (!p.waitForFinished(60000))
        return program + QStringLiteral(" did not finish");
    if (p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
        return {};
    const QString said = QString::fromLocal8Bit(p.readAll()).trimmed();
    return said.isEmpty() ? program + QStringLiteral(" failed") : said;
}

bool PrivatePostgres::start() {
    const QString root = m_dir.path();
    const QString started =
        run(QStringLiteral("pg_ctl"),
            {QStringLiteral("-D"), root + QStringLiteral("/data"), QStringLiteral("-l"),
             root + QStringLiteral("/log"), QStringLiteral("-w"), QStringLiteral("-o"),
             QStringLiteral("-k %1 -p %2 -c listen_addresses='' -c fsync=off "
                            "-c synchronous_commit=off")
                 .arg(root)
                 .arg(kPort),
             QStringLiteral("start")});
    m_running = started.isEmpty();
    return m_running;
}

void PrivatePostgres::stop() {
    if (!m_running)
        return;
    run(QStringLiteral("pg_ctl"),
        {QStringLiteral("-D"), m_dir.path() + QStringLiteral("/data"), QStringLiteral("-m"),
         QStringLiteral("immediate"), QStringLiteral("-w"), QStringLiteral("stop")});
    m_running = false;
}

ServerLogin PrivatePostgres::login() const {
    return {m_dir.path(), kPort, kDatabase, kUser, kPassword};
}

QString PrivatePostgres::loginText() const {
    const ServerLogin l = login();
    return QStringList{l.host, QString::number(l.port), l.database, l.user, l.password}.join(
        QLatin1Char('\t'));
}

ServerLogin loginFromText(const QString& text) {
    const QStringList parts = text.split(QLatin1Char('\t'));
    if (parts.size() != 5)
        return {};
    return {parts[0], parts[1].toInt(), parts[2], parts[3], parts[4]};
}
