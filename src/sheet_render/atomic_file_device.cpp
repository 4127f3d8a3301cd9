// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet_render/atomic_file_device.h"

#include <string_view>

#include "common/atomic_file.h"

namespace runnelex {

AtomicFileDevice::AtomicFileDevice(AtomicFile& file) : file_(file) {}

bool AtomicFileDevice::open(OpenMode mode) {
    if ((mode & ReadOnly) != 0 || !file_.open()) {
        setErrorString(QString::fromStdString(file_.error()));
        return false;
    }
    return QIODevice::open(mode | Unbuffered);
}

qint64 AtomicFileDevice::readData(char*, qint64) {
    return -1;
}

qint64 AtomicFileDevice::writeData(const char* data, qint64 size) {
    if (!file_.write(std::string_view(data, static_cast<std::size_t>(size)))) {
        setErrorString(QString::fromStdString(file_.error()));
        return -1;
    }
    return size;
}

} // namespace runnelex
