// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include "info/info_windows.h"
#include "picture/pipe_picture_tool.h"
#include "platform/message_boxes.h"
#include "report_window/range_report_tool.h"
#include "results/mod_results.h"
#include "results/qt_save_dialog.h"
#include "sections_window/sections_tool.h"
#include "sheet_window/print_dialog.h"
#include "sheet_window/sheet_tool.h"
#include "ui/main/frm_runnelex.h"

namespace runnelex {

// The program as it runs: the message boxes and the save dialog, the recorded text with the
// results window, the information windows, the main window and its tools, wired together. Needs the
// application object; "Exit" and closing the main window end its event loop.
class Program {
public:
    // `system`: the units the calculator starts in.
    explicit Program(UnitSystem system = UnitSystem::US);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    FrmRunnelex& mainWindow() { return window_; }
    ModResults& results() { return results_; }
    InfoWindows& info() { return info_; }
    RangeReportTool& rangeReport() { return rangeReport_; }
    PipePictureTool& picture() { return picture_; }
    SectionsTool& sections() { return sections_; }
    SheetTool& sheet() { return sheet_; }

private:
    QtMessageBoxes boxes_;
    QtSaveDialog saveDialog_;
    QtPrintDialog printDialog_;
    ModResults results_;
    InfoWindows info_;
    FrmRunnelex window_;
    RangeReportTool rangeReport_; // Tools > Range Report...
    PipePictureTool picture_;     // Tools > Pipe Picture...
    SectionsTool sections_;       // Tools > Sections...
    // Tools > Calculation Sheet..., and the sections window's; torn down before the windows
    // whose calculations its sheets read.
    SheetTool sheet_;
};

// The whole run, as main() does it: the process set-up, the application object with its title,
// version and icon, the program with its main window shown, and the event loop. The arguments
// are read first (program_arguments.h): --si starts the calculator in SI units; --help and
// --version print and end with 0, a refused argument ends with 2, without a display too.
// `started`, when given, sees the program just before the event loop runs (tests drive it
// from there). Returns the event loop's exit code.
int runProgram(int argc, char** argv, const std::function<void(Program&)>& started = {});

} // namespace runnelex
