// SPDX-License-Identifier: GPL-3.0-or-later
#include "info/document_opener.h"

#include <QDesktopServices>
#include <QUrl>

namespace runnelex {

bool DesktopDocumentOpener::openUrl(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

} // namespace runnelex
