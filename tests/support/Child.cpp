#include "support/Child.h"

#include <QFileInfo>
#include <QStandardPaths>
#include <QTest>
#include <csignal>
#include <unistd.h>

namespace {

// Only a safety net against a test that would otherwise hang; no test measures time.
constexpr int kPatienceMs = 120'000;

void startIn(QProcess& process, const QStringList& args, const QStringList& wrapper) {
    QStringList command = wrapper;
    command << Child::toolPath() << args;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(command.takeFirst(), command);
}

} // namespace

QString Child::toolPath() {
    return QStringLiteral(LEDGERLINE_CHILDTOOL);
}

Child::Child(const QStringList& args, const QStringList& wrapper) {
    startIn(m_process, args, wrapper);
    if (!m_process.waitForStarted(kPatienceMs))
        QTest::qFail("the child tool did not start", __FILE__, __LINE__);
    while (!m_process.canReadLine() && m_process.state() == QProcess::Running)
        m_process.waitForReadyRead(kPatienceMs);
    m_firstLine = QString::fromUtf8(m_process.readLine()).trimmed();
}

Child::~Child() {
    kill();
}

void Child::kill() {
    if (m_process.state() == QProcess::NotRunning)
        return;
    ::kill(pid_t(m_process.processId()), SIGKILL);
    m_process.waitForFinished(kPatienceMs);
}

Child::Outcome Child::run(const QStringList& args, const QStringList& wrapper) {
    QProcess process;
    startIn(process, args, wrapper);
    process.waitForFinished(kPatienceMs);
    Outcome outcome;
    outcome.killedBySignal = process.exitStatus() == QProcess::CrashExit;
    outcome.exitCode = process.exitCode();
    const QString out = QString::fromUtf8(process.readAllStandardOutput());
    outcome.lines = out.split(QLatin1Char('\n'));
    if (!outcome.lines.isEmpty() && outcome.lines.last().isEmpty())
        outcome.lines.removeLast();
    return outcome;
}

QStringList Child::asOrdinaryUser() {
    if (::geteuid() != 0)
        return {};
    return {QStringLiteral("setpriv"), QStringLiteral("--reuid=65534"),
            QStringLiteral("--regid=65534"), QStringLiteral("--clear-groups")};
}

QStringList Child::failingCalls(const QStringList& callsAndErrors) {
    const QString strace = QStandardPaths::findExecutable(QStringLiteral("strace"));
    if (strace.isEmpty())
        return {};
    // Tracing may be forbidden (a container without ptrace).
    if (QProcess::execute(strace, {QStringLiteral("-o"), QStringLiteral("/dev/null"),
                                   QStringLiteral("true")}) != 0)
        return {};
    QStringList wrapper{strace, QStringLiteral("-f"), QStringLiteral("-qq"), QStringLiteral("-o"),
                        QStringLiteral("/dev/null")};
    for (const QString& c : callsAndErrors) {
        const QStringList parts = c.split(QLatin1Char(':'));
        QString inject = QStringLiteral("inject=%1:error=%2").arg(parts.at(0), parts.at(1));
        if (parts.size() > 2)
            inject += QStringLiteral(":when=") + parts.at(2);
        wrapper << QStringLiteral("-e") << inject;
    }
    return wrapper;
}
