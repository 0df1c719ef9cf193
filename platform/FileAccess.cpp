#include "platform/FileAccess.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zl {
namespace {

QByteArray nativePath(const QString& path) { return QFile::encodeName(path); }

bool lockOrFail(int fd, int how) { return ::flock(fd, how | LOCK_NB) == 0; }

int retryOpen(const QByteArray& p, int flags, mode_t mode = 0)
{
    int fd;
    do {
        fd = ::open(p.constData(), flags | O_CLOEXEC, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

} // namespace

int winErrorFromErrno(int err, const QString& path)
{
    switch (err) {
    case 0:
        return kErrNone;
    case ENOENT: {
        const QString parent = QFileInfo(path).absolutePath();
        return QFileInfo(parent).isDir() ? kErrFileNotFound : kErrPathNotFound;
    }
    case ENOTDIR:
    case ENAMETOOLONG:
        return kErrPathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return kErrAccessDenied;
    case EWOULDBLOCK:
        return kErrSharingViolation;
    default:
        return kErrGeneral;
    }
}

QString resolvePath(const QString& path)
{
    if (path.isEmpty() || QFileInfo::exists(path))
        return path;
    const bool absolute = path.startsWith(QLatin1Char('/'));
    const QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString current = absolute ? QStringLiteral("/") : QString();
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        QString candidate = current.isEmpty() ? part
                            : current.endsWith(QLatin1Char('/')) ? current + part
                                                                 : current + QLatin1Char('/') + part;
        if (!QFileInfo::exists(candidate)) {
            const QDir dir(current.isEmpty() ? QStringLiteral(".") : current);
            const QStringList entries = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
            bool found = false;
            for (const QString& e : entries) {
                if (e.compare(part, Qt::CaseInsensitive) == 0) {
                    candidate = current.isEmpty() ? e
                                : current.endsWith(QLatin1Char('/')) ? current + e
                                                                     : current + QLatin1Char('/') + e;
                    found = true;
                    break;
                }
            }
            if (!found)
                return path;
        }
        current = candidate;
    }
    if (path.endsWith(QLatin1Char('/')) && !current.endsWith(QLatin1Char('/')))
        current += QLatin1Char('/');
    return current;
}

// ---- ReadFile

ReadFile::~ReadFile() { close(); }

int ReadFile::open(const QString& path)
{
    close();
    const QString real = resolvePath(path);
    const int fd = retryOpen(nativePath(real), O_RDONLY);
    if (fd < 0)
        return winErrorFromErrno(errno, real);
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        return kErrAccessDenied;
    }
    if (!lockOrFail(fd, LOCK_SH)) {
        const int e = errno;
        ::close(fd);
        return winErrorFromErrno(e, real);
    }
    fd_ = fd;
    return kErrNone;
}

qint64 ReadFile::read(char* buffer, qint64 size)
{
    if (fd_ < 0) {
        errno = EBADF;
        return -1;
    }
    ssize_t n;
    do {
        n = ::read(fd_, buffer, static_cast<size_t>(size));
    } while (n < 0 && errno == EINTR);
    return n;
}

QByteArray ReadFile::readAll(bool* ok)
{
    QByteArray out;
    struct stat st {};
    if (fd_ >= 0 && ::fstat(fd_, &st) == 0 && st.st_size > 0)
        out.reserve(static_cast<qsizetype>(st.st_size));
    char buf[65536];
    for (;;) {
        const qint64 n = read(buf, sizeof buf);
        if (n < 0) {
            if (ok)
                *ok = false;
            return out;
        }
        if (n == 0)
            break;
        out.append(buf, n);
    }
    if (ok)
        *ok = true;
    return out;
}

void ReadFile::close()
{
    if (fd_ >= 0) {
        ::close(fd_); // also drops the lock
        fd_ = -1;
    }
}

// ---- AtomicWriteFile

AtomicWriteFile::~AtomicWriteFile() { discard(); }

int AtomicWriteFile::open(const QString& path)
{
    discard();
    path_ = resolvePath(path);
    const QFileInfo info(path_);
    const QString folder = info.absolutePath();
    if (!QFileInfo(folder).isDir())
        return QFileInfo::exists(folder) ? kErrPathNotFound : winErrorFromErrno(ENOENT, path_);
    if (info.isDir())
        return kErrAccessDenied;

    struct stat st {};
    const QByteArray target = nativePath(path_);
    mode_t mode = 0666;
    if (::stat(target.constData(), &st) == 0) {
        // A read-only file refuses writes, as the read-only attribute does.
        if ((st.st_mode & S_IWUSR) == 0)
            return kErrAccessDenied;
        mode = st.st_mode & 07777;
        lockFd_ = retryOpen(target, O_RDONLY);
        if (lockFd_ < 0)
            return winErrorFromErrno(errno, path_);
        if (!lockOrFail(lockFd_, LOCK_EX)) {
            const int e = errno;
            ::close(lockFd_);
            lockFd_ = -1;
            return winErrorFromErrno(e, path_);
        }
    } else {
        // A new file is created empty and locked at once, so that a second
        // writer of the same new file gets code 32 as for an existing one.
        lockFd_ = retryOpen(target, O_RDONLY | O_CREAT | O_EXCL, 0666);
        if (lockFd_ < 0)
            return errno == EEXIST ? kErrSharingViolation : winErrorFromErrno(errno, path_);
        if (!lockOrFail(lockFd_, LOCK_EX)) {
            ::close(lockFd_);
            lockFd_ = -1;
            return kErrSharingViolation;
        }
        placeholder_ = target;
    }

    std::random_device rd;
    for (int attempt = 0; attempt < 100; ++attempt) {
        tmpPath_ = folder + QStringLiteral("/.") + info.fileName() + QStringLiteral(".tmp")
                   + QString::number(rd() % 1000000);
        tmpFd_ = retryOpen(nativePath(tmpPath_), O_WRONLY | O_CREAT | O_EXCL, mode);
        if (tmpFd_ >= 0 || errno != EEXIST)
            break;
    }
    if (tmpFd_ < 0) {
        const int e = errno;
        tmpPath_.clear();
        discard();
        return winErrorFromErrno(e, path_);
    }
    if (mode != 0666)
        (void)::fchmod(tmpFd_, mode);
    buffer_.clear();
    return kErrNone;
}

int AtomicWriteFile::commit()
{
    if (tmpFd_ < 0)
        return kErrAccessDenied;
    const char* p = buffer_.constData();
    qsizetype left = buffer_.size();
    int err = 0;
    while (left > 0) {
        const ssize_t n = ::write(tmpFd_, p, static_cast<size_t>(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            err = errno;
            break;
        }
        p += n;
        left -= n;
    }
    if (::close(tmpFd_) != 0 && err == 0)
        err = errno;
    tmpFd_ = -1;
    if (err == 0 && ::rename(nativePath(tmpPath_).constData(), nativePath(path_).constData()) != 0)
        err = errno;
    if (err != 0) {
        discard();
        return err == ENOSPC ? 112 : winErrorFromErrno(err, path_);
    }
    tmpPath_.clear();
    placeholder_.clear();
    discard();
    return kErrNone;
}

void AtomicWriteFile::discard()
{
    if (tmpFd_ >= 0) {
        ::close(tmpFd_);
        tmpFd_ = -1;
    }
    if (!tmpPath_.isEmpty()) {
        ::unlink(nativePath(tmpPath_).constData());
        tmpPath_.clear();
    }
    if (!placeholder_.isEmpty()) {
        ::unlink(placeholder_.constData()); // the new file was never written
        placeholder_.clear();
    }
    if (lockFd_ >= 0) {
        ::close(lockFd_);
        lockFd_ = -1;
    }
    buffer_.clear();
}

int writeFileAtomically(const QString& path, const QByteArray& bytes)
{
    AtomicWriteFile f;
    if (const int code = f.open(path))
        return code;
    f.write(bytes);
    return f.commit();
}

} // namespace zl
