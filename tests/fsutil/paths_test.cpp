#include "fsutil/paths.h"
#include <gtest/gtest.h>
#include "tests/test_text.h"

namespace {

TEST(SplitString, Pieces)
{
    const struct {
        const wchar_t* text;
        const wchar_t* separator;
        const wchar_t* pieces;
    } cases[] = {
        {L"a;b;;c;", L";", L"<a><b><><c>"},
        {L"", L";", L""},
        {L"abc", L";", L"<abc>"},
        {L";a", L";", L"<><a>"},
        {L";", L";", L"<>"},
        {L"a, b, ", L", ", L"<a><b>"},
        {L"a,,b", L",,", L"<a><b>"},
        {L"x\x01\x01y\x01", L"\x01", L"<x><><y>"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(JoinPieces(SplitString(c.text, c.separator)), c.pieces) << "text " << ::testing::PrintToString(std::wstring(c.text));
}

TEST(SplitPath, Components)
{
    const struct {
        const wchar_t* path;
        const wchar_t* components;
    } cases[] = {
        {L"C:\\a\\b", L"<C:><a><b>"},
        {L"\\\\srv\\share\\x", L"<\\\\srv><share><x>"},
        {L"\\\\?\\C:\\a", L"<\\\\?\\C:><a>"},
        {L"\\a\\b", L"<a><b>"},
        {L"C:\\a\\", L"<C:><a>"},
        {L"C:", L"<C:>"},
        {L"C:\\a\\\\b", L"<C:><a><><b>"},
        {L"rel\\x", L"<rel><x>"},
        {L"", L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(JoinPieces(SplitPath(c.path)), c.components) << ::testing::PrintToString(std::wstring(c.path));
}

TEST(NormalizePath, Table)
{
    const struct {
        const wchar_t* path;
        const wchar_t* normal;
    } cases[] = {
        {L"C:\\Program Files.\\App. \\", L"C:\\Program Files\\App"},
        {L"C:\\Pkg. \\", L"C:\\Pkg"},
        {L"[ProgramFilesFolder]\\App", L"[ProgramFilesFolder]App"},
        {L"[TempFolder]\\a\\b\\", L"[TempFolder]a\\b"},
        {L"C:\\a\\.\\..\\b", L"C:\\a\\b"},
        {L"\\\\srv\\share\\x.", L"\\\\srv\\share\\x"},
        {L"\\\\?\\C:\\a\\", L"\\\\?\\C:\\a"},
        {L"", L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NormalizePath(c.path), c.normal) << ::testing::PrintToString(std::wstring(c.path));
}

TEST(PathPredicates, Table)
{
    const struct {
        const wchar_t* path;
        bool absolute, unc, longPrefix, rooted;
    } cases[] = {
        {L"x", false, false, false, false},
        {L"C:", true, false, false, true},
        {L"\\\\", true, false, false, true},
        {L"\\\\s", true, true, false, true},
        {L"\\x", false, false, false, true},
        {L"\\\\?\\C:\\a", true, false, true, true},
        {L"C:\\a", true, false, false, true},
        {L"ab:", false, false, false, true},
        {L"a\\b", false, false, false, false},
        {L"", false, false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(std::wstring(c.path)));
        EXPECT_EQ(IsAbsolutePath(c.path), c.absolute);
        EXPECT_EQ(IsRootedPath(c.path), c.rooted);
        EXPECT_EQ(IsUncPath(c.path), c.unc);
        EXPECT_EQ(HasLongPathPrefix(c.path), c.longPrefix);
    }
    EXPECT_EQ(StripLongPathPrefix(L"\\\\?\\C:\\a"), L"C:\\a");
    EXPECT_EQ(StripLongPathPrefix(L"C:\\a"), L"C:\\a");
}

TEST(PathEdits, Table)
{
    std::wstring path = L"C:\\a";
    EnsureTrailingBackslash(path);
    EXPECT_EQ(path, L"C:\\a\\");
    EnsureTrailingBackslash(path);
    EXPECT_EQ(path, L"C:\\a\\");
    std::wstring empty;
    EnsureTrailingBackslash(empty);
    EXPECT_EQ(empty, L"");

    EXPECT_EQ(ParentPath(L"C:\\a\\b.txt"), L"C:\\a");
    EXPECT_EQ(ParentPath(L"C:\\"), L"C:");
    EXPECT_EQ(ParentPath(L"name"), L"");

    std::wstring log = L"C:\\dir.d\\setup.exe";
    ReplaceExtension(log, L".log");
    EXPECT_EQ(log, L"C:\\dir.d\\setup.log");
    std::wstring noName = L"C:\\dir.d\\setup";
    ReplaceExtension(noName, L".log");  // the last dot anywhere in the path
    EXPECT_EQ(noName, L"C:\\dir.log");
    std::wstring noDot = L"C:\\dir\\setup";
    ReplaceExtension(noDot, L".log");
    EXPECT_EQ(noDot, L"C:\\dir\\setup");

    std::wstring name = L"a<b>c:d\"e/f\\g|h?i*j.k";
    SanitizeFileName(name);
    EXPECT_EQ(name, L"a_b_c_d_e_f_g_h_i_j.k");
}

} // namespace
