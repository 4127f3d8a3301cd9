// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QHBoxLayout;
class QLabel;

namespace runnelex {

// The common frame of the information windows: a fixed-size dialog window of its owner, with
// a title bar but no minimize or maximize button, and so without an entry in the task bar.
class InfoDialog : public QDialog {
    Q_OBJECT
public:
    InfoDialog(const QString& name, QWidget* owner);

protected:
    // A word-wrapped plain-text label of the given name and width.
    QLabel* addText(const QString& name, const QString& text, int width);
    // The notices' button row: "Close" (CancelButton) hides the window; "OK" (OKButton) is
    // part of the window but never shown and has no action.
    QHBoxLayout* closeButtonRow();
    void CancelButton_Click();
};

} // namespace runnelex
