#include "log/log_text.h"
#include <gtest/gtest.h>

namespace {

TEST(LogText, FixedTexts)
{
    EXPECT_EQ(std::wstring(kLogHeader), L"\r\n<< Corvane (x86) Log >>\r\n");
    EXPECT_EQ(std::wstring(kLogFooter), std::wstring(21, L'=') + L"End of Log" + std::wstring(21, L'=') + L"\r\n");
    EXPECT_EQ(std::wstring(BoolText(true)), L"true");
    EXPECT_EQ(std::wstring(BoolText(false)), L"false");
    EXPECT_EQ(UnsignedText(0), L"0");
    EXPECT_EQ(UnsignedText(1603), L"1603");
    EXPECT_EQ(UnsignedText(4294967295u), L"4294967295");  // unsigned, not wrapped to -1
}

TEST(LogText, TimeStampPadsEveryField)
{
    const struct {
        int year, month, day, hour, minute, second;
        const wchar_t* text;
    } cases[] = {
        {2012, 7, 26, 11, 1, 23, L"2012-07-26 @11:01:23"},
        {2001, 1, 2, 0, 0, 0, L"2001-01-02 @00:00:00"},
        {1999, 12, 31, 23, 59, 59, L"1999-12-31 @23:59:59"},
        {987, 10, 10, 10, 10, 10, L"0987-10-10 @10:10:10"},
        {12345, 1, 1, 1, 1, 1, L"12345-01-01 @01:01:01"},  // a width is a minimum, never a cut
    };
    for (const auto& c : cases)
        EXPECT_EQ(TimeStampText(c.year, c.month, c.day, c.hour, c.minute, c.second), c.text)
            << ::testing::PrintToString(std::wstring(c.text));
}

TEST(LogText, OsVersionBlockFromTheExtendedStructure)
{
    OsVersionReport report{.queried = true, .extended = true, .major = 6, .minor = 1, .build = 7601,
                           .platformId = 2, .servicePack = L"Service Pack 1", .servicePackMajor = 1,
                           .servicePackMinor = 0, .suiteMask = 0x0110, .productType = 1};
    EXPECT_EQ(OsVersionBlock(report),
              L"<< OS Version:  MajorVersion: 6; MinorVersion: 1; BuildNumber: 7601; PlatformId: 2;"
              L" CSDVersion: Service Pack 1; ServicePackMajor: 1; ServicePackMinor: 0; SuiteMask: 272;"
              L" ProductType: 1; >> \r\n\r\n");
}

TEST(LogText, OsVersionBlockFromTheBasicStructureOnly)
{
    // Windows 95 OSR2: the build field carries the version in its high word, the service-pack
    // text is a single letter, and only the basic structure can be read: servicePackMajor must
    // not show, it cannot come from there.
    OsVersionReport report{.queried = true, .major = 4, .minor = 0, .build = 0x040003B6, .platformId = 1,
                           .servicePack = L" B", .servicePackMajor = 9};
    EXPECT_EQ(OsVersionBlock(report),
              L"<< OS Version:  MajorVersion: 4; MinorVersion: 0; BuildNumber: 67109814; PlatformId: 1;"
              L" CSDVersion:  B; >> \r\n\r\n");

    OsVersionReport empty;  // both queries failed: zeros, an empty service pack
    EXPECT_EQ(OsVersionBlock(empty),
              L"<< OS Version:  MajorVersion: 0; MinorVersion: 0; BuildNumber: 0; PlatformId: 0;"
              L" CSDVersion: ; >> \r\n\r\n");
}

} // namespace
