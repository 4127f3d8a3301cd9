// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet/table_sheets.h"

#include <utility>

#include "calc/calc_request.h"
#include "input/units.h"
#include "report/table_reader.h"
#include "sheet/sheet_builder.h"
#include "version/version.h"

namespace runnelex::sheet {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The index's line of a computed row: its name, size, flow, depth, velocity, capacity and
// whether it is surcharged, each with its unit.
std::vector<std::string> indexRow(const CalcSession& session) {
    const record::RecordFields f = session.recordFields();
    const units::ResultUnits& u = units::resultUnits(f.system);
    const auto with = [](const std::string& value, std::string_view unit) {
        return value.empty() ? value : value + ' ' + std::string(unit);
    };
    const bool surcharged =
        session.lastResults() && session.lastResults()->outcome == Outcome::Surcharged;
    return {f.pipeName,
            std::string(session.inputs().Shape->word) + ' ' +
                with(f.diamText, units::diamUnitWord(f.diamInFeet, f.system)),
            with(f.flowText, f.unitflow),
            with(f.dnorm, u.depth),
            with(f.vnorm, u.velocity),
            with(f.q100, f.unitflow),
            surcharged ? "yes" : "no"};
}

} // namespace

std::optional<std::string> readTableSheets(std::istream& in, const SheetTitle& title,
                                           SheetIndex* index,
                                           const std::function<void(const SheetDocument&)>& each) {
    if (index != nullptr) {
        index->title = title;
        if (index->title.date.empty())
            index->title.date = todayText();
        index->program = std::string(version::kAppTitle).append(" ").append(version::kText);
        index->columns = {"Name", "Size", "Q", "Depth", "Velocity", "Capacity", "Surcharged"};
    }
    report::LineSplitter lines;
    report::TableForm form;
    std::optional<UnitSystem> tableSystem; // a table holds the rows of one system
    std::uint64_t lineNumber = 0;
    bool seenLine = false, ended = false, firstRow = true;
    const auto leaveOut = [&](const std::string& problem) {
        if (index != nullptr)
            index->leftOut.push_back("line " + std::to_string(lineNumber) + ": " + problem);
    };
    char buffer[1 << 16];
    while (true) {
        std::optional<std::string> line = lines.next();
        if (!line) {
            if (ended)
                break;
            in.read(buffer, sizeof buffer);
            if (in.gcount() > 0)
                lines.feed(std::string_view(buffer, static_cast<std::size_t>(in.gcount())));
            if (!in) {
                if (in.bad())
                    return std::string("the table cannot be read");
                ended = true;
                lines.finish();
            }
            continue;
        }
        ++lineNumber;
        if (lines.lastTooLong()) {
            leaveOut("longer than 1 MiB");
            continue;
        }
        std::string_view text = *line;
        if (lineNumber == 1 && text.substr(0, kByteOrderMark.size()) == kByteOrderMark)
            text.remove_prefix(kByteOrderMark.size());
        if (text.find_first_not_of(" \t\r,;") == std::string_view::npos)
            continue; // a blank line is no row and no mistake
        const bool firstLine = !std::exchange(seenLine, true);
        if (firstLine) {
            if (auto unreadable = report::unreadableTable(text))
                return unreadable;
            form = report::tableForm(text);
        }
        const report::TableLine t = report::readTableLine(text, form);
        if (firstLine && t.kind != report::TableLine::Kind::Row) {
            tableSystem = t.system;
            if (const auto named = report::namedColumns(text, form)) {
                form.columns = named->columns;
                form.width = named->width;
                tableSystem = named->system;
            }
            continue;
        }
        if (t.kind == report::TableLine::Kind::Row && !tableSystem)
            tableSystem = t.system.value_or(UnitSystem::US);
        if (t.kind == report::TableLine::Kind::Header) {
            leaveOut("a second header line");
            continue;
        }
        if (t.kind != report::TableLine::Kind::Row) {
            // The size a sizing report chose stands alone on its line: no row, no mistake.
            if (text.find_first_of("\t,;") != std::string_view::npos)
                leaveOut(t.problem);
            continue;
        }
        if (t.system != tableSystem) {
            leaveOut(*tableSystem == UnitSystem::SI ? "a row in US customary units in an SI table"
                                                    : "a row in SI units in a US customary table");
            continue;
        }
        CalcSession session(nullptr, *tableSystem);
        const Replay r = replay(t.request, session);
        if (r.status == SessionStatus::Rejected) {
            leaveOut(r.text.empty() ? r.reason : "\"" + r.text + "\" refused: " + r.reason);
            continue;
        }
        if (r.status == SessionStatus::Fault) {
            leaveOut(r.fault);
            continue;
        }
        if (index != nullptr) {
            if (std::exchange(firstRow, false))
                index->system = *tableSystem;
            index->rows.push_back(indexRow(session));
        }
        if (each)
            each(buildSheet(session, title));
    }
    return std::nullopt;
}

} // namespace runnelex::sheet
