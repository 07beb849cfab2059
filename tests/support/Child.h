#pragma once

#include <QProcess>
#include <QStringList>

/// A second process for a test: ledgerline-childtool, which does one thing through
/// Ledgerline's own code and then ends, or waits until the test kills it (with SIGKILL, as
/// a crash or a power cut would end it).
class Child {
public:
    /// How a run to the end went.
    struct Outcome {
        bool killedBySignal = false;
        int exitCode = -1;
        QStringList lines;
    };

    /// Starts the tool with `args`, behind `wrapper` (a command such as setpriv or strace,
    /// or nothing), and waits for its first line.
    explicit Child(const QStringList& args, const QStringList& wrapper = {});
    /// Kills the tool if it still runs.
    ~Child();

    /// The first line the tool wrote: "ready", or what it reports.
    const QString& firstLine() const { return m_firstLine; }
    /// Ends the tool with SIGKILL and waits until it is gone.
    void kill();

    /// Runs the tool to its end.
    static Outcome run(const QStringList& args, const QStringList& wrapper = {});

    /// A wrapper that runs the tool as an ordinary user ("nobody") when the tests run as the
    /// superuser, who may read and write every file whatever its permissions; nothing
    /// otherwise.
    static QStringList asOrdinaryUser();
    /// A wrapper that makes the named system calls fail with an errno, through strace
    /// ("renameat2:EINVAL"), or only the calls counted ("write:ENOSPC:1", the first);
    /// empty when strace is missing or cannot trace here.
    static QStringList failingCalls(const QStringList& callsAndErrors);

    static QString toolPath();

private:
    QProcess m_process;
    QString m_firstLine;
};
