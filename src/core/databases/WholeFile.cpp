#include "core/databases/WholeFile.h"

#include <QByteArray>
#include <QFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

/// Closes a descriptor when it goes out of scope: a read handle, or a write handle on a
/// path that has already failed and is being given up.
struct Fd {
    int fd = -1;
    ~Fd() {
        if (fd >= 0)
            ::close(fd);
    }
};

int copyThroughMemory(int from, int to, const std::function<void(qint64)>& written) {
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    qint64 copied = 0;
    for (;;) {
        const ssize_t n = ::read(from, buffer.data(), size_t(buffer.size()));
        if (n == 0)
            return 0;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (const int error = WholeFile::write(to, QByteArrayView(buffer.constData(), n)))
            return error;
        copied += n;
        if (written)
            written(copied);
    }
}

} // namespace

int WholeFile::write(int to, QByteArrayView bytes) {
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t w = ::write(to, bytes.data() + done, size_t(bytes.size() - done));
        if (w < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        // A short write is followed by one that says why the rest did not fit.
        done += w;
    }
    return 0;
}

int WholeFile::setMode(int fd, mode_t mode) {
    if (::fchmod(fd, mode) == 0)
        return 0;
    const int error = errno;
    return error == EPERM || error == ENOTSUP || error == EOPNOTSUPP ? 0 : error;
}

int WholeFile::copy(int from, int to, const std::function<void(qint64)>& written) {
    // Writing back each chunk as soon as it is copied lets the disk work while the next one
    // is copied, so the final flush has little left to wait for.
    off_t copied = 0;
    for (;;) {
        const ssize_t n = ::copy_file_range(from, nullptr, to, nullptr, 16 << 20, 0);
        if (n == 0)
            return 0;
        if (n > 0) {
            // Only a head start for the disk; the caller's fsync reports any write error.
            ::sync_file_range(to, copied, n, SYNC_FILE_RANGE_WRITE);
            copied += n;
            if (written)
                written(copied);
            continue;
        }
        if (errno == EINTR)
            continue;
        if (errno != EXDEV && errno != ENOSYS && errno != EOPNOTSUPP && errno != EINVAL)
            return errno;
        break; // the kernel cannot copy between these files
    }
    if (::lseek(from, 0, SEEK_SET) < 0 || ::ftruncate(to, 0) != 0 || ::lseek(to, 0, SEEK_SET) < 0)
        return errno;
    return copyThroughMemory(from, to, written);
}

int WholeFile::publish(const QString& from, const QString& to) {
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) ==
        0)
        return 0;
    const int error = errno;
    // The file system cannot rename without replacing; every other refusal is final.
    if (error != EINVAL && error != ENOSYS && error != EOPNOTSUPP)
        return error;
    return publishByCopy(from, to);
}

int WholeFile::publishByCopy(const QString& from, const QString& to) {
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    Fd in{::open(source.constData(), O_RDONLY | O_CLOEXEC)};
    if (in.fd < 0)
        return errno;
    struct stat info {};
    if (::fstat(in.fd, &info) != 0)
        return errno;
    // O_EXCL: if the name was taken meanwhile, it stays as it was.
    Fd out{
        ::open(target.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, info.st_mode & 07777)};
    if (out.fd < 0)
        return errno;
    int error = copy(in.fd, out.fd);
    if (error == 0 && ::fsync(out.fd) != 0)
        error = errno;
    const int fd = std::exchange(out.fd, -1);
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error != 0)
        ::unlink(target.constData());
    return error;
}

int WholeFile::syncFolder(const QString& folder) {
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    int error = ::fsync(fd) == 0 ? 0 : errno;
    // Nothing was written through this handle, so closing it has nothing to report.
    ::close(fd);
    // Some file systems (network shares, FUSE) cannot flush a folder and say so with
    // EINVAL; they keep their names by themselves.
    if (error == EINVAL)
        error = 0;
    return error;
}
