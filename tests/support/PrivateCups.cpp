#include "support/PrivateCups.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

namespace {

// A PDF printer as cups-filters describes one, whose Letter sheet is printable to its
// edges: what it writes is then what the program laid out, place for place.
const QString kPpd = QStringLiteral("/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd");

bool write(const QString& path, const QString& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) == text.toUtf8().size();
}

} // namespace

PrivateCups::PrivateCups() {
    const QString cupsd = QStandardPaths::findExecutable(QStringLiteral("cupsd"), {"/usr/sbin"});
    if (cupsd.isEmpty() || !QFileInfo::exists(kPpd)) {
        m_problem = QStringLiteral("Debian's cups is not installed");
        return;
    }
    const QString root = m_dir.path();
    // The scheduler runs the filters as the user lp, who must reach the spool and the queue's
    // file.
    QFile::setPermissions(root, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                    QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                    QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                    QFileDevice::ExeOther);
    for (const char* sub : {"etc/ppd", "spool/tmp", "cache", "state", "log", "out"})
        QDir(root).mkpath(QString::fromLatin1(sub));
    for (const char* open : {"spool/tmp", "out"})
        QFile::setPermissions(QDir(root).filePath(QString::fromLatin1(open)),
                              QFileDevice::Permissions(0x7777));
    QFile ppdIn(kPpd);
    QString ppd = ppdIn.open(QIODevice::ReadOnly) ? QString::fromUtf8(ppdIn.readAll()) : QString();
    ppd.replace(QStringLiteral("*ImageableArea Letter/Letter: \"18 36 594 756\""),
                QStringLiteral("*ImageableArea Letter/Letter: \"0 0 612 792\""));
    const bool configured =
        write(root + QStringLiteral("/pdf.ppd"), ppd) &&
        write(root + QStringLiteral("/cupsd.conf"),
              QStringLiteral("LogLevel warn\nListen %1\nBrowsing Off\nWebInterface No\n"
                             "DefaultAuthType None\n<Location />\n  Order allow,deny\n  Allow all\n"
                             "</Location>\n<Policy default>\n  <Limit All>\n    Order deny,allow\n"
                             "  </Limit>\n</Policy>\n")
                  .arg(server())) &&
        write(root + QStringLiteral("/cups-files.conf"),
              QStringLiteral("ServerRoot %1/etc\nRequestRoot %1/spool\nCacheDir %1/cache\n"
                             "StateDir %1/state\nTempDir %1/spool/tmp\nErrorLog %1/log/error_log\n"
                             "AccessLog %1/log/access_log\nPageLog %1/log/page_log\n"
                             "FileDevice Yes\nUser lp\nGroup lp\nSystemGroup root\n")
                  .arg(root));
    if (!configured) {
        m_problem = QStringLiteral("its configuration could not be written in %1").arg(root);
        return;
    }
    m_cupsd = std::make_unique<QProcess>();
    m_cupsd->setProcessChannelMode(QProcess::MergedChannels);
    m_cupsd->start(cupsd, {QStringLiteral("-f"), QStringLiteral("-c"), root + "/cupsd.conf",
                           QStringLiteral("-s"), root + "/cups-files.conf"});
    if (!m_cupsd->waitForStarted(5000)) {
        m_problem = QStringLiteral("cupsd did not start: %1").arg(m_cupsd->errorString());
        return;
    }
    const QDeadlineTimer deadline(10000);
    while (!QFileInfo::exists(server()) && !deadline.hasExpired()) {
        if (m_cupsd->state() != QProcess::Running) {
            m_problem = QStringLiteral("cupsd stopped: %1")
                            .arg(QString::fromLocal8Bit(m_cupsd->readAll()).trimmed());
            return;
        }
        QThread::msleep(50);
    }
    if (!QFileInfo::exists(server())) {
        m_problem = QStringLiteral("cupsd did not open its socket %1").arg(server());
        return;
    }
    const QString queueMade =
        command(QStringLiteral("lpadmin"),
                {QStringLiteral("-p"), queue(), QStringLiteral("-E"), QStringLiteral("-v"),
                 QStringLiteral("file://%1/out/queue.pdf").arg(root), QStringLiteral("-P"),
                 root + QStringLiteral("/pdf.ppd")});
    const QString defaultSet =
        queueMade.isEmpty() ? command(QStringLiteral("lpadmin"), {QStringLiteral("-d"), queue()})
                            : queueMade;
    if (!defaultSet.isEmpty())
        m_problem = QStringLiteral("its PDF queue could not be set up: %1").arg(defaultSet);
}

PrivateCups::~PrivateCups() {
    if (m_cupsd && m_cupsd->state() == QProcess::Running) {
        m_cupsd->terminate();
        if (!m_cupsd->waitForFinished(5000))
            m_cupsd->kill();
        m_cupsd->waitForFinished(2000);
    }
}

QString PrivateCups::server() const {
    return m_dir.filePath(QStringLiteral("cups.sock"));
}

QString PrivateCups::command(const QString& program, const QStringList& arguments) const {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("CUPS_SERVER"), server());
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    const QString path = QStandardPaths::findExecutable(program, {"/usr/sbin", "/usr/bin"});
    p.start(path.isEmpty() ? program : path, arguments);
    if (!p.waitForFinished(20000))
        return program + QStringLiteral(" did not finish");
    const QString said = QString::fromLocal8Bit(p.readAll()).trimmed();
    if (p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
        return {};
    return said.isEmpty() ? program + QStringLiteral(" failed") : said;
}

QStringList PrivateCups::pendingJobs() const {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("CUPS_SERVER"), server());
    p.setProcessEnvironment(env);
    p.start(QStringLiteral("lpstat"), {QStringLiteral("-o")});
    p.waitForFinished(20000);
    return QString::fromLocal8Bit(p.readAllStandardOutput())
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

bool PrivateCups::takeOutput(const QString& path) const {
    const QString written = m_dir.filePath(QStringLiteral("out/queue.pdf"));
    const QDeadlineTimer deadline(30000);
    while (!deadline.hasExpired()) {
        if (pendingJobs().isEmpty() && QFileInfo::exists(written)) {
            QFile::remove(path);
            return QFile::rename(written, path);
        }
        QThread::msleep(100);
    }
    return false;
}
