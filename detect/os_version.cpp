#include "detect/os_version.h"

namespace {

const wchar_t kNotIdentified[] = L"OsNotIdentified";

// The platform ids of the version report.
constexpr uint32_t kWin32s = 0;
constexpr uint32_t kWindows9x = 1;
constexpr uint32_t kWindowsNt = 2;

constexpr uint8_t kWorkstation = 1;

// The second character of the service-pack text, which on Windows 9x carries the release
// letter (" C" for OSR2.5, " A" or " B" for the second edition of 98).
wchar_t SecondServicePackChar(const OsVersionReport& report)
{
    return report.servicePack.size() >= 2 ? report.servicePack[1] : L'\0';
}

std::wstring Windows9xName(const OsVersionReport& report)
{
    if (report.major != 4)
        return kNotIdentified;
    wchar_t letter = SecondServicePackChar(report);
    switch (report.minor) {
    case 0:
        // The whole build field is compared, as reported; on 9x its high word holds the
        // version, so every real report lands on the first row.
        if (report.build > 950)
            return L"Windows 95 OSR";
        return letter == L'C' ? L"Windows 95 OSR2.5" : L"Windows 95";
    case 10:
        return letter == L'A' || letter == L'B' ? L"Windows 98 SE" : L"Windows 98";
    case 90:
        return L"Windows Millennium";
    default:
        return kNotIdentified;
    }
}

// base + " Service Pack N" when the service pack is one of first..last, else base alone.
std::wstring WithServicePack(const wchar_t* base, unsigned servicePack, unsigned first, unsigned last)
{
    std::wstring name = base;
    if (servicePack >= first && servicePack <= last)
        name += L" Service Pack " + std::to_wstring(servicePack);
    return name;
}

std::wstring WindowsNtName(const OsVersionReport& report)
{
    bool workstation = report.extended && report.productType == kWorkstation;
    unsigned sp = report.extended ? report.servicePackMajor : 0;
    bool x64 = report.wow64;

    if (report.major >= 7)
        return kNotIdentified;
    if (report.major == 6) {
        switch (report.minor) {
        case 2:
            if (workstation)
                return x64 ? L"Windows 8 x64" : L"Windows 8 x86";
            return x64 ? L"Windows Server 2012 x64" : kNotIdentified;
        case 1:
            if (workstation)
                return WithServicePack(x64 ? L"Windows 7 x64" : L"Windows 7 x86", sp, 1, 1);
            return x64 ? WithServicePack(L"Windows Server 2008 R2 x64", sp, 1, 1) : kNotIdentified;
        case 0:
            if (workstation)
                return WithServicePack(x64 ? L"Windows Vista x64" : L"Windows Vista x86", sp, 1, 2);
            return x64 ? L"Windows Server 2008 x64" : L"Windows Server 2008 x86";
        default:
            return kNotIdentified;
        }
    }
    if (report.major == 5) {
        switch (report.minor) {
        case 2:
            // A 5.2 workstation only ever existed as 64-bit XP.
            if (workstation)
                return WithServicePack(L"Windows XP x64", sp, 1, 2);
            return WithServicePack(x64 ? L"Windows Server 2003 x64" : L"Windows Server 2003 x86", sp, 1, 2);
        case 1:
            return WithServicePack(L"Windows XP x86", sp, 1, 3);
        case 0:
            return WithServicePack(L"Windows 2000", sp, 1, 4);
        default:
            return kNotIdentified;
        }
    }
    return WithServicePack(L"Windows NT 4.0", sp, 1, 6);
}

} // namespace

std::wstring OsDisplayNameFor(const OsVersionReport& report)
{
    if (!report.queried)
        return kNotIdentified;
    switch (report.platformId) {
    case kWin32s:
        return L"Windows 95";
    case kWindows9x:
        return Windows9xName(report);
    case kWindowsNt:
        return WindowsNtName(report);
    default:
        return kNotIdentified;
    }
}
