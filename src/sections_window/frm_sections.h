// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

#include <QWidget>

#include "calc/calc_session.h"
#include "sections_window/law_panel.h"
#include "sections_window/sections_controls.h"
#include "sizing/pipe_sizing.h"

namespace runnelex {

class MessageBoxes;
class ResultsLog;

// The calculator for every shape of the shape table: a calculation session of its own,
// drawn as the main window draws its session (the same boxes with the same checks, unit lists,
// result names and display rule), with a shape, a catalogue of sizes, the peak open-channel
// flow, the cross-section to scale and "Record" into the results window while logging is on.
class FrmSections final : public QWidget, private SessionView {
    Q_OBJECT
public:
    // Starts from the calculator's inputs and entry (a circle, as the main window has it).
    FrmSections(const CalcInputs& in, const CalcEntry& entry, const std::string& capacityHeading,
                MessageBoxes& boxes, ResultsLog& results);
    ~FrmSections() override;

    CalcSession& session() { return session_; }
    // Enables "Record" while logging is on.
    void setRecordingEnabled(bool enabled);
    // The other unit system, as the main window switches: the lists show its units at the
    // positions they had, every box is read again in them and the results recomputed; the
    // catalogue offers the system's sizes.
    void setSystem(UnitSystem system);
signals:
    // "Picture": the picture of this window's section; "Size": its sizing table.
    void pictureRequested();
    void sizingRequested();
    // "Calculation Sheet": the sheet of this window's calculation.
    void sheetRequested();

public:
    // The sizes the catalogue offers for a shape, as its list shows them (in SI the metric
    // sizes, in mm).
    static sizing::SizeList catalogue(const sections::ShapeRow& shape,
                                      UnitSystem system = UnitSystem::US);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectControls();
    NumericBox* box(TextBox which) const;
    NumericBox* dimensionBox(std::string_view word) const;
    // "Record" and Enter in the pipe name: records the results shown, or says what is missing.
    void recordShown();
    void cmbShape_Click(int index);
    void cmbCatalogue_Click(int index);
    void fillCatalogue();
    void showCatalogueEntry();
    sizing::SizeList shownCatalogue() const; // of the shape and system shown
    void showShape();
    void refresh(); // the peak flow, the cross-section and the spoken names, after every run
    void respeak();

    // What the session changes, drawn.
    void labelChanged(Label label, const std::string& text) override;
    void textChanged(TextBox which, const std::string& text) override;
    void dimensionChanged(std::string_view word, const std::string& text) override;
    void lawTextChanged(std::string_view word, const std::string& text) override;
    void message(const std::string& prompt) override;
    void recorded(const std::string& record) override;

    MessageBoxes& boxes_;
    ResultsLog& results_;
    SectionsControls c_;
    CalcSession session_;
    LawPanel* law_ = nullptr;
    int shownListener_ = -1;
};

} // namespace runnelex
