#include "detect/os_version.h"
#include <gtest/gtest.h>
#include <iterator>

namespace {

constexpr uint8_t WS = 1;      // workstation
constexpr uint8_t DC = 2;      // domain controller: a server as far as the names go
constexpr uint8_t SRV = 3;

struct Row {
    uint32_t platform, major, minor, build;
    bool extended;
    uint16_t sp;
    uint8_t productType;
    bool wow64;
    const wchar_t* servicePackText;
    const wchar_t* name;
};

OsVersionReport ReportOf(const Row& row)
{
    OsVersionReport report;
    report.queried = true;
    report.extended = row.extended;
    report.platformId = row.platform;
    report.major = row.major;
    report.minor = row.minor;
    report.build = row.build;
    report.servicePackMajor = row.extended ? row.sp : 0;
    report.productType = row.extended ? row.productType : 0;
    report.wow64 = row.wow64;
    report.servicePack = row.servicePackText;
    return report;
}

void ExpectNames(const Row* rows, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        const Row& r = rows[i];
        EXPECT_EQ(OsDisplayNameFor(ReportOf(r)), r.name)
            << "platform " << r.platform << ", " << r.major << "." << r.minor << "." << r.build
            << (r.extended ? ", extended" : ", basic") << ", SP " << r.sp << ", product type " << int(r.productType)
            << (r.wow64 ? ", WOW64" : "") << ", CSD " << ::testing::PrintToString(std::wstring(r.servicePackText));
    }
}

TEST(OsDisplayNameFor, Windows9xAndWin32s)
{
    const Row rows[] = {
        {0, 3, 10, 0, false, 0, 0, false, L"", L"Windows 95"},
        {0, 9, 9, 0, true, 2, WS, true, L"", L"Windows 95"},
        // On 9x the build field's high word holds the version, so real reports exceed 950.
        {1, 4, 0, 0x040003B6, false, 0, 0, false, L" C", L"Windows 95 OSR"},
        {1, 4, 0, 951, false, 0, 0, false, L"", L"Windows 95 OSR"},
        {1, 4, 0, 950, false, 0, 0, false, L" C", L"Windows 95 OSR2.5"},
        {1, 4, 0, 950, false, 0, 0, false, L" B", L"Windows 95"},
        {1, 4, 0, 950, false, 0, 0, false, L"C", L"Windows 95"},   // the letter must be second
        {1, 4, 0, 950, false, 0, 0, false, L" c", L"Windows 95"},
        {1, 4, 0, 950, false, 0, 0, false, L"", L"Windows 95"},
        {1, 4, 10, 0x040A08AE, false, 0, 0, false, L" A ", L"Windows 98 SE"},
        {1, 4, 10, 0x040A08AE, false, 0, 0, false, L" B", L"Windows 98 SE"},
        {1, 4, 10, 0x040A07CE, false, 0, 0, false, L" C", L"Windows 98"},
        {1, 4, 10, 0x040A07CE, false, 0, 0, false, L"", L"Windows 98"},
        {1, 4, 90, 0x045A0BB8, false, 0, 0, false, L" ", L"Windows Millennium"},
        {1, 4, 1, 0, false, 0, 0, false, L"", L"OsNotIdentified"},
        {1, 4, 91, 0, false, 0, 0, false, L"", L"OsNotIdentified"},
        {1, 3, 0, 0, false, 0, 0, false, L"", L"OsNotIdentified"},
        {1, 5, 0, 0, false, 0, 0, false, L"", L"OsNotIdentified"},
    };
    ExpectNames(rows, std::size(rows));
}

TEST(OsDisplayNameFor, Windows8AndServer2012)
{
    const Row rows[] = {
        {2, 6, 2, 9200, true, 0, WS, true, L"", L"Windows 8 x64"},
        {2, 6, 2, 9200, true, 1, WS, true, L"Service Pack 1", L"Windows 8 x64"},
        {2, 6, 2, 9200, true, 0, WS, false, L"", L"Windows 8 x86"},
        {2, 6, 2, 9200, true, 0, SRV, true, L"", L"Windows Server 2012 x64"},
        {2, 6, 2, 9200, true, 0, DC, true, L"", L"Windows Server 2012 x64"},
        {2, 6, 2, 9200, true, 0, SRV, false, L"", L"OsNotIdentified"},  // no 32-bit server exists
        {2, 6, 2, 9200, false, 0, 0, true, L"", L"Windows Server 2012 x64"},  // basic: not a workstation
    };
    ExpectNames(rows, std::size(rows));
}

