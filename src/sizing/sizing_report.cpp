// SPDX-License-Identifier: GPL-3.0-or-later
#include "sizing/sizing_report.h"

#include "common/number_text.h"
#include "results/record.h"

namespace runnelex::sizing {

const char* checkText(Check check) {
    switch (check) {
    case Check::Pass:
        return "yes";
    case Check::Fail:
        return "no";
    case Check::NotApplicable:
        break;
    }
    return "-";
}

std::string sizingReport(const SizingResult& result, const Criteria& criteria) {
    const std::string maxV =
        criteria.maxVelocity ? generalNumberText(*criteria.maxVelocity) : std::string("none");
    std::string out = record::headerLine(result.system) +
                      "\td/D\td/D <= " + generalNumberText(criteria.maxDepthRatio) +
                      "\tV >= " + generalNumberText(criteria.minVelocity) + "\tV <= " + maxV +
                      "\tFirst\n";
    for (std::size_t i = 0; i < result.rows.size(); ++i) {
        const SizeRow& row = result.rows[i];
        out += record::makeRecord(row.record) + '\t' + row.labels[Label::DoverD] + '\t' +
               checkText(row.depth) + '\t' + checkText(row.minVelocity) + '\t' +
               checkText(row.maxVelocity) + '\t' + (result.chosen == i ? "*" : "") + '\n';
    }
    if (result.chosen)
        out += sizeText(*result.shape, result.rows[*result.chosen].size) + '\n';
    return out;
}

} // namespace runnelex::sizing
