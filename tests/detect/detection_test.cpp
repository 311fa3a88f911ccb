#include "detect/detection.h"
#include <gtest/gtest.h>
#include "log/setup_log.h"
#include "tests/win_support.h"

namespace {

// The configurations here hold no placeholders.
class NoPlaceholders : public TokenValues {
public:
    bool Folder(std::wstring_view, std::wstring&) const override { return false; }
    std::wstring Environment(std::wstring_view) const override { return L""; }
    std::wstring Registry(std::wstring_view) const override { return L""; }
};

// Detection writes its decisions to the setup log; each test process logs to its own file.
class Detection : public ::testing::Test {
protected:
    void SetUp() override
    {
        TheSetupLog().SetPath(folder / L"detect.log");
        logEnabled = true;
    }

    std::vector<std::wstring> Messages() { return LogMessages(folder / L"detect.log"); }

    ChainerConfig Config(const std::wstring& app1)
    {
        IniFile ini;
        ParseIniText(ini, L"[PREREQUISITES]\r\nApp1=Runtime\r\n[App1]\r\n" + app1);
        ChainerConfig config;
        ParseConfig(ini, config, NoPlaceholders());
        EXPECT_EQ(config.prerequisites.size(), 1u);
        return config;
    }

    ScratchFolder folder;
};

using Lines = std::vector<std::wstring>;

TEST_F(Detection, FoundAndMissingByKind)
{
    ScratchKey key;
    key.SetText(L"Version", L"2.0");
    const struct {
        std::wstring keys;
        PrereqAction action;
        const wchar_t* result;
    } cases[] = {
        {L"SetupFile=s.exe\r\nSearchType1=2\r\nSearchString1=" + key.rooted() + L"\\Version\r\nVerMin1=1.0",
         PrereqAction::Installed, L"Search result:An acceptable version was found."},
        {L"SetupFile=s.exe\r\nSearchType1=2\r\nSearchString1=" + key.rooted() + L"\\Version\r\nVerMin1=3.0",
         PrereqAction::InstallFromPackage, L"Search result:No acceptable version found. It must be installed from package."},
        {L"Url=http://x/s.exe\r\nSearchType1=7\r\nSearchString1=" + key.rooted() + L"\\Other",
         PrereqAction::Download, L"Search result:No acceptable version found. It must be downloaded."},
        {L"OpenSite=http://x/\r\nSearchType1=10\r\nSearchString1=x",
         PrereqAction::OpenSite, L"Search result:No acceptable version found. It must be downloaded manually from a site."},
    };
    size_t seen = 0;
    for (const auto& c : cases) {
        ChainerConfig config = Config(c.keys);
        EvaluatePrerequisite(0, config, false);
        EXPECT_EQ(config.prerequisites[0].action, c.action) << ::testing::PrintToString(c.keys);
        Lines messages = Messages();
        ASSERT_EQ(messages.size(), seen + 2);
        EXPECT_EQ(messages[seen], L"Searching for:Runtime");
        EXPECT_EQ(messages[seen + 1], c.result);
        seen = messages.size();
    }
}

TEST_F(Detection, NoDetectionFlagMissingFirstInstalledOnRecheck)
{
    ChainerConfig config = Config(L"Url=http://x/s.exe\r\nOptions=i\r\nSearchType1=12\r\nSearchString1=x");
    EvaluatePrerequisite(0, config, false);
    EXPECT_EQ(config.prerequisites[0].action, PrereqAction::Download);
    EXPECT_TRUE(config.prerequisites[0].searchResults.empty());  // searches are not run
    EvaluatePrerequisite(0, config, true);
    EXPECT_EQ(config.prerequisites[0].action, PrereqAction::Installed);
    EXPECT_EQ(Messages(), (Lines{L"Searching for:Runtime", L"Search result:No acceptable version found. It must be downloaded.",
                                 L"Searching for:Runtime"}));
}

// The test prefix is 64-bit Windows 7 with Service Pack 1, and this is a 32-bit process.
TEST_F(Detection, OperatingSystemFilter)
{
    const struct {
        const wchar_t* lists;
        bool excluded;
    } cases[] = {
        {L"WinNT64Versions=Windows XP/Vista/Windows 7/Windows 8 x64", true},
        {L"WinNT64Versions=Windows Vista x64, Windows 7 x64 Service Pack 1", true},
        {L"WinNT64Versions=Windows 7 x64", false},
        {L"WinNTVersions=Windows NT/2000/XP/Vista/Windows 7/Windows 8 x86", false},
        {L"Win9xVersions=Windows 9x/ME", false},
    };
    for (const auto& c : cases) {
        ChainerConfig config = Config(std::wstring(L"SetupFile=s.exe\r\n") + c.lists);
        EvaluatePrerequisite(0, config, false);
        EXPECT_EQ(config.prerequisites[0].action == PrereqAction::Excluded, c.excluded) << c.lists;
    }
    Lines messages = Messages();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages[0], L"Wrong OS or Os language for:Runtime");
    EXPECT_EQ(messages[1], L"Wrong OS or Os language for:Runtime");
    EXPECT_EQ(messages[2], L"Searching for:Runtime");
}

TEST_F(Detection, LanguageFilterAndExclusionIsFinal)
{
    LANGID system = GetSystemDefaultLangID();
    ChainerConfig accepted = Config(L"SetupFile=s.exe\r\nLanguageList=1;" + std::to_wstring(system));
    EvaluatePrerequisite(0, accepted, false);
    EXPECT_EQ(accepted.prerequisites[0].action, PrereqAction::Installed);  // no searches: found

    ChainerConfig refused = Config(L"SetupFile=s.exe\r\nLanguageList=1;2;");
    EvaluatePrerequisite(0, refused, false);
    EXPECT_EQ(refused.prerequisites[0].action, PrereqAction::Excluded);
    EvaluatePrerequisite(0, refused, true);  // never evaluated again
    EXPECT_EQ(refused.prerequisites[0].action, PrereqAction::Excluded);

    Lines messages = Messages();
    ASSERT_EQ(messages.size(), 5u);
    std::wstring language = L"SystemDefault LangID=" + std::to_wstring(system) + L"-";
    EXPECT_EQ(messages[0].substr(0, language.size()), language);
    EXPECT_GT(messages[0].size(), language.size()) << "the language's name follows the identifier";
    EXPECT_EQ(messages[1], L"Searching for:Runtime");
    EXPECT_EQ(messages[3], messages[0]);
    EXPECT_EQ(messages[4], L"Wrong OS or Os language for:Runtime");
}

} // namespace
