// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet/sheet_document.h"

namespace runnelex::sheet {

std::string footerText(const std::string& program, int page, int pages) {
    return program + "   page " + std::to_string(page) + " of " + std::to_string(pages);
}

} // namespace runnelex::sheet
