#include "gui/platform/JobFile.h"

#include "core/databases/WholeFile.h"
#include "core/platform/DbError.h"
#include "core/platform/FileReason.h"

#include <QRegularExpression>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qsizetype kBufferSize = 1 << 16;

QString candidateName(const QString& baseName, int number) {
    return number == 1 ? baseName + QStringLiteral(".pdf")
                       : QStringLiteral("%1 (%2).pdf").arg(baseName).arg(number);
}

} // namespace

JobFile::JobFile(const QDir& folder, QString contents)
    : m_folder(folder), m_contents(std::move(contents)), m_part(folder, QStringLiteral("job")) {}

JobFile::~JobFile() = default;

void JobFile::create() {
    if (!m_part.create())
        throw DbError(QStringLiteral("The %1 could not be written to a PDF file in %2, because "
                                     "%3.")
                          .arg(m_contents, QDir::toNativeSeparators(m_folder.absolutePath()),
                               FileReason::why(errno, QString())));
    // A file others may read, as the PDF files a user keeps are.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(m_part.handle(), 0666 & ~mask);
    m_buffer.reserve(kBufferSize);
    open(QIODevice::WriteOnly);
}

qint64 JobFile::writeData(const char* data, qint64 length) {
    // After a refused write the rest is only counted: the job goes on to its end, and the
    // failure is told once, when the job is finished.
    if (m_error == 0) {
        m_buffer.append(data, length);
        if (m_buffer.size() >= kBufferSize)
            writeOut();
    }
    return length;
}

bool JobFile::writeOut() {
    const char* at = m_buffer.constData();
    qsizetype left = m_buffer.size();
    while (left > 0 && m_error == 0) {
        const ssize_t n = ::write(m_part.handle(), at, size_t(left));
        if (n < 0) {
            if (errno != EINTR)
                m_error = errno;
            continue;
        }
        at += n;
        left -= n;
    }
    m_buffer.clear();
    return m_error == 0;
}

void JobFile::fail(int error) const {
    throw DbError(QStringLiteral("The PDF file of the %1 could not be written in %2, because "
                                 "%3.")
                      .arg(m_contents, QDir::toNativeSeparators(m_folder.absolutePath()),
                           FileReason::why(error, QString())));
}

void JobFile::finish() {
    if (!writeOut())
        fail(m_error);
    if (::fsync(m_part.handle()) != 0)
        fail(errno);
    if (!endsAsWholePdf())
        throw DbError(QStringLiteral("The PDF file of the %1 came out incomplete in %2, so it "
                                     "was not used.")
                          .arg(m_contents, QDir::toNativeSeparators(m_folder.absolutePath())));
}

bool JobFile::endsAsWholePdf() const {
    // A whole PDF ends with its cross-reference table and "%%EOF"; the table's place is
    // given just before, counted by the writer, so a single lost byte anywhere before it
    // shows as a place where no table starts.
    struct stat info {};
    if (::fstat(m_part.handle(), &info) != 0 || info.st_size < 32)
        return false;
    const off_t tailSize = std::min<off_t>(info.st_size, 1024);
    QByteArray tail(qsizetype(tailSize), Qt::Uninitialized);
    if (::pread(m_part.handle(), tail.data(), size_t(tailSize), info.st_size - tailSize) !=
        ssize_t(tailSize))
        return false;
    static const QRegularExpression trailer(QStringLiteral("startxref\\s+(\\d+)\\s+%%EOF\\s*$"));
    const QRegularExpressionMatch m = trailer.match(QString::fromLatin1(tail));
    if (!m.hasMatch())
        return false;
    const qint64 table = m.captured(1).toLongLong();
    char head[4] = {};
    return table < info.st_size &&
           ::pread(m_part.handle(), head, sizeof head, off_t(table)) == ssize_t(sizeof head) &&
           QByteArray(head, sizeof head) == QByteArrayLiteral("xref");
}

QString JobFile::publish(const QString& baseName) {
    for (int number = 1; number < 10000; ++number) {
        const QString target = m_folder.filePath(candidateName(baseName, number));
        const int error = WholeFile::publish(m_part.path(), target);
        if (error == EEXIST)
            continue;
        if (error != 0)
            throw DbError(QStringLiteral("The PDF file %1 could not be made, because %2.")
                              .arg(QDir::toNativeSeparators(target),
                                   FileReason::why(error, candidateName(baseName, number))));
        // The private name is gone, or (where the file was copied under its name) goes with
        // m_part. The job is on the disk under its name whatever the folder's flush says,
        // so a folder that cannot be flushed is no reason to print it again.
        WholeFile::syncFolder(m_folder.absolutePath());
        return target;
    }
    throw DbError(QStringLiteral("There are too many PDF files named \"%1\" in %2. Move some "
                                 "of them elsewhere and print again.")
                      .arg(baseName, QDir::toNativeSeparators(m_folder.absolutePath())));
}
