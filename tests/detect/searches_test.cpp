#include "detect/searches.h"
#include <gtest/gtest.h>
#include "detect/system_probes.h"
#include "fsutil/files.h"
#include "fsutil/paths.h"
#include "tests/test_text.h"
#include "tests/version_stamp.h"
#include "tests/win_support.h"

namespace {

PrereqSearch Search(int32_t type, const std::wstring& searchString, const std::wstring& verMin = L"",
                    const std::wstring& verMax = L"", const std::wstring& refContent = L"")
{
    PrereqSearch search;
    search.type = type;
    search.searchString = searchString;
    search.verMin = verMin;
    search.verMax = verMax;
    search.refContent = refContent;
    return search;
}

std::wstring Found(const SearchResult& result)
{
    return JoinPieces(result.found);
}

// Copies of the fixture program carrying chosen versions.
void MakeVersioned(const std::wstring& path, WORD major, WORD minor)
{
    VersionStamp stamp;
    stamp.version[0] = major;
    stamp.version[1] = minor;
    ASSERT_TRUE(CreateFolderTree(path, false) == 0);
    ASSERT_TRUE(StampVersion(ParentPath(ModulePath()) + L"\\fixture.exe", path, stamp)) << "error " << GetLastError();
}

TEST(RegistrySearches, KeysAndValues)
{
    ScratchKey key;
    key.AddSubkey(L"Versions\\2.0.50727");
    key.AddSubkey(L"Versions\\4.0.30319", L"Install", L"1");
    key.SetText(L"Version", L"3.5.30729.01");
    key.SetDword(L"Count", 12);
    const std::wstring k = key.rooted();

    const struct {
        PrereqSearch search;
        bool verdict;
        const wchar_t* found;
    } cases[] = {
        {Search(SearchRegSubkeys, k + L"\\Versions"), true, L"<2.0.50727><4.0.30319>"},
        {Search(SearchRegSubkeys, k + L"\\Versions", L"4.0"), true, L"<2.0.50727><4.0.30319>"},
        {Search(SearchRegSubkeys, k + L"\\Versions", L"4.5"), false, L"<2.0.50727><4.0.30319>"},
        {Search(SearchRegSubkeys, k + L"\\Missing"), false, L""},
        {Search(SearchRegValue, k + L"\\Version", L"3.5", L"3.5.65535"), true, L"<3.5.30729.01>"},
        {Search(SearchRegValue, k + L"\\Version", L"4.0"), false, L"<3.5.30729.01>"},
        {Search(SearchRegValue, k + L"\\Count", L"1.0"), false, L"<\x0C>"},  // a number yields no digits
        {Search(SearchRegValue, k + L"\\Absent"), false, L""},
        {Search(SearchRegValue, L"NoBackslash"), false, L""},
    };
    for (const auto& c : cases) {
        SearchResult result;
        EXPECT_EQ(EvaluateSearch(c.search, false, result), c.verdict) << c.search.type << " " << ::testing::PrintToString(c.search.searchString);
        EXPECT_EQ(Found(result), c.found) << c.search.type << " " << ::testing::PrintToString(c.search.searchString);
    }
}

TEST(RegistrySearches, ExistenceAndAbsence)
{
    ScratchKey key;
    key.AddSubkey(L"Sub", L"Name", L"x");
    key.AddSubkey(L"Sub", L"", L"default");
    const std::wstring k = key.rooted();
    const struct {
        int32_t type;
        std::wstring path;
        bool matched;
    } cases[] = {
        {SearchRegKeyExists, k + L"\\Sub", true},       {SearchRegKeyExists, k + L"\\None", false},
        {SearchRegKeyAbsent, k + L"\\Sub", false},      {SearchRegKeyAbsent, k + L"\\None", true},
        {SearchRegValueExists, k + L"\\Sub\\Name", true}, {SearchRegValueExists, k + L"\\Sub\\Other", false},
        {SearchRegValueExists, k + L"\\Sub\\", true},   // the empty name is the default value
        {SearchRegValueAbsent, k + L"\\Sub\\Name", false}, {SearchRegValueAbsent, k + L"\\None\\Name", true},
        {SearchRegValueExists, L"Name", false},         {SearchRegValueAbsent, L"Name", true},
        // Root names are case-sensitive: "hkcu" is read below HKEY_USERS, where the key is not.
        {SearchRegKeyExists, L"hkcu" + k.substr(4) + L"\\Sub", false},
    };
    for (const auto& c : cases) {
        SearchResult result;
        EXPECT_EQ(EvaluateSearch(Search(c.type, c.path), false, result), c.matched) << c.type << " " << ::testing::PrintToString(c.path);
        EXPECT_EQ(result.matched, c.matched) << c.type << " " << ::testing::PrintToString(c.path);
    }
}

TEST(RegistrySearches, CompareWithEveryOperator)
{
    ScratchKey key;
    key.SetText(L"Edition", L"Professional x64");
    key.SetDword(L"Release", 12);
    const std::wstring k = key.rooted();
    const struct {
        const wchar_t* value;
        const wchar_t* ref;
        bool matched;
    } cases[] = {
        {L"Edition", L"Cssional", true},  {L"Edition", L"Dx64", true},    {L"Edition", L"Ex64", true},
        {L"Edition", L"MProfessional x64", true}, {L"Edition", L"SPro", true}, {L"Edition", L"Xx86", true},
        {L"Edition", L"Ex86", false},     {L"Edition", L"G1", false},     {L"Release", L"G10", true},
        {L"Release", L"Gabc", false},     {L"Release", L"L13", true},     {L"Release", L"M12", true},
        {L"Release", L"S", true},         {L"Release", L"", false},       {L"Release", L"Q12", false},
        {L"Missing", L"S", false},
    };
    for (const auto& c : cases) {
        SearchResult result;
        bool matched = EvaluateSearch(Search(SearchRegValueCompare, k + L"\\" + c.value, L"", L"", c.ref), false, result);
        EXPECT_EQ(matched, c.matched) << ::testing::PrintToString(std::wstring(c.value)) << " " << ::testing::PrintToString(std::wstring(c.ref));
    }
    SearchResult result;
    EvaluateSearch(Search(SearchRegValueCompare, k + L"\\Release", L"", L"", L"S"), false, result);
    EXPECT_EQ(result.value, L"12");
}

// A key written only in the 64-bit view is seen by every registry search with want64 and by
// none without it (the 32-bit process reads the Wow6432Node view by default).
TEST(RegistrySearches, SixtyFourBitView)
{
    ScratchKey key(HKEY_LOCAL_MACHINE, L"Software", KEY_WOW64_64KEY);
    key.SetText(L"Version", L"2.0");
    key.AddSubkey(L"3.5");
    const std::wstring k = key.rooted();
    const struct {
        PrereqSearch search;
        bool with64;
        bool without64;
    } cases[] = {
        {Search(SearchRegSubkeys, k, L"3.0"), true, false},
        {Search(SearchRegValue, k + L"\\Version", L"1.0"), true, false},
        {Search(SearchRegKeyExists, k), true, false},
        {Search(SearchRegKeyAbsent, k), false, true},
        {Search(SearchRegValueExists, k + L"\\Version"), true, false},
        {Search(SearchRegValueAbsent, k + L"\\Version"), false, true},
        {Search(SearchRegValueCompare, k + L"\\Version", L"", L"", L"M2.0"), true, false},
    };
    for (const auto& c : cases) {
        SearchResult with64, without64;
        EXPECT_EQ(EvaluateSearch(c.search, true, with64), c.with64) << "type " << c.search.type;
        EXPECT_EQ(EvaluateSearch(c.search, false, without64), c.without64) << "type " << c.search.type;
    }
}

TEST(OtherSearches, FixedVerdicts)
{
    const struct {
        int32_t type;
        bool verdict;
    } cases[] = {{SearchRunProgram, false}, {12, true}, {-1, true}, {1000, true}};
    for (const auto& c : cases) {
        PrereqSearch search = Search(c.type, L"HKCU\\Nothing\\Here");
        search.searchCmdLine = L"cmd /c exit 0";
        search.refContent = L"M";
        SearchResult result;
        EXPECT_EQ(EvaluateSearch(search, false, result), c.verdict) << c.type;
    }
}

TEST(InstallerSearches, UnknownProductsAndComponents)
{
    const wchar_t* unknown = L"{3F2504E0-4F89-11D3-9A0C-0305E82C3301}";
    SearchResult product, upgrade, component;
    EXPECT_FALSE(EvaluateSearch(Search(SearchMsiProduct, unknown), false, product));
    EXPECT_FALSE(EvaluateSearch(Search(SearchMsiUpgradeCode, unknown), false, upgrade));
    EXPECT_FALSE(EvaluateSearch(Search(SearchMsiComponent, unknown), false, component));
    EXPECT_EQ(Found(product), L"");
    EXPECT_EQ(Found(upgrade), L"");
    SearchResult malformed;
    EXPECT_FALSE(EvaluateSearch(Search(SearchMsiProduct, L"not a guid"), false, malformed));
}

TEST(FileSearch, TokensDepthAndBounds)
{
    ScratchFolder folder;
    MakeVersioned(folder / L"App\\tool.exe", 2, 5);
    MakeVersioned(folder / L"App\\Sub\\tool.exe", 3, 1);
    WriteBytes(folder / L"App\\plain.dat", "no version");
    std::wstring name = folder.path().substr(folder.path().rfind(L'\\') + 1);
    std::wstring base = L"[TempFolder]" + name + L"\\App\\";

    const struct {
        std::wstring search;
        const wchar_t* verMin;
        const wchar_t* verMax;
        bool verdict;
        const wchar_t* found;
    } cases[] = {
        {base + L"tool.exe?1", L"3.0", L"", true, L"<2.5><3.1>"},   // passes 2.5, finds 3.1 below
        {base + L"tool.exe", L"3.0", L"", false, L"<2.5>"},         // depth 0: the folder only
        {base + L"tool.exe?1", L"", L"", true, L"<2.5>"},           // no bounds: the first file ends the walk
        {base + L"tool.exe?1", L"2.0", L"2.9", true, L"<2.5>"},
        {base + L"tool.exe?1", L"4.0", L"", false, L"<2.5><3.1>"},
        {base + L"plain.dat", L"", L"", true, L"<0.0.0.0>"},        // no version resource reads as 0.0.0.0
        {base + L"plain.dat", L"1.0", L"", false, L"<0.0.0.0>"},
        {base + L"missing.exe?3", L"", L"", false, L""},
        {L"%TEMP%\\" + name + L"\\App\\tool.exe", L"2.5", L"2.5", true, L"<2.5>"},
    };
    for (const auto& c : cases) {
        SearchResult result;
        EXPECT_EQ(EvaluateSearch(Search(SearchFile, c.search, c.verMin, c.verMax), false, result), c.verdict)
            << ::testing::PrintToString(c.search) << " " << c.verMin;
        EXPECT_EQ(Found(result), c.found) << ::testing::PrintToString(c.search) << " " << c.verMin;
    }
}

// A bare name is looked for at the root of every fixed drive, and with a depth below it.
TEST(FileSearch, FixedDriveRoots)
{
    std::wstring unique = L"chainer-root-" + std::to_wstring(GetCurrentProcessId());
    std::wstring folder = L"C:\\" + unique;
    MakeVersioned(folder + L"\\deep\\" + unique + L".exe", 7, 1);
    SearchResult atRoot, twoDown;
    EXPECT_FALSE(EvaluateSearch(Search(SearchFile, unique + L".exe"), false, atRoot));
    EXPECT_TRUE(EvaluateSearch(Search(SearchFile, unique + L".exe?2", L"7.0"), false, twoDown));
    EXPECT_EQ(Found(twoDown), L"<7.1>");
    RemoveTree(folder);
}

// The 32-bit process sees syswow64 as System32; with "x" the real System32 is searched.
TEST(FileSearch, RedirectionOffForSixtyFourBitLocations)
{
    std::wstring name = L"chainer-x64-" + std::to_wstring(GetCurrentProcessId()) + L".dll";
    wchar_t windows[MAX_PATH];
    GetWindowsDirectoryW(windows, MAX_PATH);
    std::wstring real = std::wstring(windows) + L"\\System32\\" + name;
    {
        RedirectionGuard off;  // write into the real System32
        off.Disable();
        MakeVersioned(real, 5, 2);
    }
    SearchResult redirected, direct;
    EXPECT_FALSE(EvaluateSearch(Search(SearchFile, L"[WindowsFolder]System32\\" + name), false, redirected));
    EXPECT_TRUE(EvaluateSearch(Search(SearchFile, L"[WindowsFolder]System32\\" + name, L"5.0"), true, direct));
    EXPECT_EQ(Found(direct), L"<5.2>");
    // Redirection is back on for this thread afterwards.
    EXPECT_FALSE(FileExists(real));
    RedirectionGuard off;
    off.Disable();
    DeleteFileW(real.c_str());
}

TEST(EvaluateSearches, OperatorsShortCircuitAndResults)
{
    ScratchKey key;
    key.SetText(L"Present", L"1.0");
    Prerequisite prerequisite;
    prerequisite.searches = {Search(SearchRegValueExists, key.rooted() + L"\\Absent"),
                             Search(SearchRegValueExists, key.rooted() + L"\\Present")};
    prerequisite.searchResults.resize(5);  // stale results are replaced

    prerequisite.searchOperator = 0;
    EXPECT_FALSE(EvaluateSearches(prerequisite, false));
    EXPECT_EQ(prerequisite.searchResults.size(), 1u);  // the second search is not evaluated

    prerequisite.searchOperator = 1;
    EXPECT_TRUE(EvaluateSearches(prerequisite, false));
    EXPECT_EQ(prerequisite.searchResults.size(), 2u);

    std::swap(prerequisite.searches[0], prerequisite.searches[1]);
    EXPECT_TRUE(EvaluateSearches(prerequisite, false));
    EXPECT_EQ(prerequisite.searchResults.size(), 1u);  // the first match is enough

    prerequisite.searchOperator = 7;
    EXPECT_FALSE(EvaluateSearches(prerequisite, false));
    EXPECT_EQ(prerequisite.searchResults.size(), 2u);

    prerequisite.searches.clear();
    prerequisite.searchOperator = 0;
    EXPECT_TRUE(EvaluateSearches(prerequisite, false));
    prerequisite.searchOperator = 1;
    EXPECT_FALSE(EvaluateSearches(prerequisite, false));
}

} // namespace
