#pragma once

#include <QStringList>

#include "ui/main/info_menu.h"

namespace runnelex::test {

// Notes which Help item was chosen.
class FakeInfoMenu final : public InfoMenu {
public:
    void mnuHelp4Runnelex_Click() override { calls << QStringLiteral("help"); }
    void mnuAbout_Runnelex_Click() override { calls << QStringLiteral("about"); }
    void mnuRunnelex_Updates_Click() override { calls << QStringLiteral("updates"); }
    void mnuKelvara_Click() override { calls << QStringLiteral("kelvara"); }
    QStringList calls;
};

} // namespace runnelex::test
