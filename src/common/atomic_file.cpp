// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/atomic_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace runnelex {

namespace {

constexpr std::size_t kBlock = std::size_t{1} << 16;

std::string describe(int error) {
    return std::strerror(error);
}

// The file a save replaces: a symbolic link is followed to the file it names, so that the link
// stays a link.
std::filesystem::path finalTarget(const std::string& path) {
    std::error_code ec;
    std::filesystem::path target = std::filesystem::absolute(path, ec);
    for (int depth = 0; depth < 40 && std::filesystem::is_symlink(target, ec); ++depth) {
        const std::filesystem::path next = std::filesystem::read_symlink(target, ec);
        if (ec)
            break;
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return target.lexically_normal();
}

// Whether the error says that the file system has no unnamed temporary files.
[[maybe_unused]] bool noUnnamedFiles(int error) {
    return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

// Gives the unnamed file the temporary name (Linux).
bool linkUnnamed(int fd, const std::string& temp) {
#ifndef AT_EMPTY_PATH
    (void)fd;
    (void)temp;
    errno = EOPNOTSUPP;
    return false;
#else
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temp.c_str(), AT_SYMLINK_FOLLOW) == 0)
        return true;
    const int viaProc = errno;
    if (::linkat(fd, "", AT_FDCWD, temp.c_str(), AT_EMPTY_PATH) == 0)
        return true;
    errno = viaProc; // the usual way's reason tells more
    return false;
#endif
}

} // namespace

struct AtomicFile::State {
    std::string file, dir, temp;
    int fd = -1;
    bool named = false;
    bool failed = false;
    bool committed = false;
};

std::string atomicTemporaryName(const std::string& path) {
    const std::filesystem::path target = finalTarget(path);
    return (target.parent_path() / ("." + target.filename().string() + ".runnelex-save")).string();
}

AtomicFile::AtomicFile(std::string path, SaveSeams seams)
    : path_(std::move(path)), seams_(std::move(seams)) {}

AtomicFile::~AtomicFile() {
    if (state_ == nullptr)
        return;
    if (state_->fd >= 0)
        ::close(state_->fd);
    if (state_->named && !state_->committed)
        ::unlink(state_->temp.c_str());
    delete state_;
}

bool AtomicFile::open() {
    if (state_ != nullptr)
        return !state_->failed;
    state_ = new State;
    State& s = *state_;
    const auto fail = [&](int error) {
        s.failed = true;
        error_ = describe(error);
        return false;
    };
    if (path_.empty())
        return fail(ENOENT);
    const std::filesystem::path target = finalTarget(path_);
    s.file = target.string();
    s.dir = target.parent_path().string();
    s.temp = atomicTemporaryName(path_);

    // An existing file the user may not write is not replaced behind their back.
    struct stat existing {};
    const bool exists = ::stat(s.file.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode))
        return fail(EISDIR);
    if (exists && ::access(s.file.c_str(), W_OK) != 0)
        return fail(errno);
    const mode_t mode = exists ? existing.st_mode & 07777 : 0666;
    ::unlink(s.temp.c_str()); // left by a save of this file that was cut short

#ifdef O_TMPFILE
    if (seams_.unnamedTemporary) {
        s.fd = ::open(s.dir.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
        if (s.fd < 0 && !noUnnamedFiles(errno))
            return fail(errno);
    }
#endif
    if (s.fd < 0) {
        s.fd = ::open(s.temp.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, mode);
        if (s.fd < 0)
            return fail(errno);
        s.named = true;
    }
    if (seams_.atStep)
        seams_.atStep(SaveStep::Opened);
    // The new file gets the old one's permissions, whatever the umask made of them.
    if (exists && ::fchmod(s.fd, mode) != 0)
        return fail(errno);
    return true;
}

bool AtomicFile::write(std::string_view bytes) {
    if (!open())
        return false;
    State& s = *state_;
    const char* data = bytes.data();
    std::size_t size = bytes.size();
    while (size > 0) {
        const ssize_t n = ::write(s.fd, data, std::min(size, kBlock));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            s.failed = true;
            error_ = describe(n == 0 ? ENOSPC : errno);
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
        if (seams_.atStep)
            seams_.atStep(SaveStep::Wrote);
    }
    return true;
}

bool AtomicFile::commit() {
    if (!open())
        return false;
    State& s = *state_;
    const auto fail = [&](int error) {
        s.failed = true;
        error_ = describe(error);
        return false;
    };
    // On the disk before it takes the file's place: a power cut must not leave an empty file.
    if (::fsync(s.fd) != 0)
        return fail(errno);
    if (seams_.atStep)
        seams_.atStep(SaveStep::Synced);
    if (!s.named) {
        if (!linkUnnamed(s.fd, s.temp))
            return fail(errno);
        s.named = true;
    }
    if (seams_.atStep)
        seams_.atStep(SaveStep::Linked);
    if (::rename(s.temp.c_str(), s.file.c_str()) != 0)
        return fail(errno);
    s.committed = true;
    if (seams_.atStep)
        seams_.atStep(SaveStep::Replaced);
    // The new name on the disk too; the file is complete either way, so a failure here is none.
    const int folder = ::open(s.dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

} // namespace runnelex
