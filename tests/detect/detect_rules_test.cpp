#include "detect/detect_rules.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Evaluates the verdicts in order and records which searches were asked.
struct Outcome {
    bool result;
    std::string asked;
};

Outcome Combine(int32_t op, std::vector<bool> verdicts)
{
    Outcome run{false, ""};
    run.result = CombineSearches(op, verdicts.size(), [&](size_t i) {
        run.asked += std::to_string(i);
        return static_cast<bool>(verdicts[i]);
    });
    return run;
}

TEST(CombineSearches, OperatorsAndShortCircuits)
{
    const struct {
        int32_t op;
        std::vector<bool> verdicts;
        bool result;
        const char* asked;
    } cases[] = {
        {0, {}, true, ""},
        {0, {true, true}, true, "01"},
        {0, {false, true}, false, "0"},  // the second is never evaluated
        {0, {true, false, true}, false, "01"},
        {1, {}, false, ""},
        {1, {true, false}, true, "0"},
        {1, {false, false}, false, "01"},
        {1, {false, true, true}, true, "01"},
        {2, {true, true}, false, "01"},  // every search evaluated, never true
        {-1, {}, false, ""},
    };
    for (const auto& c : cases) {
        Outcome run = Combine(c.op, c.verdicts);
        EXPECT_EQ(run.result, c.result) << "operator " << c.op << " asked " << c.asked;
        EXPECT_EQ(run.asked, c.asked) << "operator " << c.op;
    }
}

TEST(CompareWithReference, Table)
{
    const struct {
        const wchar_t* value;
        const wchar_t* ref;
        bool result;
    } cases[] = {
        {L"Version 4.5 Full", L"C4.5", true},     {L"Version 4.5", L"Cfull", false},
        {L"abc", L"Dabd", true},                  {L"abc", L"Dabc", false},
        {L"setup.exe", L"E.exe", true},           {L"exe", L"Esetup.exe", false},
        {L"x.EXE", L"E.exe", false},              {L"12", L"G10", true},
        {L"12", L"G12", false},                   {L"12", L"Gabc", false},
        {L"1a", L"G0", false},                    {L"", L"G0", false},
        {L"5", L"G", true},                       {L"9", L"L10", true},
        {L"10", L"L10", false},                   {L"", L"L1", true},   // the empty text counts as digits
        {L"same", L"Msame", true},                {L"Same", L"Msame", false},
        {L"", L"M", true},                        {L"prefix-rest", L"Sprefix", true},
        {L"a-prefix", L"Sprefix", false},         {L"anything", L"S", true},
        {L"abc", L"Xd", true},                    {L"abc", L"Xb", false},
        {L"abc", L"Zabc", false},                 {L"abc", L"", false},
        {L"abc", L"cabc", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CompareWithReference(c.value, c.ref), c.result)
            << ::testing::PrintToString(std::wstring(c.value)) << " " << ::testing::PrintToString(std::wstring(c.ref));
}

TEST(FileSearchStrings, NamePartTailAndDepth)
{
    const struct {
        const wchar_t* search;
        const wchar_t* name;
        const wchar_t* tail;
        bool everyDrive;
    } cases[] = {
        {L"setup.dll", L"setup.dll", L"", true},
        {L"setup.dll?2", L"setup.dll", L"?2", true},
        {L"[SystemFolder]msi.dll", L"[SystemFolder]msi.dll", L"", false},
        {L"[ProgramFilesFolder]App\\tool.exe?1", L"[ProgramFilesFolder]App\\tool.exe", L"?1", false},
        {L"%WINDIR%\\x.dll", L"%WINDIR%\\x.dll", L"", false},
        {L"!HKLM\\K\\V!x.dll", L"!HKLM\\K\\V!x.dll", L"", false},
        {L"?x.dll", L"?x.dll", L"", true},  // a "?" in front is part of the name
        {L"a?b?c", L"a", L"?b?c", true},
        {L"", L"", L"", true},
    };
    for (const auto& c : cases) {
        FileSearchParts parts = SplitFileSearch(c.search);
        EXPECT_EQ(parts.namePart, c.name) << ::testing::PrintToString(std::wstring(c.search));
        EXPECT_EQ(parts.tail, c.tail) << ::testing::PrintToString(std::wstring(c.search));
        EXPECT_EQ(SearchesEveryFixedDrive(parts.namePart), c.everyDrive) << ::testing::PrintToString(std::wstring(c.search));
    }

    const struct {
        const wchar_t* candidate;
        const wchar_t* path;
        int32_t depth;
    } depths[] = {
        {L"C:\\setup.dll?2", L"C:\\setup.dll", 2},
        {L"C:\\setup.dll", L"C:\\setup.dll", 0},
        {L"C:\\a?x", L"C:\\a", 0},
        {L"C:\\a? 3b", L"C:\\a", 3},
        {L"C:\\a?-1", L"C:\\a", -1},
        {L"?5", L"?5", 0},
    };
    for (const auto& d : depths) {
        FileCandidate candidate = SplitCandidateDepth(d.candidate);
        EXPECT_EQ(candidate.path, d.path) << ::testing::PrintToString(std::wstring(d.candidate));
        EXPECT_EQ(candidate.depth, d.depth) << ::testing::PrintToString(std::wstring(d.candidate));
    }
}

TEST(InternetExplorerMajorFrom, VersionThenIVer)
{
    const std::wstring v6 = L"6.0.2900.2180", v11 = L"11.0", v9 = L"9.11.9600.1", none = L"";
    const std::wstring i100 = L"100", i101 = L"101", i102 = L"102", i103 = L"103", i104 = L"104";
    const struct {
        const std::wstring* version;
        const std::wstring* iver;
        bool ok;
        int32_t major;
    } cases[] = {
        {&v6, nullptr, true, 6},      {&v9, &i100, true, 9},      {&v11, &i102, true, 2},
        {&v11, nullptr, false, 0},    {&v11, &i104, false, 0},    {nullptr, &i100, true, 1},
        {nullptr, &i101, true, 2},    {&none, &i103, true, 3},    {nullptr, nullptr, false, 0},
    };
    for (const auto& c : cases) {
        int32_t major = -5;
        bool ok = InternetExplorerMajorFrom(c.version, c.iver, major);
        std::string what = (c.version ? std::string(c.version->begin(), c.version->end()) : "null") + " / " +
                           (c.iver ? std::string(c.iver->begin(), c.iver->end()) : "null");
        EXPECT_EQ(ok, c.ok) << what;
        EXPECT_EQ(major, c.ok ? c.major : -5) << what << ": left alone on failure";
    }
}

} // namespace

