// SPDX-License-Identifier: GPL-3.0-or-later
#include "sections_window/section_host.h"

#include "sections_window/frm_sections.h"

namespace runnelex {

CalcSession& SectionHost::session() {
    return window_.session();
}

QWidget* SectionHost::hostWindow() {
    return &window_;
}

} // namespace runnelex
