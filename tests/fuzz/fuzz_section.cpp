// SPDX-License-Identifier: GPL-3.0-or-later
// The section text of a record's Diam field fed any bytes: what is read back is written the
// same way again, and a table row holding it comes back from batch with the same section.
#include <cstdint>
#include <string>

#include "calc/calc_request.h"
#include "fuzz_check.h"
#include "report/table_reader.h"
#include "sections/section_text.h"

namespace {

using runnelex::fuzz::escaped;
using runnelex::fuzz::require;
namespace sections = runnelex::sections;

bool sameSection(const sections::SectionText& a, const sections::SectionText& b) {
    return a.shape == b.shape && a.dimensions == b.dimensions;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string field(reinterpret_cast<const char*>(data), size);
    const auto read = sections::parseSectionText(field);
    if (!read)
        return 0;
    const std::string written = sections::sectionText(*read->shape, read->dimensions);
    const auto again = sections::parseSectionText(written);
    require(again && sameSection(*again, *read), "a section text reads back as written",
            escaped(field) + " -> " + escaped(written));
    if (field.find_first_of("\t\n\r") != std::string::npos)
        return 0;
    const auto line =
        runnelex::report::readTableLine("P\t2\tCFS\t" + field + "\tft.\t0.01\tft/ft\t0.013");
    if (line.kind != runnelex::report::TableLine::Kind::Row)
        return 0;
    const runnelex::RecordReply row = runnelex::runRecord(line.request);
    const auto recorded = sections::parseSectionText(row.fields.diamText);
    require(recorded && sameSection(*recorded, *read), "batch keeps the section of a row",
            escaped(field) + " -> " + escaped(row.fields.diamText));
    return 0;
}