TEST(OsDisplayNameFor, Windows7AndServer2008R2)
{
    const Row rows[] = {
        {2, 6, 1, 7601, true, 1, WS, true, L"Service Pack 1", L"Windows 7 x64 Service Pack 1"},
        {2, 6, 1, 7600, true, 0, WS, true, L"", L"Windows 7 x64"},
        {2, 6, 1, 7601, true, 2, WS, true, L"Service Pack 2", L"Windows 7 x64"},
        {2, 6, 1, 7601, true, 1, WS, false, L"Service Pack 1", L"Windows 7 x86 Service Pack 1"},
        {2, 6, 1, 7600, true, 0, WS, false, L"", L"Windows 7 x86"},
        // The number decides, never the text.
        {2, 6, 1, 7600, true, 0, WS, false, L"Service Pack 1", L"Windows 7 x86"},
        {2, 6, 1, 7601, true, 1, SRV, true, L"Service Pack 1", L"Windows Server 2008 R2 x64 Service Pack 1"},
        {2, 6, 1, 7600, true, 0, SRV, true, L"", L"Windows Server 2008 R2 x64"},
        {2, 6, 1, 7601, true, 1, DC, true, L"", L"Windows Server 2008 R2 x64 Service Pack 1"},
        {2, 6, 1, 7601, true, 1, SRV, false, L"", L"OsNotIdentified"},
        {2, 6, 1, 7601, false, 1, 0, false, L"Service Pack 1", L"OsNotIdentified"},
    };
    ExpectNames(rows, std::size(rows));
}

TEST(OsDisplayNameFor, VistaAndServer2008)
{
    const Row rows[] = {
        {2, 6, 0, 6001, true, 1, WS, true, L"", L"Windows Vista x64 Service Pack 1"},
        {2, 6, 0, 6002, true, 2, WS, true, L"", L"Windows Vista x64 Service Pack 2"},
        {2, 6, 0, 6000, true, 0, WS, true, L"", L"Windows Vista x64"},
        {2, 6, 0, 6002, true, 3, WS, true, L"", L"Windows Vista x64"},
        {2, 6, 0, 6001, true, 1, WS, false, L"", L"Windows Vista x86 Service Pack 1"},
        {2, 6, 0, 6002, true, 2, WS, false, L"", L"Windows Vista x86 Service Pack 2"},
        {2, 6, 0, 6000, true, 0, WS, false, L"", L"Windows Vista x86"},
        {2, 6, 0, 6002, true, 2, SRV, true, L"", L"Windows Server 2008 x64"},
        {2, 6, 0, 6002, true, 2, SRV, false, L"", L"Windows Server 2008 x86"},
        {2, 6, 0, 6002, true, 2, DC, false, L"", L"Windows Server 2008 x86"},
        {2, 6, 0, 6002, false, 0, 0, false, L"Service Pack 2", L"Windows Server 2008 x86"},
    };
    ExpectNames(rows, std::size(rows));
}

