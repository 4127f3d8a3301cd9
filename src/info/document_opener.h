// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QUrl;

namespace runnelex {

// Hands a document to the desktop, which opens it in the user's preferred program.
class DocumentOpener {
public:
    virtual ~DocumentOpener() = default;
    virtual bool openUrl(const QUrl& url) = 0;
};

class DesktopDocumentOpener final : public DocumentOpener {
public:
    bool openUrl(const QUrl& url) override;
};

} // namespace runnelex
