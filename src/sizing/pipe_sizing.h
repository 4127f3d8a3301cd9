// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/calculation.h"
#include "calc/labels.h"
#include "input/calc_entry.h"
#include "input/calc_inputs.h"
#include "results/record.h"
#include "sections/shape_table.h"

// Pipe sizing: the main window's calculation for each nominal diameter in turn, judged against
// design criteria; the first size that meets them all is the answer.
namespace runnelex::sizing {

struct Criteria {
    double maxDepthRatio = 0.80;       // normal depth at most this fraction of the diameter
    double minVelocity = 2.0;          // ft/s at the normal depth, self-cleansing
    std::optional<double> maxVelocity; // ft/s; none by default
};
// The criteria by default in a system: in SI a self-cleansing velocity of 0.6 m/s.
Criteria defaultCriteria(UnitSystem system);

// The nominal diameters tried by default, in inches, smallest first.
std::vector<double> defaultSizesInches();

// What a sizing tries: sizes of one shape, each its dimensions in the list's unit (for US
// customary inches, or feet when `inFeet`; in SI millimetres).
struct SizeList {
    const sections::ShapeRow* shape = &sections::defaultShape();
    std::vector<sections::Dimensions> sizes;
    bool inFeet = false;
};

// The sizes tried by default: the shape's catalogue in the system.
SizeList defaultSizes(const sections::ShapeRow& shape, UnitSystem system = UnitSystem::US);

// A size as the last line of a report names it: "10", "4", "6x4".
std::string sizeText(const sections::ShapeRow& shape, const sections::Dimensions& size);

enum class Check { Pass, Fail, NotApplicable };

struct SizeRow {
    sections::Dimensions size{}; // in the list's unit
    // The calculation for this size, as the main window would run it: its results, the fault
    // that stopped it, the label texts it shows and the record it makes.
    CalcResults results;
    std::optional<std::string> fault;
    LabelTexts labels;
    record::RecordFields record;
    Check depth = Check::Fail, minVelocity = Check::Fail, maxVelocity = Check::NotApplicable;
    bool meetsAll = false;
};

struct SizingResult {
    const sections::ShapeRow* shape = &sections::defaultShape();
    UnitSystem system = UnitSystem::US;
    std::vector<SizeRow> rows;         // one per size, in the order tried
    std::optional<std::size_t> chosen; // the first row that meets every criterion
};

// Tries every size of `sizesIn` (inches) with the other inputs of `in` (slope, n, design flow
// and flow unit) and the texts of `entry`, in the order given: each a calculator holding those
// with the size typed in inches. The checks use the computed values, not the rounded texts. A
// surcharged size fails the depth check and its velocity checks do not apply; a size whose
// calculation met an arithmetic fault fails every check.
SizingResult sizePipe(const CalcInputs& in, const CalcEntry& entry,
                      const std::vector<double>& sizesIn, const Criteria& criteria);
// The same for any shape: each size of the list typed into the shape's boxes in the list's unit.
SizingResult sizeSections(const CalcInputs& in, const CalcEntry& entry, const SizeList& list,
                          const Criteria& criteria);

// Parsing of the criteria and the size list, each with the point as decimal separator.
// Each returns the reason when the text is not acceptable.
std::optional<std::string> parseMaxDepthRatio(std::string_view text, double& value);
std::optional<std::string> parseVelocity(std::string_view text, const char* what, double& value,
                                         UnitSystem system = UnitSystem::US);
// Sizes separated by commas and/or blanks, each the shape's dimensions joined by "x" in the
// unit of its catalogue: pipe diameters in inches, square sides in feet, boxes as SPANxRISE in
// feet ("6x4"); in SI in mm.
std::optional<std::string> parseSizeList(std::string_view text, const sections::ShapeRow& shape,
                                         std::vector<sections::Dimensions>& sizes,
                                         UnitSystem system = UnitSystem::US);
// A velocity range whose maximum lies below its minimum cannot be met.
std::optional<std::string> checkVelocityRange(const Criteria& criteria);

// The size list as typed into a list box: "4, 6, 8, ...".
std::string sizeListText(const std::vector<double>& sizesIn);

} // namespace runnelex::sizing
