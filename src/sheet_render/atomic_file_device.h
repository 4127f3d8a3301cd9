// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIODevice>

namespace runnelex {

class AtomicFile;

// An AtomicFile as a Qt device, for writers that stream into a QIODevice (the PDF writer): every
// write goes straight on to the file's temporary, nothing is held here. Write-only; the owner
// commits the file once the writer is done.
class AtomicFileDevice final : public QIODevice {
public:
    explicit AtomicFileDevice(AtomicFile& file);
    bool isSequential() const override { return true; }
    // Opens the file too: false, with the file's error, when it cannot be.
    bool open(OpenMode mode) override;

protected:
    qint64 readData(char* data, qint64 size) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    AtomicFile& file_;
};

} // namespace runnelex
