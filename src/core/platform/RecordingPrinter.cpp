#include "core/platform/RecordingPrinter.h"

std::unique_ptr<PrintPage> RecordingPrinter::startJob(const QString& contents) {
    auto page = std::make_unique<RecordingPage>(m_fonts);
    const qsizetype index = m_jobs.size();
    m_jobs.append({contents, page.get()});
    // Jobs end inside the code under test; what they printed stays to be looked at.
    page->setOnDestroyed([this, index](const RecordingPage& gone) {
        auto kept = std::make_shared<RecordingPage>(gone);
        kept->setOnDestroyed({});
        m_kept.append(kept);
        m_jobs[index].page = kept.get();
    });
    return page;
}
