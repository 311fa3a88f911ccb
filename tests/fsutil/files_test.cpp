#include "fsutil/files.h"
#include <gtest/gtest.h>
#include "tests/test_text.h"
#include <functional>
#include <set>
#include "core/handles.h"
#include "fsutil/batch_script.h"
#include "tests/win_support.h"

namespace {

void MakeFolder(const std::wstring& path)
{
    ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr)) << "error " << GetLastError();
}

// Polls for up to the given time; the batch files start through cmd, which takes a few
// seconds under Wine.
bool WaitUntil(const std::function<bool()>& done, DWORD milliseconds = 20000)
{
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > milliseconds)
            return false;
        Sleep(100);
    }
    return true;
}

std::set<std::wstring> BatchFiles()
{
    std::set<std::wstring> names;
    const std::wstring folder = TempFolder();
    WIN32_FIND_DATAW data;
    FindHandle find(FindFirstFileW((folder + L"EXE*.tmp.bat").c_str(), &data));
    if (find) {
        do
            names.insert(folder + data.cFileName);
        while (FindNextFileW(find.get(), &data));
    }
    return names;
}

// Test processes run side by side: the batch file of this test is the new one whose lines
// before its loop name this test's target.
std::wstring NewBatchFor(const std::set<std::wstring>& before, const SelfDeleteEntry& entry)
{
    const std::string script = SelfDeleteScript(entry.isFolder, entry.shortPathAnsi, "");
    const std::string head = script.substr(0, script.find(":try"));
    for (const std::wstring& name : BatchFiles()) {
        if (!before.count(name) && ReadBytes(name).compare(0, head.size(), head) == 0)
            return name;
    }
    return std::wstring();
}

TEST(TempFolder, EndsWithBackslashAndExists)
{
    std::wstring folder = TempFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), L'\\');
    EXPECT_TRUE(IsExistingFolder(folder)) << folder;
}

TEST(UniqueTempName, FreeNameInTheTemporaryFolder)
{
    std::wstring path = L"sentinel";
    ASSERT_TRUE(UniqueTempName(L"EXE", path));
    const std::wstring folder = TempFolder();
    ASSERT_GT(path.size(), folder.size());
    EXPECT_EQ(path.substr(0, folder.size()), folder);
    EXPECT_EQ(path.substr(folder.size(), 3), L"EXE");
    EXPECT_EQ(path.substr(path.size() - 4), L".tmp");
    EXPECT_FALSE(FileExists(path)) << "the reserving file was left behind";
}

// GetTempPathW takes TMP as it stands; a folder that does not exist makes GetTempFileNameW fail.
class MissingTempFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved = Read(L"TMP");
        SetEnvironmentVariableW(L"TMP", (scratch / L"missing").c_str());
        GetCurrentDirectoryW(MAX_PATH, savedCurrent);
        SetCurrentDirectoryW(scratch.path().c_str());
    }
    void TearDown() override
    {
        SetEnvironmentVariableW(L"TMP", saved.empty() ? nullptr : saved.c_str());
        SetCurrentDirectoryW(savedCurrent);
    }
    static std::wstring Read(const wchar_t* name)
    {
        wchar_t value[MAX_PATH] = L"";
        DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH);
        return length < MAX_PATH ? std::wstring(value, length) : std::wstring();
    }

    ScratchFolder scratch;
    std::wstring saved;
    wchar_t savedCurrent[MAX_PATH] = L"";
};

TEST_F(MissingTempFolder, UniqueTempNameFailsAndLeavesThePath)
{
    std::wstring path = L"sentinel";
    EXPECT_FALSE(UniqueTempName(L"EXE", path));
    EXPECT_EQ(path, L"sentinel");
}

TEST_F(MissingTempFolder, SelfDeleteIsSkippedRatherThanWrittenToTheCurrentFolder)
{
    const std::wstring target = scratch / L"target.txt";
    WriteBytes(target, "x");
    SelfDeleteEntry entry;
    ShortPathEntry(target, entry);
    ASSERT_FALSE(entry.shortPathAnsi.empty());
    LaunchSelfDelete(entry);
    EXPECT_FALSE(FileExists(scratch / L".bat"));
    Sleep(3000);  // long enough for a started batch to have deleted the target
    EXPECT_TRUE(FileExists(target));
}

