#include "config/ini_file.h"
#include <cwctype>
#include <gtest/gtest.h>
#include "tests/win_support.h"

namespace {

DWORD SizeOf(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    return GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ? data.nFileSizeLow : 0;
}

// Reads the file into a document that already holds a sentinel section, so that a read
// which must leave the document alone can be told from one that emptied it.
struct ReadResult {
    DWORD code;
    IniFile ini;
};

ReadResult Read(const std::wstring& path, DWORD size)
{
    ReadResult result;
    ParseIniText(result.ini, L"[Sentinel]");
    result.code = ReadIniFile(path, size, result.ini);
    return result;
}

TEST(ReadIniFile, Utf16FileWithByteOrderMark)
{
    ScratchFolder folder;
    std::wstring path = folder / L"setup.ini";
    WriteBytes(path, Utf16LeBytes(L"[GeneralOptions]\r\nOptions = q \r\n[App1]\r\nName=\u00e9t\u00e9\r\n"));
    ReadResult r = Read(path, SizeOf(path));
    ASSERT_EQ(r.code, 0u);
    ASSERT_EQ(r.ini.sections.size(), 2u);
    EXPECT_EQ(r.ini.sections[0].name, L"GeneralOptions");
    EXPECT_EQ(FindEntry(r.ini.sections[0], L"Options")->value, L"q");
    EXPECT_EQ(FindEntry(r.ini.sections[1], L"Name")->value, L"\u00e9t\u00e9");
}

TEST(ReadIniFile, OddLengthLosesTheLastByte)
{
    ScratchFolder folder;
    std::wstring path = folder / L"odd.ini";
    WriteBytes(path, Utf16LeBytes(L"[S]\r\nk=v") + "\x41");
    ReadResult r = Read(path, SizeOf(path));
    ASSERT_EQ(r.code, 0u);
    ASSERT_EQ(r.ini.sections.size(), 1u);
    EXPECT_EQ(FindEntry(r.ini.sections[0], L"k")->value, L"v");
}

TEST(ReadIniFile, OnlyTheGivenSizeIsRead)
{
    ScratchFolder folder;
    std::wstring path = folder / L"grown.ini";
    std::string first = Utf16LeBytes(L"[S]\r\nk=v\r\n");
    WriteBytes(path, first + Utf16LeBytes(L"[Later]", false));
    ReadResult r = Read(path, static_cast<DWORD>(first.size()));
    ASSERT_EQ(r.code, 0u);
    ASSERT_EQ(r.ini.sections.size(), 1u);
    EXPECT_EQ(r.ini.sections[0].name, L"S");
}

TEST(ReadIniFile, AnsiAndUtf8FilesYieldNoUsableSection)
{
    ScratchFolder folder;
    const std::string texts[] = {"[GeneralOptions]\r\nOptions=q\r\n", "\xEF\xBB\xBF[GeneralOptions]\r\nOptions=q\r\n"};
    for (const std::string& text : texts) {
        std::wstring path = folder / L"narrow.ini";
        WriteBytes(path, text);
        ReadResult r = Read(path, SizeOf(path));
        EXPECT_EQ(r.code, 0u);
        EXPECT_EQ(FindSection(r.ini, L"GeneralOptions"), nullptr) << text;
    }
}

TEST(ReadIniFile, FailuresLeaveTheDocumentAlone)
{
    ScratchFolder folder;
    struct Case {
        const char* what;
        std::string bytes;  // written to the file; none for the missing file
        bool create;
    } cases[] = {
        {"missing file", "", false},
        {"empty file", "", true},
        {"one byte", "\xFF", true},
        {"byte-order mark only", "\xFF\xFE", true},
    };
    for (const Case& c : cases) {
        std::wstring path = folder / L"case.ini";
        DeleteFileW(path.c_str());
        if (c.create)
            WriteBytes(path, c.bytes);
        ReadResult r = Read(path, static_cast<DWORD>(c.bytes.size()));
        EXPECT_EQ(r.code, 2u) << c.what;
        ASSERT_EQ(r.ini.sections.size(), 1u) << c.what;
        EXPECT_EQ(r.ini.sections[0].name, L"Sentinel") << c.what;
    }
}

TEST(ReadIniFile, EmptyPathReadsNothing)
{
    ReadResult r = Read(L"", 100);
    EXPECT_EQ(r.code, 0u);
    ASSERT_EQ(r.ini.sections.size(), 1u);
    EXPECT_EQ(r.ini.sections[0].name, L"Sentinel");
}

// The parser trims with its own copy of the C runtime's white-space set so that a host
// build parses alike; here it is held against the real iswspace of the Windows runtime.
TEST(IsIniSpace, AgreesWithTheRuntimesIswspace)
{
    std::wstring mismatches;
    for (unsigned c = 0; c <= 0xFFFF; ++c) {
        bool runtime = iswspace(static_cast<wint_t>(c)) != 0;
        if (IsIniSpace(static_cast<wchar_t>(c)) != runtime)
            mismatches += L" U+" + std::to_wstring(c) + (runtime ? L"(runtime)" : L"(ours)");
    }
    EXPECT_EQ(mismatches, L"");
}

} // namespace
