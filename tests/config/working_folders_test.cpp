#include "config/working_folders.h"
#include <gtest/gtest.h>
#include "fsutil/files.h"

namespace {

TEST(WorkingFolders, CompletedOnceAndKept)
{
    ChainerConfig config;
    config.options.defaultProductCode = L"{Demo}";
    config.options.extractionFolder = L"[TempFolder]pkg";
    config.options.downloadFolder = L"";

    EXPECT_EQ(ExtractionFolder(config), TempFolder() + L"pkg\\");
    EXPECT_EQ(config.options.extractionFolder, TempFolder() + L"pkg\\");  // the option holds the completion
    EXPECT_EQ(DownloadFolder(config), TempFolder() + L"{Demo}\\");

    // Later changes are not completed again: once per process.
    config.options.extractionFolder = L"[TempFolder]other";
    EXPECT_EQ(ExtractionFolder(config), L"[TempFolder]other");
}

} // namespace
