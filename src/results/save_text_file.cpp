// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/save_text_file.h"

#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QSaveFile>
#endif

namespace runnelex {

namespace {

// The file a save replaces: a symbolic link is followed to the file it names, so that the link
// stays a link.
QFileInfo finalTarget(const QString& path) {
    QFileInfo target(path);
    for (int depth = 0; depth < 40 && target.isSymLink(); ++depth)
        target.setFile(target.symLinkTarget());
    return target;
}

} // namespace

QString saveTemporaryName(const QString& path) {
    const QFileInfo target = finalTarget(path);
    return target.absolutePath() + QStringLiteral("/.") + target.fileName() +
           QStringLiteral(".runnelex-save");
}

#ifdef Q_OS_UNIX

namespace {

constexpr std::size_t kBlock = std::size_t{1} << 16;

QString describe(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

void step(const SaveSeams& seams, SaveStep s) {
    if (seams.atStep)
        seams.atStep(s);
}

// Closes the descriptor on every way out.
class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    void reset(int fd) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = fd;
    }

private:
    int fd_;
};

// Whether the error says that the file system has no unnamed temporary files.
[[maybe_unused]] bool noUnnamedFiles(int error) {
    return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

bool writeAll(int fd, const char* data, std::size_t size, const SaveSeams& seams) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, std::min(size, kBlock));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
        step(seams, SaveStep::Wrote);
    }
    return true;
}

// Gives the unnamed file the temporary name (Linux).
bool linkUnnamed(int fd, const QByteArray& temp) {
#ifndef AT_EMPTY_PATH
    (void)fd;
    (void)temp;
    errno = EOPNOTSUPP;
    return false;
#else
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
    if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, temp.constData(), AT_SYMLINK_FOLLOW) == 0)
        return true;
    const int viaProc = errno;
    if (::linkat(fd, "", AT_FDCWD, temp.constData(), AT_EMPTY_PATH) == 0)
        return true;
    errno = viaProc; // the usual way's reason tells more
    return false;
#endif
}

} // namespace

std::optional<QString> saveTextFile(const QString& path, const QByteArray& bytes,
                                    const SaveSeams& seams) {
    if (path.isEmpty())
        return describe(ENOENT);
    const QFileInfo target = finalTarget(path);
    const QByteArray file = QFile::encodeName(target.absoluteFilePath());
    const QByteArray dir = QFile::encodeName(target.absolutePath());
    const QByteArray temp = QFile::encodeName(saveTemporaryName(path));

    // An existing file the user may not write is not replaced behind their back.
    struct stat existing {};
    const bool exists = ::stat(file.constData(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode))
        return describe(EISDIR);
    if (exists && ::access(file.constData(), W_OK) != 0)
        return describe(errno);
    const mode_t mode = exists ? existing.st_mode & 07777 : 0666;
    ::unlink(temp.constData()); // left by a save of this file that was cut short

    Fd fd;
    bool named = false;
#ifdef O_TMPFILE
    if (seams.unnamedTemporary) {
        fd.reset(::open(dir.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode));
        if (fd.get() < 0 && !noUnnamedFiles(errno))
            return describe(errno);
    }
#endif
    if (fd.get() < 0) {
        fd.reset(::open(temp.constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, mode));
        if (fd.get() < 0)
            return describe(errno);
        named = true;
    }
    const auto fail = [&](int error) -> std::optional<QString> {
        if (named)
            ::unlink(temp.constData());
        return describe(error);
    };
    step(seams, SaveStep::Opened);

    // The new file gets the old one's permissions, whatever the umask made of them.
    if (exists && ::fchmod(fd.get(), mode) != 0)
        return fail(errno);
    if (!writeAll(fd.get(), bytes.constData(), static_cast<std::size_t>(bytes.size()), seams))
        return fail(errno);
    // On the disk before it takes the file's place: a power cut must not leave an empty file.
    if (::fsync(fd.get()) != 0)
        return fail(errno);
    step(seams, SaveStep::Synced);

    if (!named) {
        if (!linkUnnamed(fd.get(), temp))
            return fail(errno);
        named = true;
    }
    step(seams, SaveStep::Linked);
    if (::rename(temp.constData(), file.constData()) != 0)
        return fail(errno);
    step(seams, SaveStep::Replaced);

    // The new name on the disk too; the file is complete either way, so a failure here is none.
    const Fd folder(::open(dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0)
        ::fsync(folder.get());
    return std::nullopt;
}

#else

std::optional<QString> saveTextFile(const QString& path, const QByteArray& bytes,
                                    const SaveSeams& seams) {
    QSaveFile file(finalTarget(path).absoluteFilePath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    if (seams.atStep)
        seams.atStep(SaveStep::Opened);
    const char* data = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        // A short write leaves the error to the next call, which reports it.
        const qint64 written = file.write(data, left);
        if (written <= 0) {
            const QString description = file.errorString();
            file.cancelWriting();
            return description;
        }
        data += written;
        left -= written;
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

#endif

} // namespace runnelex
