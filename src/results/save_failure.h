// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace runnelex {

// The message of a failed save: the fixed sentence, the platform's description and ")".
QString saveFailureMessage(const QString& description);

} // namespace runnelex
