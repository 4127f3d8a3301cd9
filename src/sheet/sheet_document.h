// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/unit_system.h"
#include "picture/picture_model.h"

// The calculation sheet: what a checker reads of one calculation, as blocks of tables and
// lines that every form (text, HTML, PDF, the preview) lays out in order. Built once from a
// calculation, so the forms cannot say different things.
namespace runnelex::sheet {

// The paper a sheet is laid out for: Letter in US customary units, A4 in SI, unless told.
enum class Paper { Letter, A4 };

// The title block, typed by the user for each sheet (nothing of it is kept).
struct SheetTitle {
    std::string project;
    std::string reach; // the pipe or reach
    std::string engineer;
    std::string checker;
    std::string date; // "2026-12-08"; today when not given
};

// The captions of the title block's fields, in the order of SheetTitle's members.
inline constexpr const char* kTitleCaptions[] = {"Project", "Pipe or reach", "Engineer", "Checker",
                                                 "Date"};

// One block: a heading, then a table (a header row when `columns` is not empty, then rows of
// cells, each row as many cells as the widest), then lines of text. Tables of quantities have
// the columns quantity, symbol, value and unit.
struct SheetBlock {
    std::string heading;
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> lines;
    // The lines are equations with their numbers put in: a form may set them apart (indented,
    // in a fixed-width face) but must keep every character.
    bool equations = false;
};

struct SheetDocument {
    std::string heading = "Calculation sheet";
    std::string subject; // one line: the conduit, the law and the flow ("12 in. circular ...")
    SheetTitle title;
    std::vector<SheetBlock> blocks;
    // The drawings (the cross-section with the water at the normal and critical depths, the
    // chart of flow and velocity against depth), placed after the blocks; nothing when the
    // inputs draw nothing. The text form leaves them out.
    std::optional<picture::PictureModel> picture;
    std::string program; // "Runnelex 3.2.0", for the footer
    UnitSystem system = UnitSystem::US;
};

// The first page of a table's sheets: one row per line of the table that was computed, and the
// lines left out, each named with why.
struct SheetIndex {
    std::string heading = "Calculation sheets";
    std::string source; // the table's file name
    SheetTitle title;
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> leftOut; // "line 7: ..." for each row not computed
    std::string program;
    UnitSystem system = UnitSystem::US; // the first computed row's
};

// Where a page of a sheet stands, for the footer: "Runnelex 3.2.0   page 2 of 5".
std::string footerText(const std::string& program, int page, int pages);

// The paper of a system when none is named.
inline Paper defaultPaper(UnitSystem system) {
    return system == UnitSystem::SI ? Paper::A4 : Paper::Letter;
}

} // namespace runnelex::sheet
