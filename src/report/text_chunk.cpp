// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/text_chunk.h"

namespace runnelex::report {

void TextChunk::add(const RecordReply& row) {
    appendRowText(format, row, text);
    ++rows;
    faulted += row.status == SessionStatus::Fault;
    if (!row.warnings.empty() && warned++ == 0)
        firstWarning = row.warnings.front();
}

} // namespace runnelex::report
