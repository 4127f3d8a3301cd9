// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/save_failure.h"

namespace runnelex {

QString saveFailureMessage(const QString& description) {
    return QStringLiteral("Unable to Open File (already open?). Please try a different name. (") +
           description + QLatin1Char(')');
}

} // namespace runnelex
