#include "detect/software_probes.h"
#include <gtest/gtest.h>
#include "fsutil/files.h"
#include "fsutil/paths.h"
#include "tests/version_stamp.h"
#include "tests/win_support.h"

namespace {

std::wstring Stamped(const ScratchFolder& folder, const wchar_t* name, const VersionStamp& stamp)
{
    std::wstring path = folder / name;
    EXPECT_TRUE(StampVersion(ParentPath(ModulePath()) + L"\\fixture.exe", path, stamp)) << "error " << GetLastError();
    return path;
}

TEST(ProductNameOfFile, TranslationTableOrDefault)
{
    ScratchFolder folder;
    VersionStamp named;
    named.productName = L"Stamped Product";
    VersionStamp untranslated = named;
    untranslated.translation = false;
    untranslated.stringTable = L"040904e2";  // where a file without a translation table is read
    VersionStamp elsewhere = untranslated;
    elsewhere.stringTable = L"040704b0";
    VersionStamp nameless;

    const struct {
        const wchar_t* file;
        VersionStamp stamp;
        bool found;
    } cases[] = {
        {L"named.exe", named, true},
        {L"untranslated.exe", untranslated, true},
        {L"elsewhere.exe", elsewhere, false},
        {L"nameless.exe", nameless, false},
    };
    for (const auto& c : cases) {
        std::wstring name = L"sentinel";
        EXPECT_EQ(ProductNameOfFile(Stamped(folder, c.file, c.stamp), name), c.found) << c.file;
        EXPECT_EQ(name, c.found ? L"Stamped Product" : L"sentinel") << c.file;
    }
    WriteBytes(folder / L"plain.txt", "no resources");
    std::wstring name = L"sentinel";
    EXPECT_FALSE(ProductNameOfFile(folder / L"plain.txt", name));
    EXPECT_FALSE(ProductNameOfFile(folder / L"missing.exe", name));
    EXPECT_EQ(name, L"sentinel");
}

TEST(FixedFileVersion, StampedVersion)
{
    ScratchFolder folder;
    VersionStamp stamp;
    stamp.version[0] = 10, stamp.version[1] = 2, stamp.version[2] = 65535, stamp.version[3] = 7;
    uint32_t ms = 0, ls = 0;
    ASSERT_TRUE(FixedFileVersion(Stamped(folder, L"v.exe", stamp), ms, ls));
    EXPECT_EQ(ms, 0x000A0002u);
    EXPECT_EQ(ls, 0xFFFF0007u);
    WriteBytes(folder / L"plain.txt", "x");
    ms = ls = 5;
    EXPECT_FALSE(FixedFileVersion(folder / L"plain.txt", ms, ls));
    EXPECT_EQ(ms, 5u);
}

// Rewrites the Internet Explorer key of this (32-bit) registry view and puts it back after.
class InternetExplorerKey : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Internet Explorer", 0, nullptr, 0,
                                  KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        hadVersion = Read(L"Version", version);
        hadIVer = Read(L"IVer", iver);
    }
    void TearDown() override
    {
        Restore(L"Version", hadVersion, version);
        Restore(L"IVer", hadIVer, iver);
        RegCloseKey(key);
    }
    void Set(const wchar_t* name, const wchar_t* value)
    {
        if (!value) {
            RegDeleteValueW(key, name);
            return;
        }
        RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                       static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
    }

    HKEY key = nullptr;

private:
    bool Read(const wchar_t* name, std::wstring& value)
    {
        wchar_t buffer[256];
        DWORD size = sizeof buffer;
        if (RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
            return false;
        value = buffer;
        return true;
    }
    void Restore(const wchar_t* name, bool had, const std::wstring& value) { Set(name, had ? value.c_str() : nullptr); }

    bool hadVersion = false, hadIVer = false;
    std::wstring version, iver;
};

TEST_F(InternetExplorerKey, VersionThenIVer)
{
    const struct {
        const wchar_t* version;
        const wchar_t* iver;
        bool ok;
        int32_t major;
    } cases[] = {
        {L"6.0.2900.2180", nullptr, true, 6},
        {L"11.0", L"102", true, 2},      // one dot: IVer decides
        {L"11.0", L"104", false, 0},
        {nullptr, L"100", true, 1},
        {nullptr, L"103", true, 3},
        {nullptr, nullptr, false, 0},
        {L"9.11.9600.16428", L"9999", true, 9},
    };
    for (const auto& c : cases) {
        Set(L"Version", c.version);
        Set(L"IVer", c.iver);
        int32_t major = -1;
        EXPECT_EQ(InternetExplorerMajorVersion(major), c.ok) << (c.version ? c.version : L"-") << " " << (c.iver ? c.iver : L"-");
        EXPECT_EQ(major, c.ok ? c.major : -1) << "left alone on failure";
        EXPECT_EQ(IsInternetExplorer5OrLater(), c.ok && c.major > 4);
    }
}

} // namespace
