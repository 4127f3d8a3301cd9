// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace runnelex {

// Where the help document is looked for, first found wins.
struct HelpDocumentPlaces {
    QString installed;  // next to the installed program, in its data folder
    QString sourceTree; // the document in the sources, for a program run from its build tree
};

// The places for a program whose executable lies in `applicationDir`: the installed document
// relative to it, and the source tree's document only when `applicationDir` is inside
// `buildRoot`, so that an installed program never reads from a build machine's path.
HelpDocumentPlaces helpDocumentPlaces(const QString& applicationDir, const QString& buildRoot,
                                      const QString& sourceDocument);
// The same for this build of the program.
HelpDocumentPlaces helpDocumentPlaces(const QString& applicationDir);

// The first place that holds a file, or an empty text.
QString findHelpDocument(const HelpDocumentPlaces& places);

} // namespace runnelex