TEST(ExistsAbsolute, FilesAndFoldersByAbsolutePathOnly)
{
    ScratchFolder scratch;
    const std::wstring file = scratch / L"file.txt";
    WriteBytes(file, "x");

    EXPECT_TRUE(ExistsAbsolute(file));
    EXPECT_TRUE(ExistsAbsolute(scratch.path()));
    EXPECT_FALSE(ExistsAbsolute(scratch / L"missing.txt"));
    EXPECT_FALSE(ExistsAbsolute(L""));

    wchar_t saved[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, saved);
    ASSERT_TRUE(SetCurrentDirectoryW(scratch.path().c_str()));
    EXPECT_FALSE(ExistsAbsolute(L"file.txt")) << "a relative name was taken";
    EXPECT_TRUE(FileExists(L"file.txt"));
    ASSERT_EQ(file[1], L':');
    EXPECT_TRUE(ExistsAbsolute(file.substr(2))) << "a path rooted on the current drive was refused";
    SetCurrentDirectoryW(saved);
}

TEST(CountFolderEntries, Table)
{
    ScratchFolder scratch;
    MakeFolder(scratch / L"one");
    WriteBytes(scratch / L"one\\f.txt", "x");
    MakeFolder(scratch / L"two");
    WriteBytes(scratch / L"two\\f.txt", "x");
    MakeFolder(scratch / L"two\\sub");
    MakeFolder(scratch / L"empty");

    EXPECT_EQ(CountFolderEntries(scratch / L"one"), 1u);
    EXPECT_EQ(CountFolderEntries(scratch / L"two"), 2u);
    EXPECT_EQ(CountFolderEntries(scratch / L"empty"), 0u);
    EXPECT_EQ(CountFolderEntries(scratch / L"missing"), 0u);
    EXPECT_EQ(CountFolderEntries(scratch / L"one\\f.txt"), 0u);
    EXPECT_EQ(CountFolderEntries(L""), 0u) << "an empty path counted the drive's root";

    EXPECT_TRUE(IsExistingFolder(scratch / L"empty"));
    EXPECT_FALSE(IsExistingFolder(scratch / L"one\\f.txt"));
    EXPECT_FALSE(IsExistingFolder(scratch / L"missing"));
    EXPECT_FALSE(IsExistingFolder(L""));
}

TEST(FixedDrives, DriveCInOrder)
{
    std::vector<std::wstring> drives = FixedDrives();
    bool hasC = false;
    for (size_t i = 0; i < drives.size(); ++i) {
        SCOPED_TRACE(::testing::PrintToString(drives[i]));
        ASSERT_EQ(drives[i].size(), 3u);
        EXPECT_EQ(drives[i].substr(1), L":\\");
        if (i > 0) {
            EXPECT_LT(drives[i - 1], drives[i]);
        }
        hasC = hasC || drives[i] == L"C:\\";
    }
    EXPECT_TRUE(hasC) << ::testing::PrintToString(JoinPieces(drives));
}

TEST(CreateFolderTree, ExistingPathCreatesNothing)
{
    ScratchFolder scratch;
    WriteBytes(scratch / L"f.txt", "x");
    std::vector<std::wstring> created;
    EXPECT_EQ(CreateFolderTree(scratch.path(), true, &created), 0u);
    EXPECT_EQ(CreateFolderTree(scratch / L"f.txt", true, &created), 0u);
    EXPECT_TRUE(created.empty()) << ::testing::PrintToString(JoinPieces(created));
    EXPECT_FALSE(IsExistingFolder(scratch / L"f.txt"));
    EXPECT_EQ(CreateFolderTree(L"", true, &created), 0u);
    EXPECT_TRUE(created.empty());
}

