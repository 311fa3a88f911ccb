#include "detect/search_rules.h"
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
        FileSearchSpec spec = SplitFileSearch(c.search);
        EXPECT_EQ(spec.namePart, c.name) << ::testing::PrintToString(std::wstring(c.search));
        EXPECT_EQ(spec.tail, c.tail) << ::testing::PrintToString(std::wstring(c.search));
        EXPECT_EQ(SearchesEveryFixedDrive(spec.namePart), c.everyDrive) << ::testing::PrintToString(std::wstring(c.search));
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
