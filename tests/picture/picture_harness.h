// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "picture/frm_pipe_picture.h"
#include "picture/pipe_picture_tool.h"
#include "ui/window_harness.h"

namespace runnelex::test {

// The texts of an SVG's <text> elements, once the whole document parsed; the parser's error
// alone when it did not.
inline QStringList svgTexts(const QByteArray& svg) {
    QXmlStreamReader xml(svg);
    QStringList texts;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("text"))
            texts << xml.readElementText(QXmlStreamReader::IncludeChildElements).simplified();
    return xml.hasError() ? QStringList{"<" + xml.errorString() + ">"} : texts;
}

// The main window with its Tools menu's picture window, driven through real events; the save
// dialog is scripted.
class PictureHarness {
public:
    PictureHarness() { tool = std::make_unique<PipePictureTool>(*main.window, main.boxes, dialog); }
    ~PictureHarness() { tool.reset(); } // before the main window it follows

    // Opens the window the way a user does: Alt+T, then P in the Tools menu.
    FrmPipePicture* open() {
        main.window->activateWindow(); // menu keys reach the active window only
        if (!QTest::qWaitForWindowActive(main.window.get()))
            qFatal("the main window is not active");
        QTest::keyClick(main.window.get(), Qt::Key_T, Qt::AltModifier);
        if (!QTest::qWaitFor([this] { return main.get("mnuTools")->isVisible(); }))
            qFatal("the Tools menu did not open");
        QTest::keyClick(main.get("mnuTools"), Qt::Key_P);
        if (!QTest::qWaitFor([this] { return tool->window() && tool->window()->isVisible(); }))
            qFatal("the picture window did not open");
        return tool->window();
    }
    FrmPipePicture* window() const { return tool->window(); }

    template <typename T = QWidget> T* get(const QString& name) const {
        return test::get<T>(window(), name);
    }
    QString text(const QString& name) const { return shownText(get<QObject>(name)); }

    // Waits for the refresh that follows the runs made since `before` refreshes.
    bool refreshedAfter(int before) const {
        return QTest::qWaitFor([&] { return window()->refreshCount() > before; });
    }

    void enter(const QString& box, const QString& typed) { enterText(window(), box, typed); }

    WindowHarness main;
    FakeSaveDialog dialog;
    std::unique_ptr<PipePictureTool> tool;
};

} // namespace runnelex::test