namespace {

TEST(OsExcluded, FamiliesAndDisplayNames)
{
    const wchar_t* nt86 = L"Windows NT/2000/XP/Vista/Windows 7/Windows 8 x86";
    const wchar_t* nt64 = L"Windows XP/Vista/Windows 7/Windows 8 x64";
    const wchar_t* w9x = L"Windows 9x/ME";
    const struct {
        const wchar_t* what;
        OsKind kind;
        const wchar_t* name;
        OsExclusions lists;
        bool excluded;
    } cases[] = {
        {L"listed among others", OsKind::Nt64, L"Windows 7 x64 Service Pack 1",
         {L"", L"", L"Windows Vista x64, Windows 7 x64 Service Pack 1"}, true},
        {L"a name without its service pack", OsKind::Nt64, L"Windows 7 x64 Service Pack 1", {L"", L"", L"Windows 7 x64"}, false},
        {L"the 32-bit whole family", OsKind::Nt32, L"Windows XP x86 Service Pack 3", {L"", nt86, L""}, true},
        {L"the 32-bit family name in the 64-bit list", OsKind::Nt64, L"Windows 8 x64", {L"", L"", nt86}, false},
        {L"the 64-bit whole family", OsKind::Nt64, L"Windows 8 x64", {L"", L"", nt64}, true},
        {L"9x family", OsKind::Win9x, L"Windows 98 SE", {w9x, L"", L""}, true},
        {L"NT lists never touch 9x", OsKind::Win9x, L"Windows 98 SE", {L"", nt86, nt64}, false},
        {L"9x list never touches NT", OsKind::Nt32, L"Windows 2000", {L"Windows 2000", L"", L""}, false},
        {L"unidentified: only the family name", OsKind::Nt32, L"OsNotIdentified", {L"", L"Windows 8 x86", L""}, false},
        {L"unidentified: the item itself", OsKind::Nt32, L"OsNotIdentified", {L"", L"OsNotIdentified", L""}, true},
        {L"comma without blank is one item", OsKind::Nt32, L"Windows 7 x86", {L"", L"Windows XP x86,Windows 7 x86", L""}, false},
        {L"trailing separator", OsKind::Nt32, L"Windows 7 x86", {L"", L"Windows 7 x86, ", L""}, true},
        {L"case-sensitive", OsKind::Nt32, L"Windows 7 x86", {L"", L"windows 7 x86", L""}, false},
        {L"empty lists", OsKind::Nt64, L"Windows 7 x64", {L"", L"", L""}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(OsExcluded(c.kind, c.name, c.lists), c.excluded) << ::testing::PrintToString(std::wstring(c.what));
}

TEST(LanguageAccepted, Table)
{
    const struct {
        const wchar_t* list;
        uint16_t language;
        bool accepted;
    } cases[] = {
        {L"", 1036, true},
        {L"1033;1031;", 1031, true},
        {L"1033;1031;", 1036, false},
        {L"1033;", 1033, true},
        {L"1033", 1033, false},        // not an item without its ";"
        {L"1033;1031", 1031, false},   // after the last ";": not an item
        {L" 1031;", 1031, true},       // read as a decimal number
        {L"66567;", 1031, true},       // 66567 = 0x10407: the low 16 bits count
        {L"1031abc;", 1031, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LanguageAccepted(c.list, c.language), c.accepted)
            << ::testing::PrintToString(std::wstring(c.list)) << " " << c.language;
}

} // namespace
