#include "detect/tokens.h"
#include <gtest/gtest.h>
#include <map>

namespace {

// A machine made up for the test. Every lookup is recorded, so that a test can also show
// which names were asked for (and that replacement texts are not looked at again).
class MadeUpValues : public TokenValues {
public:
    std::map<std::wstring, std::wstring> folders{
        {L"WindowsFolder", L"C:\\Windows\\"},
        {L"TempFolder", L"C:\\Temp\\"},
        {L"Tricky", L"[WindowsFolder]%PATH%!HKLM\\a\\b!"},
    };
    std::map<std::wstring, std::wstring> environment{
        {L"PATH", L"C:\\bin"},
        {L"WITH", L"x%PATH%y"},
    };
    std::map<std::wstring, std::wstring> registry{
        {L"HKLM\\Software\\Vendor\\Size", L"42"},
        {L"x", L"ONE-CHAR"},
        {L"!x", L"BANG-X"},
    };
    mutable std::wstring asked;

    bool Folder(std::wstring_view name, std::wstring& path) const override
    {
        asked += L"[" + std::wstring(name) + L"]";
        auto it = folders.find(std::wstring(name));
        if (it == folders.end())
            return false;
        path = it->second;
        return true;
    }
    std::wstring Environment(std::wstring_view name) const override
    {
        asked += L"%" + std::wstring(name) + L"%";
        auto it = environment.find(std::wstring(name));
        return it == environment.end() ? std::wstring() : it->second;
    }
    std::wstring Registry(std::wstring_view path) const override
    {
        asked += L"!" + std::wstring(path) + L"!";
        auto it = registry.find(std::wstring(path));
        return it == registry.end() ? std::wstring() : it->second;
    }
};

TEST(ExpandTokens, Table)
{
    const struct {
        const wchar_t* text;
        const wchar_t* expanded;
        const wchar_t* asked;
    } cases[] = {
        {L"", L"", L""},
        {L"plain C:\\x", L"plain C:\\x", L""},
        {L"[WindowsFolder]notepad.exe", L"C:\\Windows\\notepad.exe", L"[WindowsFolder]"},
        {L"a[TempFolder]b[WindowsFolder]", L"aC:\\Temp\\bC:\\Windows\\", L"[TempFolder][WindowsFolder]"},
        // Unknown or differently written names stay, brackets included, and expansion goes on.
        {L"[NoSuchFolder]x[TempFolder]", L"[NoSuchFolder]xC:\\Temp\\", L"[NoSuchFolder][TempFolder]"},
        {L"[windowsfolder]x", L"[windowsfolder]x", L"[windowsfolder]"},
        {L"[]x", L"[]x", L"[]"},
        {L"[[WindowsFolder]", L"[[WindowsFolder]", L"[[WindowsFolder]"},
        {L"[WindowsFolder", L"[WindowsFolder", L""},
        {L"x]y[", L"x]y[", L""},
        {L"%NOSUCHVAR%x", L"x", L"%NOSUCHVAR%"},
        {L"%PATH%\\tool.exe", L"C:\\bin\\tool.exe", L"%PATH%"},
        {L"50% done", L"50% done", L""},
        {L"100%%", L"100", L"%%"},  // the closer search starts right after the opener
        {L"%", L"%", L""},
        {L"%%PATH%", L"PATH%", L"%%"},
        {L"!HKLM\\Software\\Vendor\\Size!", L"42", L"!HKLM\\Software\\Vendor\\Size!"},
        {L"!HKLM\\Software\\Vendor\\Missing!kB", L"kB", L"!HKLM\\Software\\Vendor\\Missing!"},
        // The closer of a registry token is looked for from two characters on.
        {L"!!", L"!!", L""},
        {L"a!!b", L"a!!b", L""},
        {L"!x!", L"ONE-CHAR", L"!x!"},
        {L"!!x!", L"BANG-X", L"!!x!"},
        {L"!", L"!", L""},
        {L"wow!", L"wow!", L""},
        // Replacement texts are copied as they are.
        {L"[Tricky]", L"[WindowsFolder]%PATH%!HKLM\\a\\b!", L"[Tricky]"},
        {L"%WITH%", L"x%PATH%y", L"%WITH%"},
        // Openers inside a token's name belong to the name.
        {L"[a%b]%PATH%", L"[a%b]C:\\bin", L"[a%b]%PATH%"},
        {L"%A[B%", L"", L"%A[B%"},
        {L"![x]!", L"", L"![x]!"},
        // An opener without its closer ends the expansion with everything after it unchanged.
        {L"[WindowsFolder]a%PATH", L"C:\\Windows\\a%PATH", L"[WindowsFolder]"},
        {L"%PATH%[TempFolder", L"C:\\bin[TempFolder", L"%PATH%"},
        {L"%PATH%!x", L"C:\\bin!x", L"%PATH%"},
    };
    for (const auto& c : cases) {
        MadeUpValues values;
        std::string input = ::testing::PrintToString(std::wstring(c.text));
        EXPECT_EQ(ExpandTokens(c.text, values), c.expanded) << input;
        EXPECT_EQ(values.asked, c.asked) << input;
    }
}

TEST(ExpandTokens, EmbeddedNulIsCopied)
{
    MadeUpValues values;
    const std::wstring text(L"a\0[TempFolder]", 14);
    EXPECT_EQ(ExpandTokens(text, values), std::wstring(L"a\0C:\\Temp\\", 10));
}

} // namespace
