// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace runnelex {

// The steps of a save, in order. `Wrote` comes after every block written.
enum class SaveStep { Opened, Wrote, Synced, Linked, Replaced };
// What tests change in a save: a call at each step (to kill the process there, fill the disk or
// make the folder read-only), and whether the system's unnamed temporary files may be used
// (false: the named temporary file that every file system has).
struct SaveSeams {
    std::function<void(SaveStep)> atStep;
    bool unnamedTemporary = true;
};

// A file replaced in one step, written piece by piece: the bytes go to a temporary file beside
// it, are flushed to the disk at commit(), and only then take the file's place, so a failure or
// a crash at any moment leaves either the complete old file or the complete new one. The
// temporary file has no name at all while it is written where the file system allows it, else
// the hidden name ".NAME.runnelex-save", which the next save of the same file removes when a
// crash left it behind. An existing file keeps its permissions; a symbolic link keeps pointing
// to the file it names. A file never committed is left as it was.
class AtomicFile {
public:
    explicit AtomicFile(std::string path, SaveSeams seams = {});
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Each returns false once anything has failed; error() then says what, in the platform's
    // words. write() before open() opens.
    bool open();
    bool write(std::string_view bytes);
    bool commit();
    const std::string& error() const { return error_; }

private:
    struct State;
    std::string path_;
    SaveSeams seams_;
    State* state_ = nullptr;
    std::string error_;
};

// The hidden name beside `path` that a save uses before the file takes its place.
std::string atomicTemporaryName(const std::string& path);

} // namespace runnelex
