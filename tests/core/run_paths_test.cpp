#include "core/run_paths.h"
#include <gtest/gtest.h>

namespace {

TEST(IniPathForModule, BaseNameBesideTheExecutable)
{
    const struct {
        const wchar_t* module;
        const wchar_t* ini;
    } cases[] = {
        {L"C:\\T\\setup.exe", L"C:\\T\\setup.ini"},
        {L"C:\\T\\a.b.exe", L"C:\\T\\a.b.ini"},
        {L"C:\\T\\setup", L"C:\\T\\setup.ini"},
        {L"C:\\setup.exe", L"C:\\setup.ini"},
        {L"C:\\dir.x\\setup", L"C:\\dir.x\\setup.ini"},  // only the file name is cut at a dot
        {L"\\\\srv\\share\\Setup.EXE", L"\\\\srv\\share\\Setup.ini"},
        {L"\\\\?\\C:\\long\\setup.exe", L"\\\\?\\C:\\long\\setup.ini"},
        {L"setup.exe", L"\\.ini"},  // no folder: no base name either
    };
    for (const auto& c : cases)
        EXPECT_EQ(IniPathForModule(c.module), c.ini) << ::testing::PrintToString(std::wstring(c.module));
}

TEST(PathBesideModule, AnyExtensionUnderTheBaseName)
{
    EXPECT_EQ(PathBesideModule(L"C:\\T\\setup.exe", L".log"), L"C:\\T\\setup.log");
    // A dot in a folder name is not an extension: the log stays beside the executable.
    EXPECT_EQ(PathBesideModule(L"C:\\dir.d\\setup", L".log"), L"C:\\dir.d\\setup.log");
}

} // namespace
