#include "detect/software_probes.h"
#include <vector>
#include "detect/detect_rules.h"
#include "detect/system_probes.h"

namespace {

// The whole version resource of a file; empty when it has none.
std::vector<BYTE> VersionInfo(const std::wstring& path)
{
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    std::vector<BYTE> info(size);
    if (size == 0 || !GetFileVersionInfoW(path.c_str(), 0, size, info.data()))
        info.clear();
    return info;
}

std::wstring Hex4(unsigned value)
{
    static const wchar_t digits[] = L"0123456789abcdef";
    std::wstring text(4, L'0');
    for (int i = 3; i >= 0; --i, value >>= 4)
        text[i] = digits[value & 0xF];
    return text;
}

} // namespace

bool InternetExplorerMajorVersion(int32_t& major)
{
    RegKey key = OpenRegistryKey(L"HKLM\\Software\\Microsoft\\Internet Explorer", false);
    if (!key)
        return false;
    std::wstring version, iver;
    bool hasVersion = ReadRegistryText(key.get(), L"Version", version);
    bool hasIVer = ReadRegistryText(key.get(), L"IVer", iver);
    return InternetExplorerMajorFrom(hasVersion ? &version : nullptr, hasIVer ? &iver : nullptr, major);
}

bool IsInternetExplorer5OrLater()
{
    int32_t major = 0;
    return InternetExplorerMajorVersion(major) && major > 4;
}

bool FixedFileVersion(const std::wstring& path, uint32_t& ms, uint32_t& ls)
{
    std::vector<BYTE> info = VersionInfo(path);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    if (info.empty() || !VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &size) || !fixed ||
        size < sizeof(VS_FIXEDFILEINFO))
        return false;
    ms = fixed->dwFileVersionMS;
    ls = fixed->dwFileVersionLS;
    return true;
}

bool ProductNameOfFile(const std::wstring& path, std::wstring& name)
{
    std::vector<BYTE> info = VersionInfo(path);
    if (info.empty())
        return false;
    unsigned language = 0x0409, codePage = 0x04E2;
    WORD* translation = nullptr;
    UINT size = 0;
    if (VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &size) &&
        translation && size >= 2 * sizeof(WORD)) {
        language = translation[0];
        codePage = translation[1];
    }
    std::wstring query = L"\\StringFileInfo\\" + Hex4(language) + Hex4(codePage) + L"\\ProductName";
    wchar_t* text = nullptr;
    size = 0;
    if (!VerQueryValueW(info.data(), query.c_str(), reinterpret_cast<void**>(&text), &size) || !text || size == 0 ||
        text[0] == L'\0')
        return false;
    name.assign(text, wcsnlen(text, size));
    return true;
}
