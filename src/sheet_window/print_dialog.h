// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QPrinter;
class QWidget;

namespace runnelex {

// The print dialog seam: the real dialog in the program, a scripted one in tests.
class PrintDialog {
public:
    virtual ~PrintDialog() = default;
    // Shows the dialog modally for `printer`, which it sets up (printer, pages, copies): true
    // when the user chose to print.
    virtual bool choosePrinter(QWidget* parent, QPrinter& printer) = 0;
};

// Qt's own print dialog.
class QtPrintDialog final : public PrintDialog {
public:
    bool choosePrinter(QWidget* parent, QPrinter& printer) override;
};

} // namespace runnelex
