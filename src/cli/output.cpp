// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/output.h"

#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace runnelex::cli {

bool Output::write(std::string_view text) {
    if (failed_)
        return false;
    buffer_.append(text);
    if (buffer_.size() >= kBufferSize)
        return flush();
    return true;
}

bool Output::writeBlock(std::string_view text) {
    if (failed_)
        return false;
    if (!buffer_.empty()) {
        buffer_.append(text);
        return flush();
    }
    std::string why;
    if (!send(text, why)) {
        failed_ = true;
        failure_ = why;
    }
    return !failed_;
}

bool Output::flush() {
    if (failed_)
        return false;
    if (!buffer_.empty()) {
        std::string why;
        if (!send(buffer_, why)) {
            failed_ = true;
            failure_ = why;
        }
        buffer_.clear();
    }
    return !failed_;
}

bool FdOutput::isTerminal() const {
    return ::isatty(fd_) == 1;
}

bool FdOutput::send(std::string_view bytes, std::string& failure) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            failure = std::strerror(errno);
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

bool StringOutput::send(std::string_view bytes, std::string& failure) {
    if (text_.size() + bytes.size() > failAfter_) {
        text_.append(bytes.substr(0, failAfter_ - text_.size()));
        failure = std::strerror(ENOSPC);
        return false;
    }
    text_.append(bytes);
    return true;
}

} // namespace runnelex::cli