TEST(OsDisplayNameFor, XpServer2003And2000)
{
    const Row rows[] = {
        // A 5.2 workstation is 64-bit XP, whatever the WOW64 answer.
        {2, 5, 2, 3790, true, 1, WS, true, L"", L"Windows XP x64 Service Pack 1"},
        {2, 5, 2, 3790, true, 2, WS, false, L"", L"Windows XP x64 Service Pack 2"},
        {2, 5, 2, 3790, true, 0, WS, true, L"", L"Windows XP x64"},
        {2, 5, 2, 3790, true, 3, WS, true, L"", L"Windows XP x64"},
        {2, 5, 2, 3790, true, 1, SRV, true, L"", L"Windows Server 2003 x64 Service Pack 1"},
        {2, 5, 2, 3790, true, 2, SRV, true, L"", L"Windows Server 2003 x64 Service Pack 2"},
        {2, 5, 2, 3790, true, 0, SRV, true, L"", L"Windows Server 2003 x64"},
        {2, 5, 2, 3790, true, 1, SRV, false, L"", L"Windows Server 2003 x86 Service Pack 1"},
        {2, 5, 2, 3790, true, 2, DC, false, L"", L"Windows Server 2003 x86 Service Pack 2"},
        {2, 5, 2, 3790, true, 3, SRV, false, L"", L"Windows Server 2003 x86"},
        {2, 5, 2, 3790, false, 2, 0, false, L"Service Pack 2", L"Windows Server 2003 x86"},
        {2, 5, 1, 2600, true, 1, WS, false, L"", L"Windows XP x86 Service Pack 1"},
        {2, 5, 1, 2600, true, 2, WS, false, L"", L"Windows XP x86 Service Pack 2"},
        {2, 5, 1, 2600, true, 3, WS, false, L"", L"Windows XP x86 Service Pack 3"},
        {2, 5, 1, 2600, true, 0, WS, false, L"", L"Windows XP x86"},
        {2, 5, 1, 2600, true, 4, WS, false, L"", L"Windows XP x86"},
        {2, 5, 1, 2600, false, 3, 0, false, L"Service Pack 3", L"Windows XP x86"},
        {2, 5, 0, 2195, true, 1, WS, false, L"", L"Windows 2000 Service Pack 1"},
        {2, 5, 0, 2195, true, 2, SRV, false, L"", L"Windows 2000 Service Pack 2"},
        {2, 5, 0, 2195, true, 3, WS, false, L"", L"Windows 2000 Service Pack 3"},
        {2, 5, 0, 2195, true, 4, WS, false, L"", L"Windows 2000 Service Pack 4"},
        {2, 5, 0, 2195, true, 5, WS, false, L"", L"Windows 2000"},
        {2, 5, 0, 2195, true, 0, WS, false, L"", L"Windows 2000"},
        {2, 5, 0, 2195, false, 4, 0, false, L"Service Pack 4", L"Windows 2000"},
        {2, 5, 3, 0, true, 0, WS, false, L"", L"OsNotIdentified"},
    };
    ExpectNames(rows, std::size(rows));
}

TEST(OsDisplayNameFor, WindowsNt4AndOlder)
{
    const Row rows[] = {
        {2, 4, 0, 1381, true, 1, WS, false, L"", L"Windows NT 4.0 Service Pack 1"},
        {2, 4, 0, 1381, true, 6, SRV, false, L"", L"Windows NT 4.0 Service Pack 6"},
        {2, 4, 0, 1381, true, 7, WS, false, L"", L"Windows NT 4.0"},
        {2, 4, 0, 1381, true, 0, WS, false, L"", L"Windows NT 4.0"},
        {2, 4, 0, 1381, false, 6, 0, false, L"Service Pack 6", L"Windows NT 4.0"},
        {2, 3, 51, 1057, true, 3, WS, false, L"", L"Windows NT 4.0 Service Pack 3"},
        {2, 0, 0, 0, false, 0, 0, false, L"", L"Windows NT 4.0"},
    };
    ExpectNames(rows, std::size(rows));
}

TEST(OsDisplayNameFor, LaterAndUnknownSystems)
{
    const Row rows[] = {
        {2, 6, 3, 9600, true, 0, WS, true, L"", L"OsNotIdentified"},
        {2, 6, 3, 9600, true, 0, SRV, false, L"", L"OsNotIdentified"},
        {2, 10, 0, 19045, true, 0, WS, true, L"", L"OsNotIdentified"},
        {2, 7, 0, 0, true, 0, WS, false, L"", L"OsNotIdentified"},
        {3, 6, 1, 7601, true, 1, WS, true, L"", L"OsNotIdentified"},
        {0xFFFFFFFF, 6, 1, 7601, true, 1, WS, true, L"", L"OsNotIdentified"},
    };
    ExpectNames(rows, std::size(rows));

    OsVersionReport unanswered;  // GetVersionExW failed with both structures
    unanswered.platformId = 2;
    unanswered.major = 6;
    unanswered.minor = 1;
    EXPECT_EQ(OsDisplayNameFor(unanswered), L"OsNotIdentified");
}

} // namespace
