#include "install/package_folder.h"
#include <gtest/gtest.h>
#include "fsutil/files.h"

namespace {

TEST(PackageFolder, ResolveSetupFile)
{
    const struct {
        const wchar_t* extraction;
        const wchar_t* setupFile;
        const wchar_t* path;
    } cases[] = {
        {L"C:\\T\\", L"C:relative.exe", L"C:relative.exe"},            // a colon second: absolute
        {L"C:\\T\\", L"D:\\x\\s.exe", L"D:\\x\\s.exe"},
        {L"C:\\T\\", L"\\\\srv\\share\\s.exe", L"\\\\srv\\share\\s.exe"},
        {L"C:\\T\\", L"\\s.exe", L"C:\\T\\\\s.exe"},                    // one backslash: relative
        {L"C:\\T\\", L"sub\\setup.exe", L"C:\\T\\sub\\setup.exe"},
        {L"C:\\T", L"s.exe", L"C:\\T\\s.exe"},
        {L"C:\\T\\", L"x", L"C:\\T\\x"},
        {L"", L"setup.exe", L"C:\\Pkg\\setup.exe"},                      // no extraction folder: beside the executable
        {L"", L"[SETUPEXEDIR]s.exe", L"C:\\Pkg\\[SETUPEXEDIR]s.exe"},    // not expanded here
    };
    for (const auto& c : cases) {
        PackageFolder folder;
        ASSERT_EQ(folder.Open(L"C:\\Pkg\\setup.exe"), 0u);
        folder.SetExtractionFolder(c.extraction);
        EXPECT_EQ(folder.ResolveSetupFile(c.setupFile), c.path) << ::testing::PrintToString(std::wstring(c.setupFile));
    }
}

TEST(PackageFolder, OpenBindsTheGivenOrTheRunningExecutable)
{
    PackageFolder given;
    EXPECT_EQ(given.Open(L"C:\\Pkg\\setup.exe"), 0u);
    EXPECT_EQ(given.PackagePath(), L"C:\\Pkg\\setup.exe");
    EXPECT_EQ(given.Folder(), L"C:\\Pkg\\");

    PackageFolder running;
    EXPECT_EQ(running.Open(L""), 0u);
    EXPECT_EQ(running.PackagePath(), ModulePath());
    EXPECT_EQ(running.Folder().back(), L'\\');
}

} // namespace
