#pragma once

#include "core/databases/PartFile.h"

#include <QDir>
#include <QIODevice>

/// The file a print job is drawn into before it goes anywhere: a private file beside its
/// destination (".ledgerline-job-<process id>-XXXXXX.part"), written through a buffer that
/// remembers the first write the system refused. When the job ends it is flushed to the
/// disk and checked whole (every write and the flush went through, and the file ends as a
/// complete PDF), and only then given its name or handed to the print system. A file that
/// is never finished is removed; one left by a copy of Ledgerline that was killed is
/// removed at the next start.
class JobFile : public QIODevice {
public:
    /// `contents` says what the job holds ("checks") for the messages.
    JobFile(const QDir& folder, QString contents);
    ~JobFile() override;

    /// Makes the file and opens it for writing. Throws DbError with the reason when the
    /// folder does not allow it.
    void create();
    const QString& path() const { return m_part.path(); }

    /// After the last page: flushes everything to the disk and checks that the file is a
    /// whole PDF. Throws DbError, saying why in the system's plain words, when it is not.
    void finish();

    /// Gives the finished file the first free name of the series `baseName`.pdf,
    /// `baseName` (2).pdf ... in its folder, never replacing a file; returns the path.
    /// Throws DbError when no name can be given.
    QString publish(const QString& baseName);

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 length) override;

private:
    bool writeOut();
    [[noreturn]] void fail(int error) const;
    bool endsAsWholePdf() const;

    QDir m_folder;
    QString m_contents;
    PartFile m_part;
    QByteArray m_buffer;
    int m_error = 0; // the first errno a write met
};
