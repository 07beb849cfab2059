#pragma once

#include "core/platform/Printer.h"
#include "core/platform/RecordingPage.h"

/// A printer whose jobs are recording pages, kept in the order they were started; for tests
/// and for the tour.
class RecordingPrinter : public Printer {
public:
    explicit RecordingPrinter(QStringList fonts = {}) : m_fonts(std::move(fonts)) {}

    QStringList fonts() const override { return m_fonts; }
    void setFonts(QStringList fonts) { m_fonts = std::move(fonts); }

    std::unique_ptr<PrintPage> startJob(const QString& contents) override;

    struct Job {
        QString contents;
        /// The job's page while its owner keeps it, then a copy of what it recorded: valid
        /// for as long as the printer.
        RecordingPage* page;
    };
    const QList<Job>& jobs() const { return m_jobs; }

private:
    QStringList m_fonts;
    QList<Job> m_jobs;
    QList<std::shared_ptr<RecordingPage>> m_kept;
};
