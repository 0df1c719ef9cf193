#pragma once

#include <QByteArray>
#include <QString>

namespace zl {

// Windows error codes that file messages name ("Datei-Lesefehler! (2)").
enum WinError : int {
    kErrNone = 0,
    kErrFileNotFound = 2,
    kErrPathNotFound = 3,
    kErrAccessDenied = 5,
    kErrSharingViolation = 32,
    kErrGeneral = 31,
};

// Maps an errno value met on the given path to the Windows code.
int winErrorFromErrno(int err, const QString& path);

// The path as it exists on disk: when the exact name is missing, each part is
// looked up without case in its folder, as Windows would find it. Returns the
// path unchanged when nothing matches.
QString resolvePath(const QString& path);

// A file open for reading with read sharing: several readers at once, but no
// writer while it is open (the writer gets code 32). Closes on destruction.
class ReadFile {
public:
    ReadFile() = default;
    ~ReadFile();
    ReadFile(const ReadFile&) = delete;
    ReadFile& operator=(const ReadFile&) = delete;

    // Opens the file; returns 0 or the Windows code.
    int open(const QString& path);
    bool isOpen() const { return fd_ >= 0; }
    // Reads up to size bytes; returns the count, 0 at the end, -1 on error (errno set).
    qint64 read(char* buffer, qint64 size);
    // Reads the rest of the file; sets ok to false on a read error.
    QByteArray readAll(bool* ok = nullptr);
    void close();

private:
    int fd_ = -1;
};

// A file written under a temporary name in the target's folder and renamed over
// the target only when commit succeeds, so a failed write never harms the old
// file. While open it holds the target locked: readers and other writers get 32.
class AtomicWriteFile {
public:
    AtomicWriteFile() = default;
    ~AtomicWriteFile(); // discards an uncommitted file
    AtomicWriteFile(const AtomicWriteFile&) = delete;
    AtomicWriteFile& operator=(const AtomicWriteFile&) = delete;

    // Prepares the write; returns 0 or the Windows code (5 for a read-only
    // target or folder, 3 for a missing folder, 32 for a file in use).
    int open(const QString& path);
    bool isOpen() const { return tmpFd_ >= 0; }
    void write(const char* data, qsizetype size) { buffer_.append(data, size); }
    void write(const QByteArray& bytes) { buffer_.append(bytes); }
    qsizetype bufferedSize() const { return buffer_.size(); }
    // Writes, closes and renames over the target; returns 0 or the Windows code.
    // On failure the old file is left as it was.
    int commit();
    void discard();

private:
    QString path_;
    QString tmpPath_;
    QByteArray buffer_;
    int tmpFd_ = -1;
    int lockFd_ = -1;
    QByteArray placeholder_; // the empty new target this writer created and locks
};

// Writes a whole file atomically; returns 0 or the Windows code.
int writeFileAtomically(const QString& path, const QByteArray& bytes);

} // namespace zl