TEST(CreateFolderTree, CreatesTheMissingFolders)
{
    ScratchFolder scratch;
    std::vector<std::wstring> created;
    EXPECT_EQ(CreateFolderTree(scratch / L"a\\b\\f.txt", false, &created), 0u);
    EXPECT_EQ(JoinPieces(created), JoinPieces({scratch / L"a", scratch / L"a\\b"}));
    EXPECT_TRUE(IsExistingFolder(scratch / L"a\\b"));
    EXPECT_FALSE(FileExists(scratch / L"a\\b\\f.txt")) << "the file name became a folder";

    // Present folders are passed over and not listed; the last component is a folder here.
    created.clear();
    EXPECT_EQ(CreateFolderTree(scratch / L"a\\b\\c\\d", true, &created), 0u);
    EXPECT_EQ(JoinPieces(created), JoinPieces({scratch / L"a\\b\\c", scratch / L"a\\b\\c\\d"}));
    EXPECT_TRUE(IsExistingFolder(scratch / L"a\\b\\c\\d"));

    EXPECT_EQ(CreateFolderTree(scratch / L"e\\f", true), 0u);  // without a list
    EXPECT_TRUE(IsExistingFolder(scratch / L"e\\f"));
}

TEST(CreateFolderTree, ErrorRemovesOnlyTheFolderCreatedLast)
{
    ScratchFolder scratch;
    std::vector<std::wstring> created;
    DWORD error = CreateFolderTree(scratch / L"n1\\n2\\bad*name", true, &created);
    EXPECT_NE(error, 0u);
    EXPECT_NE(error, static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_TRUE(IsExistingFolder(scratch / L"n1"));
    EXPECT_FALSE(FileExists(scratch / L"n1\\n2"));
    EXPECT_EQ(JoinPieces(created), JoinPieces({scratch / L"n1"}));
}

TEST(CreateFolderTree, ErrorKeepsFoldersThatExistedBefore)
{
    ScratchFolder scratch;
    MakeFolder(scratch / L"kept");
    std::vector<std::wstring> created;
    EXPECT_NE(CreateFolderTree(scratch / L"kept\\bad*name", true, &created), 0u);
    EXPECT_TRUE(IsExistingFolder(scratch / L"kept")) << "an empty folder that was there before was removed";
    EXPECT_TRUE(created.empty());

    // A file where a folder should be: the error of the folder below it comes back.
    WriteBytes(scratch / L"file", "x");
    EXPECT_EQ(CreateFolderTree(scratch / L"file\\sub\\x.txt", false, &created), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_FALSE(IsExistingFolder(scratch / L"file"));
    EXPECT_TRUE(FileExists(scratch / L"file"));
}

TEST(RemoveEmptyParents, StopsBeforeTheRoot)
{
    const wchar_t* roots[] = {L"T\\", L"T"};
    for (const wchar_t* root : roots) {
        SCOPED_TRACE(::testing::PrintToString(std::wstring(root)));
        ScratchFolder scratch;
        ASSERT_EQ(CreateFolderTree(scratch / L"T\\x\\y", true), 0u);
        RemoveEmptyParents(scratch / L"T\\x\\y", scratch / root);
        EXPECT_FALSE(FileExists(scratch / L"T\\x"));
        EXPECT_TRUE(IsExistingFolder(scratch / L"T"));
    }
}

TEST(RemoveEmptyParents, FolderThatHoldsSomethingStays)
{
    ScratchFolder scratch;
    ASSERT_EQ(CreateFolderTree(scratch / L"T\\x\\y\\z", true), 0u);
    WriteBytes(scratch / L"T\\x\\keep.txt", "x");
    RemoveEmptyParents(scratch / L"T\\x\\y\\z", scratch / L"T");
    EXPECT_FALSE(FileExists(scratch / L"T\\x\\y"));
    EXPECT_TRUE(FileExists(scratch / L"T\\x\\keep.txt"));
}

TEST(RemoveEmptyParents, EmptyRootOrOnlyTheLengthOfTheRoot)
{
    ScratchFolder scratch;
    ASSERT_EQ(CreateFolderTree(scratch / L"T\\x", true), 0u);
    RemoveEmptyParents(scratch / L"T\\x", L"");
    EXPECT_TRUE(IsExistingFolder(scratch / L"T\\x"));

    // The walk compares lengths only: a root of T's length but another name stops at T too.
    RemoveEmptyParents(scratch / L"T\\x", scratch / L"U");
    EXPECT_FALSE(FileExists(scratch / L"T\\x"));
    EXPECT_TRUE(IsExistingFolder(scratch / L"T"));
}

TEST(ShortPathEntry, ExistingAndMissingPaths)
{
    ScratchFolder scratch;
    const std::wstring file = scratch / L"a rather long file name.txt";
    WriteBytes(file, "x");

    SelfDeleteEntry entry;
    entry.isFolder = true;
    ShortPathEntry(file, entry);
    EXPECT_EQ(entry.path, file);
    EXPECT_TRUE(entry.isFolder) << "the folder flag is the caller's";
    ASSERT_FALSE(entry.shortPathAnsi.empty());
    EXPECT_EQ(entry.shortPathAnsi.find(' '), std::string::npos) << entry.shortPathAnsi;
    EXPECT_NE(GetFileAttributesA(entry.shortPathAnsi.c_str()), INVALID_FILE_ATTRIBUTES) << entry.shortPathAnsi;

    const wchar_t* empties[] = {L"missing.txt", L""};
    for (const wchar_t* name : empties) {
        SelfDeleteEntry left;
        left.shortPathAnsi = "sentinel";
        left.path = L"sentinel";
        ShortPathEntry(*name ? scratch / name : std::wstring(), left);
        EXPECT_EQ(left.shortPathAnsi, "") << ::testing::PrintToString(std::wstring(name));
        EXPECT_EQ(left.path, L"") << ::testing::PrintToString(std::wstring(name));
    }
}

// The batch file is checked as written while its target still holds it in its loop, then the
// target is let go and the batch must remove it and itself.
TEST(LaunchSelfDelete, FileWaitsUntilItCanBeDeleted)
{
    ScratchFolder scratch;
    const std::wstring target = scratch / L"held file.exe";
    WriteBytes(target, "x");
    SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY);
    SelfDeleteEntry entry;
    ShortPathEntry(target, entry);
    ASSERT_FALSE(entry.shortPathAnsi.empty());

    std::set<std::wstring> before = BatchFiles();
    std::wstring batch;
    {
        // Held open without sharing deletion, as a running executable is.
        FileHandle held(CreateFileW(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        LaunchSelfDelete(entry);
        batch = NewBatchFor(before, entry);
        ASSERT_FALSE(batch.empty()) << "no batch file was written";
        EXPECT_EQ(ReadBytes(batch), SelfDeleteScript(false, entry.shortPathAnsi, AnsiText(batch)));
        Sleep(2000);
        EXPECT_TRUE(FileExists(target)) << "deleted while held open";
    }
    EXPECT_TRUE(WaitUntil([&] { return !FileExists(target) && !FileExists(batch); }))
        << "target left: " << FileExists(target) << ", batch left: " << FileExists(batch);
}

TEST(LaunchSelfDelete, FolderWaitsUntilItIsEmpty)
{
    ScratchFolder scratch;
    const std::wstring folder = scratch / L"100%x%y";  // cmd must not expand %x%
    MakeFolder(folder);
    WriteBytes(folder + L"\\left.txt", "x");
    SelfDeleteEntry entry;
    entry.isFolder = true;
    ShortPathEntry(folder, entry);
    ASSERT_FALSE(entry.shortPathAnsi.empty());

    std::set<std::wstring> before = BatchFiles();
    LaunchSelfDelete(entry);
    std::wstring batch = NewBatchFor(before, entry);
    ASSERT_FALSE(batch.empty()) << "no batch file was written";
    EXPECT_EQ(ReadBytes(batch), SelfDeleteScript(true, entry.shortPathAnsi, AnsiText(batch)));
    Sleep(2000);
    EXPECT_TRUE(IsExistingFolder(folder)) << "a folder that is not empty went";

    DeleteFileW((folder + L"\\left.txt").c_str());
    EXPECT_TRUE(WaitUntil([&] { return !FileExists(folder) && !FileExists(batch); }))
        << "folder left: " << FileExists(folder) << ", batch left: " << FileExists(batch);
}

} // namespace
