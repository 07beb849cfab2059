#pragma once

#include <QString>
#include <QtGlobal>
#include <atomic>
#include <condition_variable>
#include <mutex>

/// SQLite's structure check of a database copy that is still being written: the check
/// reads each part of the copy as soon as the copier has written it, waiting for the parts
/// still to come. So the check of a backup runs on the second core while the copy is made
/// and flushed, not after it, and still reads nothing but the copy itself.
///
/// One thread writes the copy and reports `written` and then `finished`; another runs
/// `check`. When no second thread is to be had, the copy is written first and checked after.
class CopyCheck {
public:
    /// `size`: the bytes the complete copy will hold.
    explicit CopyCheck(qint64 size);
    CopyCheck(const CopyCheck&) = delete;
    CopyCheck& operator=(const CopyCheck&) = delete;

    /// The first `bytes` of the copy are written.
    void written(qint64 bytes);
    /// The copy is complete (`error` 0), or failed with that errno: the check reads nothing
    /// more and fails.
    void finished(int error);

    /// SQLite's `quick_check` of the copy at `path`: every page of every table read and its
    /// structure verified. Returns SQLITE_OK for a sound copy, SQLITE_CORRUPT for a damaged
    /// one, or the engine's code when the copy could not be read (or was never completed).
    int check(const QString& path);
    /// The same check of a copy written completely before.
    static int checkComplete(const QString& path);

    /// Waits until the bytes up to `end` are written, or the copy ended short of them:
    /// false when they never will be.
    bool waitFor(qint64 end);
    /// Whether the whole copy is written.
    bool complete();
    qint64 size() const { return m_size; }
    /// Bytes the check has read so far: it reads every page about twice.
    qint64 checked() const { return m_read.load(); }
    /// The check read `bytes` more.
    void read(qint64 bytes) { m_read += bytes; }

private:
    const qint64 m_size;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    qint64 m_written = 0;
    bool m_finished = false;
    int m_error = 0;
    std::atomic<qint64> m_read = 0;
};
