// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QString>

class QMenu;
class QWidget;

namespace runnelex {

class CalcSession;

// The context menu of a window's results, opened by a right-click anywhere in `area` but on a
// box or a selectable text (which keep their own menus). "&Copy" puts on the clipboard the
// whole text of the value under the pointer, or, anywhere else, every result shown, a line each
// as a screen reader hears it ("Vnorm 4.6671 ft/sec"); "Copy &Record" the record of the
// calculation `session` shows, after its header line, as the results window would hold it.
// Nothing of the window changes but the menu it gains.
void addResultCopyMenu(QWidget& area, const CalcSession& session);

// The menu a right-click at `pos` (in `area`) opens, not yet shown; it deletes itself once
// closed.
QMenu* resultCopyMenu(QWidget& area, QPoint pos, const CalcSession& session);

// Every result `area` shows: each value label ("lblr...") that shows a text and is heard with
// a caption, its spoken form a line, LF between.
QString shownResults(const QWidget& area);

// The header line, LF and the record of what `session` shows.
QString recordWithHeader(const CalcSession& session);

} // namespace runnelex
