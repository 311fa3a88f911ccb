#include "core/selection.h"
#include <gtest/gtest.h>
#include "log/setup_log.h"
#include "tests/win_support.h"

namespace {

TEST(SetSelected, LogsEveryChangeInEitherDirection)
{
    ScratchFolder folder;
    TheSetupLog().SetPath(folder / L"select.log");
    logEnabled = true;

    ChainerConfig config;
    for (const wchar_t* name : {L"Parent", L"Child", L"Installed child"}) {
        Prerequisite prerequisite;
        prerequisite.name = name;
        prerequisite.action = PrereqAction::Download;
        config.prerequisites.push_back(prerequisite);
    }
    config.prerequisites[1].parentPrereq = L"Parent";
    config.prerequisites[2].parentPrereq = L"Parent";
    config.prerequisites[2].action = PrereqAction::Installed;

    SetSelected(config, 1, true);   // the child selects its parent
    SetSelected(config, 1, true);   // no change: no line
    SetSelected(config, 0, false);  // clearing the parent clears the child
    EXPECT_FALSE(config.prerequisites[0].selected);
    EXPECT_FALSE(config.prerequisites[1].selected);
    EXPECT_FALSE(config.prerequisites[2].selected);
    EXPECT_EQ(LogMessages(folder / L"select.log"),
              (std::vector<std::wstring>{L"Prerequisite selected for install:Child", L"Prerequisite selected for install:Parent",
                                         L"Prerequisite selected for install:Parent", L"Prerequisite selected for install:Child"}));
}

} // namespace
