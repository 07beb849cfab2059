#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

class QProcess;

/// A print system of the test's own: a CUPS scheduler (Debian's cupsd) with its
/// configuration, spool, logs and socket in a temporary folder, and one PDF queue, the
/// default, whose jobs land in a file. Nothing of the computer's own print system is used
/// or touched. Stopped when the object goes.
class PrivateCups {
public:
    /// Starts the scheduler and sets up the queue; problem() says why when it cannot.
    PrivateCups();
    ~PrivateCups();
    PrivateCups(const PrivateCups&) = delete;
    PrivateCups& operator=(const PrivateCups&) = delete;

    /// Empty when the scheduler runs with its queue.
    const QString& problem() const { return m_problem; }
    /// The value of CUPS_SERVER that reaches this scheduler.
    QString server() const;
    static QString queue() { return QStringLiteral("LedgerlinePDF"); }

    /// Runs one of CUPS's commands (cupsdisable, cupsreject ...) on this scheduler; the
    /// empty text when it worked, else what it said.
    QString command(const QString& program, const QStringList& arguments) const;
    /// The jobs still waiting or printing.
    QStringList pendingJobs() const;
    /// Waits for the queue to finish its jobs and moves the file the last one wrote to
    /// `path`; false when no job finished within the time allowed.
    bool takeOutput(const QString& path) const;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<QProcess> m_cupsd;
    QString m_problem;
};
