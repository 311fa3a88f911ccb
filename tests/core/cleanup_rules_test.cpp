#include "core/cleanup_rules.h"
#include <gtest/gtest.h>
#include "tests/test_text.h"

namespace {

TEST(CleanupFileCandidates, Table)
{
    const struct {
        const wchar_t* files;
        const wchar_t* root;
        const wchar_t* candidates;
    } cases[] = {
        {L"C:\\T\\a.txt\x0001" L"C:\\T\\b.txt", L"C:\\T", L"<C:\\T\\a.txt><C:\\T\\b.txt>"},
        // Runs of separators and separators at either end give no empty name.
        {L"\x0001\x0001" L"C:\\T\\a\x0001\x0001\x0001" L"C:\\T\\b\x0001", L"C:\\T", L"<C:\\T\\a><C:\\T\\b>"},
        {L"\x0001", L"", L""},
        {L"", L"", L""},
        // Relative names are never candidates, not even with an empty root.
        {L"a.txt\x0001sub\\b.txt\x0001" L"C:\\c.txt", L"", L"<C:\\c.txt>"},
        // A leading backslash or a colon anywhere counts as absolute.
        {L"\\T\\a\x0001\\\\srv\\s\\b\x0001x:y", L"", L"<\\T\\a><\\\\srv\\s\\b><x:y>"},
        // Outside the root; the root test is case-sensitive and on the text alone.
        {L"C:\\U\\a\x0001" L"c:\\t\\b\x0001" L"C:\\T\\c\x0001" L"C:\\Tools\\d", L"C:\\T",
         L"<C:\\T\\c><C:\\Tools\\d>"},
        {L"C:\\T", L"C:\\T\\", L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(JoinPieces(CleanupFileCandidates(c.files, c.root)), c.candidates)
            << ::testing::PrintToString(std::wstring(c.files)) << " root " << ::testing::PrintToString(std::wstring(c.root));
}

TEST(SelfDeleteFolders, Table)
{
    const struct {
        const wchar_t* module;
        const wchar_t* root;
        const wchar_t* folders;
    } cases[] = {
        {L"C:\\T\\X\\Y\\setup.exe", L"C:\\T", L"<C:\\T\\X\\Y><C:\\T\\X>"},
        {L"C:\\T\\X\\Y\\setup.exe", L"C:\\T\\", L"<C:\\T\\X\\Y><C:\\T\\X>"},
        {L"C:\\T\\setup.exe", L"C:\\T", L""},
        {L"C:\\A\\setup.exe", L"C:\\", L"<C:\\A>"},
        // No root: no folder at all, rather than every folder up to the drive.
        {L"C:\\T\\X\\setup.exe", L"", L""},
        // Not below the root, although the root's text begins the path.
        {L"C:\\Tools\\X\\setup.exe", L"C:\\T", L""},
        {L"C:\\T\\X\\setup.exe", L"c:\\t", L""},
        {L"C:\\U\\X\\setup.exe", L"C:\\T", L""},
        {L"C:\\T", L"C:\\T", L""},
        {L"\\\\srv\\share\\T\\X\\setup.exe", L"\\\\srv\\share\\T", L"<\\\\srv\\share\\T\\X>"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(JoinPieces(SelfDeleteFolders(c.module, c.root)), c.folders)
            << ::testing::PrintToString(std::wstring(c.module)) << " root " << ::testing::PrintToString(std::wstring(c.root));
}

// Each row is one chain: the executable, then its folders upwards.
TEST(SelfDeleteChain, Table)
{
    struct Fact {
        bool shortPath;
        bool isFolder;
        unsigned entries;
    };
    const struct {
        const char* name;
        std::vector<Fact> chain;
        const char* admitted;
    } cases[] = {
        {"everything empties", {{true, false, 0}, {true, true, 1}, {true, true, 1}}, "111"},
        {"a folder holds another file", {{true, false, 0}, {true, true, 2}, {true, true, 1}}, "100"},
        {"the top folder holds another file", {{true, false, 0}, {true, true, 1}, {true, true, 2}}, "110"},
        {"executable without short path", {{false, false, 0}, {true, true, 1}}, "00"},
        {"folder without short path", {{true, false, 0}, {false, true, 1}, {true, true, 1}}, "100"},
        {"a folder that is already empty", {{true, false, 0}, {true, true, 0}}, "11"},
        // A path that is no folder (gone, or a file) counts as holding nothing.
        {"missing folder", {{true, false, 0}, {true, false, 0}}, "11"},
        {"executable alone", {{true, false, 0}}, "1"},
    };
    for (const auto& c : cases) {
        SelfDeleteChain chain;
        std::string admitted;
        for (const Fact& fact : c.chain)
            admitted += chain.Admit(fact.shortPath, fact.isFolder, fact.entries) ? '1' : '0';
        EXPECT_EQ(admitted, c.admitted) << c.name;
    }
}

} // namespace
