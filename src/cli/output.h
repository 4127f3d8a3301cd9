// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace runnelex::cli {

// Where a command writes. Text is buffered and goes out in large writes; the first failure is
// kept, so a command can stop early and the caller can report it instead of claiming success.
class Output {
public:
    virtual ~Output() = default;
    // False once any write has failed (this one or an earlier one).
    bool write(std::string_view text);
    // A large block collected beforehand (a report's chunk of rows): it goes out with what is
    // buffered before it in one write, without passing through the buffer.
    bool writeBlock(std::string_view text);
    // Sends everything buffered; false when the output has failed.
    bool flush();
    bool failed() const { return failed_; }
    // The platform's description of the first failure.
    const std::string& failure() const { return failure_; }
    // A terminal shows progress lines; files and pipes get none.
    virtual bool isTerminal() const { return false; }

protected:
    // Writes every byte of `bytes`, or returns false with a description in `failure`.
    virtual bool send(std::string_view bytes, std::string& failure) = 0;

private:
    static constexpr std::size_t kBufferSize = 1 << 16;
    std::string buffer_;
    bool failed_ = false;
    std::string failure_;
};

// A file descriptor: stdout, stderr, or a file opened by the caller.
class FdOutput final : public Output {
public:
    explicit FdOutput(int fd) : fd_(fd) {}
    ~FdOutput() override { flush(); }
    bool isTerminal() const override;

protected:
    bool send(std::string_view bytes, std::string& failure) override;

private:
    int fd_;
};

// Collects the text in memory (tests, in-process callers); can be told to fail after a number
// of bytes, like a disk that fills up.
class StringOutput final : public Output {
public:
    StringOutput() = default;
    explicit StringOutput(std::size_t failAfter) : failAfter_(failAfter) {}
    ~StringOutput() override { flush(); }
    const std::string& text() const { return text_; }

protected:
    bool send(std::string_view bytes, std::string& failure) override;

private:
    std::string text_;
    std::size_t failAfter_ = static_cast<std::size_t>(-1);
};

} // namespace runnelex::cli
