// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "calc/calc_request.h"
#include "input/entry_check.h"
#include "report/decimal_values.h"

namespace runnelex::report {

// A box a report can vary: a section's dimension, the slope, the flow or n.
using Input = RequestField;
// Every input a report can vary, in the order of its name list: each dimension of the shape
// table, then the slope, the flow and n.
const std::vector<Input>& variableInputs();
// The inputs' --vary names as a sentence lists them: "diam, span, rise, slope, flow or n".
std::string inputNameList();
// What a window calls an input: a dimension as the first shape that has it ("Diameter",
// "Span"), then "Slope", "Q (flowrate)" and "n".
std::string inputCaption(const Input& input);
// The entry check of an input's text in a request for a shape (the dimension's own where the
// shape has it).
entry::Rule inputRule(const Input& input, const CalcRequest& request);

// One "--vary NAME=VALUES".
struct Vary {
    std::string written; // as given, for messages
    Input input{RequestField::Kind::Flow, {}};
    DecimalValues values;
};

// A report: the fixed texts and units of the main window, and one or two inputs varied across
// their values (the first varies slowest). Every point is the calculation "runnelex-cli calc"
// makes for the same texts.
class ReportPlan {
public:
    // What is wrong with a request, naming the option and the value (no "runnelex-cli:").
    struct Error {
        Error(std::string words) : what(std::move(words)) {}
        Error(std::string words, Input in, bool isVaried, bool wholeValues, std::string refused,
              std::string why)
            : what(std::move(words)), input(in), varied(isVaried), valuesText(wholeValues),
              text(std::move(refused)), reason(std::move(why)) {}
        std::string what;
        // The same for a window, which names its own boxes: the input whose text was refused
        // (none for a fault of the whole request), whether the text is a --vary's values, the
        // text refused (the values, or one value of them) and why.
        std::optional<Input> input;
        bool varied = false;
        bool valuesText = false; // the whole values text was refused, not one value
        std::string text, reason;
    };
    // Reads "NAME=VALUES" (NAME a dimension's word, slope, flow or n).
    static std::variant<Vary, Error> parseVary(const std::string& written);
    // Checks every text the report will type, fixed or varied, with its box's entry check, so
    // that a bad one is found before any row is made.
    static std::variant<ReportPlan, Error> make(const CalcRequest& base, std::vector<Vary> vary);

    std::uint64_t rowCount() const { return rows_; }
    // The unit system of every row.
    UnitSystem system() const { return requestSystem(base_).value_or(UnitSystem::US); }
    // The request of row i, in report order.
    CalcRequest point(std::uint64_t i) const;

private:
    ReportPlan() = default;
    CalcRequest base_;
    std::vector<Vary> vary_;
    std::uint64_t rows_ = 0;
};

} // namespace runnelex::report
