// The probes against the real system under Wine: a 64-bit prefix reporting Windows 7 SP1,
// in which this 32-bit test program runs under WOW64.
#include "detect/system_probes.h"
#include "detect/software_probes.h"
#include <gtest/gtest.h>
#include <cwchar>
#include <vector>
#include "tests/win_support.h"

namespace {

std::wstring Env(const wchar_t* name)
{
    wchar_t buffer[1024] = {};
    DWORD length = GetEnvironmentVariableW(name, buffer, 1024);
    return length < 1024 ? std::wstring(buffer, length) : std::wstring();
}

bool SamePath(const std::wstring& a, const std::wstring& b)
{
    return _wcsicmp(a.c_str(), b.c_str()) == 0;
}

// A unique name per test process and call: tests run side by side in one Wine session.
std::wstring UniqueName()
{
    static unsigned counter;
    return L"ChainerTest-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
}

// Sets an environment variable of this process for the test's lifetime.
class ScopedEnv {
public:
    ScopedEnv(const wchar_t* name, const wchar_t* value) : name_(name)
    {
        wchar_t buffer[1024];
        DWORD length = GetEnvironmentVariableW(name, buffer, 1024);
        existed_ = length > 0 || GetLastError() != ERROR_ENVVAR_NOT_FOUND;
        old_.assign(buffer, length < 1024 ? length : 0);
        SetEnvironmentVariableW(name, value);
    }
    ~ScopedEnv() { SetEnvironmentVariableW(name_.c_str(), existed_ ? old_.c_str() : nullptr); }

private:
    std::wstring name_;
    std::wstring old_;
    bool existed_ = false;
};

// ---- Operating system ----------------------------------------------------------------------

TEST(OsFacts, WineDefaultIsSevenSp1UnderWow64)
{
    const OsFacts& facts = GetOsFacts();
    EXPECT_EQ(facts.major, 6u);
    EXPECT_EQ(facts.minor, 1u);
    EXPECT_EQ(facts.build, 7601u);
    EXPECT_EQ(facts.servicePackMajor, 1);
    EXPECT_TRUE(facts.isWow64);
    EXPECT_EQ(&GetOsFacts(), &facts);
    EXPECT_EQ(GetOsKind(), OsKind::Nt64);
    EXPECT_EQ(OsDisplayName(), L"Windows 7 x64 Service Pack 1");
}

TEST(IsOsAtLeast, ComparesMajorMinorServicePackBuildInOrder)
{
    const struct {
        DWORD major, minor;
        WORD sp;
        DWORD build;
        bool atLeast;
    } cases[] = {
        {6, 0, 0, 0, true},      // Vista or later
        {6, 1, 0, 0, true},      // 7 or later
        {6, 1, 1, 7601, true},   // exactly the running version
        {6, 1, 1, 7602, false},
        {6, 1, 2, 0, false},     // the service pack weighs more than the build
        {6, 1, 0, 99999, true},
        {6, 2, 0, 0, false},
        {6, 0, 9, 99999, true},  // the minor version weighs more than the service pack
        {5, 2, 3, 9999, true},
        {7, 0, 0, 0, false},
        {0, 0, 0, 0, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsOsAtLeast(c.major, c.minor, c.sp, c.build), c.atLeast)
            << c.major << "." << c.minor << " SP " << c.sp << " build " << c.build;
}

TEST(IsShellVersion5OrLater, WineShellIsNew)
{
    EXPECT_TRUE(IsShellVersion5OrLater());
    EXPECT_TRUE(IsShellVersion5OrLater());
}

TEST(FixedFileVersion, ReadsTheResourceAndLeavesOutputsAloneWithoutOne)
{
    uint32_t ms = 7;
    uint32_t ls = 7;
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    ASSERT_TRUE(FixedFileVersion(self, ms, ls));  // the resource script says 1,0,0,0
    EXPECT_EQ(ms, 0x00010000u);
    EXPECT_EQ(ls, 0u);

    ScratchFolder scratch;
    WriteBytes(scratch / L"plain.dll", "not a module");
    ms = ls = 7;
    EXPECT_FALSE(FixedFileVersion(scratch / L"plain.dll", ms, ls));
    EXPECT_FALSE(FixedFileVersion(scratch / L"missing.dll", ms, ls));
    EXPECT_EQ(ms, 7u);
    EXPECT_EQ(ls, 7u);
}

// ---- Folder names --------------------------------------------------------------------------

TEST(ResolveFolderName, EveryNameGivesItsFolderWithATrailingBackslash)
{
    const std::wstring windows = Env(L"SystemRoot");
    const std::wstring startMenu = Env(L"APPDATA") + L"\\Microsoft\\Windows\\Start Menu\\";
    ASSERT_FALSE(windows.empty());
    // What Wine's environment and shell-folder layout say, independently of the code under test.
    const struct {
        const wchar_t* name;
        std::wstring expected;
    } cases[] = {
        {L"ProgramFiles64Folder", Env(L"ProgramW6432") + L"\\"},
        {L"SystemFolder", windows + L"\\system32\\"},
        {L"WindowsFolder", windows + L"\\"},
        {L"WindowsVolume", Env(L"SystemDrive") + L"\\"},
        {L"TempFolder", Env(L"TEMP") + L"\\"},
        {L"ProgramFilesFolder", Env(L"ProgramFiles") + L"\\"},
        {L"CommonFilesFolder", Env(L"CommonProgramFiles") + L"\\"},
        {L"DesktopFolder", Env(L"USERPROFILE") + L"\\Desktop\\"},
        {L"AllUsersDesktopFolder", Env(L"PUBLIC") + L"\\Desktop\\"},
        {L"AppDataFolder", Env(L"APPDATA") + L"\\"},
        {L"FavoritesFolder", Env(L"USERPROFILE") + L"\\Favorites\\"},
        {L"StartMenuFolder", startMenu},
        {L"ProgramMenuFolder", startMenu + L"Programs\\"},
        {L"StartupFolder", startMenu + L"Programs\\Startup\\"},
        {L"FontsFolder", windows + L"\\Fonts\\"},
        {L"LocalAppDataFolder", Env(L"LOCALAPPDATA") + L"\\"},
        {L"CommonAppDataFolder", Env(L"ProgramData") + L"\\"},
        {L"ProgramFiles", Env(L"ProgramFiles") + L"\\"},
    };
    for (const auto& c : cases) {
        std::wstring path = L"sentinel";
        EXPECT_TRUE(ResolveFolderName(c.name, path)) << ::testing::PrintToString(std::wstring(c.name));
        EXPECT_TRUE(SamePath(path, c.expected)) << ::testing::PrintToString(std::wstring(c.name)) << " gave "
                                                << ::testing::PrintToString(path) << ", expected "
                                                << ::testing::PrintToString(c.expected);
    }
    // The 32-bit and 64-bit program folders really differ here.
    std::wstring programFiles, programFiles64;
    ResolveFolderName(L"ProgramFilesFolder", programFiles);
    ResolveFolderName(L"ProgramFiles64Folder", programFiles64);
    EXPECT_FALSE(SamePath(programFiles, programFiles64));
}

TEST(ResolveFolderName, ProgramFiles64FolderFallsBackToTheShellWithoutProgramW6432)
{
    std::wstring shellFolder;
    ASSERT_TRUE(ResolveFolderName(L"ProgramFilesFolder", shellFolder));
    {
        ScopedEnv unset(L"ProgramW6432", nullptr);
        std::wstring path;
        EXPECT_TRUE(ResolveFolderName(L"ProgramFiles64Folder", path));
        EXPECT_EQ(path, shellFolder);
    }
    {
        ScopedEnv withoutBackslash(L"ProgramW6432", L"D:\\Apps64");
        std::wstring path;
        EXPECT_TRUE(ResolveFolderName(L"ProgramFiles64Folder", path));
        EXPECT_EQ(path, L"D:\\Apps64\\");
    }
    {
        ScopedEnv withBackslash(L"ProgramW6432", L"D:\\Apps64\\");
        std::wstring path;
        EXPECT_TRUE(ResolveFolderName(L"ProgramFiles64Folder", path));
        EXPECT_EQ(path, L"D:\\Apps64\\");
    }
}

TEST(ResolveFolderName, SetupExeDirIsTheRunningProgramsFolder)
{
    std::wstring path;
    ASSERT_TRUE(ResolveFolderName(L"SETUPEXEDIR", path));
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path.back(), L'\\');
    EXPECT_TRUE(FileExists(path + L"unit_tests.exe")) << ::testing::PrintToString(path);
    EXPECT_EQ(path.find(L"unit_tests"), std::wstring::npos);
}

TEST(ResolveFolderName, UnknownNamesAreUnresolvedAndLeaveThePathAlone)
{
    for (const wchar_t* name : {L"NoSuchFolder", L"systemfolder", L"WINDOWSFOLDER", L"setupexedir", L"", L"SystemFolder ",
                                L"[SystemFolder]", L"ProgramFiles64"}) {
        std::wstring path = L"sentinel";
        EXPECT_FALSE(ResolveFolderName(name, path)) << ::testing::PrintToString(std::wstring(name));
        EXPECT_EQ(path, L"sentinel") << ::testing::PrintToString(std::wstring(name));
    }
}

// ---- Placeholders --------------------------------------------------------------------------

TEST(ExpandFolderTokens, FoldersAndEnvironment)
{
    const std::wstring windows = Env(L"SystemRoot") + L"\\";
    std::wstring temp;
    ASSERT_TRUE(ResolveFolderName(L"TempFolder", temp));
    const std::wstring variable = UniqueName();
    ScopedEnv set(variable.c_str(), L"C:\\Tools");
    ScopedEnv empty(L"CHAINER_TEST_EMPTY", L"");

    const struct {
        std::wstring text;
        std::wstring expanded;
    } cases[] = {
        {L"[WindowsFolder]notepad.exe", windows + L"notepad.exe"},
        {L"[TempFolder]a\\[WindowsFolder]", temp + L"a\\" + windows},
        {L"[NoSuchFolder]x", L"[NoSuchFolder]x"},
        {L"[windowsfolder]x", L"[windowsfolder]x"},
        {L"%" + variable + L"%\\bin\\tool.exe", L"C:\\Tools\\bin\\tool.exe"},
        {L"%NOSUCHVAR-" + variable + L"%x", L"x"},
        {L"%CHAINER_TEST_EMPTY%x", L"x"},
        {L"50% done", L"50% done"},
        {L"[WindowsFolder]%" + variable + L"%!HKCU\\NoSuchKey-" + variable + L"\\V!.txt",
         windows + L"C:\\Tools.txt"},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(SamePath(ExpandFolderTokens(c.text), c.expanded))
            << ::testing::PrintToString(c.text) << " gave " << ::testing::PrintToString(ExpandFolderTokens(c.text));
    EXPECT_EQ(&SystemTokens(), &SystemTokens());
}

TEST(ExpandFolderTokens, RegistryValues)
{
    ScratchKey key;
    const std::wstring path = L"HKCU\\" + key.path();
    key.SetText(L"Name", L"Corvane");
    key.SetDword(L"Count", 0xFFFFFFFFu);
    key.SetText(L"", L"default value");
    key.SetText(L"Expand", L"%SystemRoot%", REG_EXPAND_SZ);
    key.Set(L"Binary", REG_BINARY, "\x01\x02", 2);

    ScratchKey machine(HKEY_LOCAL_MACHINE);
    machine.SetText(L"Size", L"1024");

    const struct {
        std::wstring text;
        std::wstring expanded;
    } cases[] = {
        {L"v!" + path + L"\\Name!.exe", L"vCorvane.exe"},
        {L"!" + path + L"\\Count!", L"4294967295"},
        {L"!" + path + L"\\!", L"default value"},
        {L"!HKLM\\" + machine.path() + L"\\Size!", L"1024"},
        {L"!" + path + L"\\Missing!x", L"x"},
        {L"!HKCU\\NoSuchKey-" + key.path() + L"\\Name!x", L"x"},
        {L"!" + path + L"\\Expand!", L""},   // only REG_SZ and REG_DWORD read as text
        {L"!" + path + L"\\Binary!", L""},
        {L"!hkcu\\" + key.path() + L"\\Name!", L""},  // below HKEY_USERS
        {L"!NoBackslash!x", L"x"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExpandFolderTokens(c.text), c.expanded) << ::testing::PrintToString(c.text);
}

TEST(ExpandFolderTokens, RegistryValueOfARootLeavesTheRootUsable)
{
    const std::wstring name = UniqueName();
    ASSERT_EQ(RegSetValueExW(HKEY_CURRENT_USER, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(L"root"),
                             5 * sizeof(wchar_t)),
              ERROR_SUCCESS);
    EXPECT_EQ(ExpandFolderTokens(L"!HKCU\\" + name + L"!"), L"root");
    // The predefined handle was not closed on the way.
    EXPECT_EQ(RegQueryValueExW(HKEY_CURRENT_USER, name.c_str(), nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(ExpandFolderTokens(L"!HKCU\\" + name + L"!"), L"root");
    RegDeleteValueW(HKEY_CURRENT_USER, name.c_str());
}

// ---- Registry ------------------------------------------------------------------------------

TEST(ReadRegistryText, ValueTypesAndSizes)
{
    ScratchKey key;
    const std::wstring fits(99, L'a');       // 200 bytes with its NUL: the first buffer holds it
    const std::wstring oneMore(100, L'b');   // 202 bytes: asks again with a larger buffer
    const std::wstring large(5000, L'c');
    key.SetText(L"Fits", fits);
    key.SetText(L"OneMore", oneMore);
    key.SetText(L"Large", large);
    key.Set(L"NoNul", REG_SZ, L"abcd", 4 * sizeof(wchar_t));
    key.Set(L"Embedded", REG_SZ, L"ab\0cd", 6 * sizeof(wchar_t));
    key.Set(L"Empty", REG_SZ, L"", 0);
    key.SetDword(L"Zero", 0);
    key.SetDword(L"Big", 3000000000u);
    key.Set(L"ShortDword", REG_DWORD, "\x05\x00", 2);
    key.SetText(L"Expand", L"%TEMP%", REG_EXPAND_SZ);
    key.Set(L"Multi", REG_MULTI_SZ, L"a\0b\0", 5 * sizeof(wchar_t));
    key.Set(L"Binary", REG_BINARY, "abcd", 4);
    const unsigned long long qword = 7;
    key.Set(L"Qword", REG_QWORD, &qword, sizeof(qword));

    const struct {
        const wchar_t* name;
        bool ok;
        std::wstring text;
    } cases[] = {
        {L"Fits", true, fits},
        {L"OneMore", true, oneMore},
        {L"Large", true, large},
        {L"NoNul", true, L"abcd"},
        {L"Embedded", true, L"ab"},
        {L"Empty", true, L""},
        {L"Zero", true, L"0"},
        {L"Big", true, L"3000000000"},
        {L"ShortDword", false, L""},
        {L"Expand", false, L""},
        {L"Multi", false, L""},
        {L"Binary", false, L""},
        {L"Qword", false, L""},
        {L"Missing", false, L""},
    };
    for (const auto& c : cases) {
        std::wstring text = L"sentinel";
        EXPECT_EQ(ReadRegistryText(key.get(), c.name, text), c.ok) << ::testing::PrintToString(std::wstring(c.name));
        EXPECT_EQ(text, c.ok ? c.text : L"sentinel") << ::testing::PrintToString(std::wstring(c.name));
    }
}

TEST(RegistryRootOf, RootNamesAreCaseSensitive)
{
    const struct {
        const wchar_t* path;
        HKEY root;
    } cases[] = {
        {L"HKLM\\Software", HKEY_LOCAL_MACHINE},
        {L"HKCU\\Software", HKEY_CURRENT_USER},
        {L"HKCR\\.txt", HKEY_CLASSES_ROOT},
        {L"HKCC\\System", HKEY_CURRENT_CONFIG},
        {L"hklm\\Software", HKEY_USERS},
        {L"HKEY_LOCAL_MACHINE\\Software", HKEY_USERS},
        {L"\\Software", HKEY_USERS},
        {L"HKLM\\", HKEY_LOCAL_MACHINE},
        {L"HKLM", nullptr},
        {L"", nullptr},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RegistryRootOf(c.path), c.root) << ::testing::PrintToString(std::wstring(c.path));
}

TEST(OpenRegistryKey, UnknownRootNamesOpenBelowHkeyUsers)
{
    ScratchKey key(HKEY_USERS, L".DEFAULT\\Software");
    key.SetText(L"Where", L"users");
    for (const wchar_t* root : {L"hklm", L"Anything", L"HKU"}) {
        RegKey opened = OpenRegistryKey(std::wstring(root) + L"\\" + key.path(), false);
        ASSERT_TRUE(opened) << ::testing::PrintToString(root);
        std::wstring text;
        EXPECT_TRUE(ReadRegistryText(opened.get(), L"Where", text));
        EXPECT_EQ(text, L"users");
    }
    EXPECT_FALSE(OpenRegistryKey(L"HKLM\\" + key.path(), false));
    EXPECT_FALSE(OpenRegistryKey(L"HKCU\\" + key.path(), true));
    EXPECT_FALSE(OpenRegistryKey(L"NoBackslash", false));
}

TEST(OpenRegistryKey, Want64ReadsThe64BitViewOnWow64)
{
    // The same key in both views with different values, and a key that only the 64-bit view has.
    ScratchKey view64(HKEY_LOCAL_MACHINE, L"Software", KEY_WOW64_64KEY);
    view64.SetText(L"View", L"64");
    ASSERT_EQ(GetOsKind(), OsKind::Nt64);
    RegKey same32;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, view64.path().c_str(), 0, nullptr, 0,
                              KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, same32.put(), nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(same32.get(), L"View", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"32"), 3 * sizeof(wchar_t)),
              ERROR_SUCCESS);
    same32.reset();
    ScratchKey only64(HKEY_LOCAL_MACHINE, L"Software", KEY_WOW64_64KEY);
    only64.SetText(L"Value", L"only in 64");

    const std::wstring both = L"HKLM\\" + view64.path();
    std::wstring text;
    RegKey key = OpenRegistryKey(both, true);
    ASSERT_TRUE(key);
    EXPECT_TRUE(ReadRegistryText(key.get(), L"View", text));
    EXPECT_EQ(text, L"64");
    key = OpenRegistryKey(both, false);
    ASSERT_TRUE(key);
    EXPECT_TRUE(ReadRegistryText(key.get(), L"View", text));
    EXPECT_EQ(text, L"32");

    key = OpenRegistryKey(L"HKLM\\" + only64.path(), true);
    ASSERT_TRUE(key);
    EXPECT_TRUE(ReadRegistryText(key.get(), L"Value", text));
    EXPECT_EQ(text, L"only in 64");
    EXPECT_FALSE(OpenRegistryKey(L"HKLM\\" + only64.path(), false));
    // Placeholders read the default (32-bit) view.
    EXPECT_EQ(ExpandFolderTokens(L"!HKLM\\" + only64.path() + L"\\Value!"), L"");
    EXPECT_EQ(ExpandFolderTokens(L"!HKLM\\" + view64.path() + L"\\View!"), L"32");

    // The 32-bit twin lives under Wow6432Node, which the 64-bit key's deletion does not reach.
    RegDeleteKeyExW(HKEY_LOCAL_MACHINE, view64.path().c_str(), KEY_WOW64_32KEY, 0);
}

// ---- WOW64 file-system redirection ---------------------------------------------------------

TEST(RedirectionGuard, System32ShowsThe64BitFolderOnlyWhileDisabled)
{
    const std::wstring windows = Env(L"SystemRoot");
    const std::wstring only64 = UniqueName() + L"-64.txt";
    const std::wstring only32 = UniqueName() + L"-32.txt";
    // syswow64 is never redirected; the file written through System32 while redirection is
    // off lands in the 64-bit folder.
    WriteBytes(windows + L"\\syswow64\\" + only32, "32");
    {
        RedirectionGuard off;
        off.Disable();
        WriteBytes(windows + L"\\System32\\" + only64, "64");
    }
    const std::wstring path64 = ExpandFolderTokens(L"[WindowsFolder]System32\\" + only64);
    const std::wstring path32 = ExpandFolderTokens(L"[WindowsFolder]System32\\" + only32);

    EXPECT_FALSE(FileExists(path64));
    EXPECT_TRUE(FileExists(path32));
    {
        RedirectionGuard guard;
        guard.Disable();
        guard.Disable();  // a second call keeps the first saved state
        EXPECT_TRUE(FileExists(path64));
        EXPECT_FALSE(FileExists(path32));
        guard.Revert();
        EXPECT_FALSE(FileExists(path64));
        EXPECT_TRUE(FileExists(path32));
        guard.Revert();  // nothing left to revert
        EXPECT_TRUE(FileExists(path32));
        guard.Disable();  // usable again; the destructor reverts
        EXPECT_TRUE(FileExists(path64));
    }
    EXPECT_FALSE(FileExists(path64));
    EXPECT_TRUE(FileExists(path32));

    DeleteFileW((windows + L"\\syswow64\\" + only32).c_str());
    RedirectionGuard off;
    off.Disable();
    DeleteFileW((windows + L"\\System32\\" + only64).c_str());
}

} // namespace
