#include "core/platform/RecordingPrinter.h"

std::unique_ptr<PrintPage> RecordingPrinter::startJob(const QString& contents) {
    auto page = std::make_unique<RecordingPage>(m_fonts);
    m_jobs.append({contents, page.get()});
    return page;
}
