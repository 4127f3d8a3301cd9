// SPDX-License-Identifier: GPL-3.0-or-later
#include "info/help_viewer.h"

#include <QCoreApplication>
#include <QUrl>
#include <QWidget>

#include <utility>

#include "info/document_opener.h"
#include "info/help_document.h"

#include "info/windows_headers.h"

namespace runnelex {

#ifdef _WIN32
void WindowsHelpViewer::showHelp(QWidget* owner) {
    HWND window = owner ? reinterpret_cast<HWND>(owner->window()->winId()) : nullptr;
    // The result is not looked at: the viewer has its own way of saying what went wrong.
    ::WinHelpA(window, kHelpFile, kHelpForceFile, 0);
}
#endif

BrowserHelpViewer::BrowserHelpViewer(std::unique_ptr<DocumentOpener> opener, QString applicationDir)
    : opener_(std::move(opener)), applicationDir_(std::move(applicationDir)) {}

BrowserHelpViewer::~BrowserHelpViewer() = default;

void BrowserHelpViewer::showHelp(QWidget*) {
    const QString dir =
        applicationDir_.isEmpty() ? QCoreApplication::applicationDirPath() : applicationDir_;
    const QString document = findHelpDocument(helpDocumentPlaces(dir));
    if (document.isEmpty() || !opener_) {
        return;
    }
    opener_->openUrl(QUrl::fromLocalFile(document));
}

std::unique_ptr<HelpViewer> makeSystemHelpViewer() {
#ifdef _WIN32
    return std::make_unique<WindowsHelpViewer>();
#else
    return std::make_unique<BrowserHelpViewer>(std::make_unique<DesktopDocumentOpener>());
#endif
}

} // namespace runnelex
