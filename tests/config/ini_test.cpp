#include "config/ini.h"
#include <gtest/gtest.h>

namespace {

// The document in one line: "[name]" per section, then "key=value|" per entry.
std::wstring Dump(const IniFile& ini)
{
    std::wstring out;
    for (const IniSection& section : ini.sections) {
        out += L"[" + section.name + L"]";
        for (const IniEntry& entry : section.entries)
            out += entry.key + L"=" + entry.value + L"|";
    }
    return out;
}

std::wstring Parse(std::wstring_view text)
{
    IniFile ini;
    ParseIniText(ini, text);
    return Dump(ini);
}

struct ParseCase {
    const wchar_t* text;
    const wchar_t* expected;
};

const ParseCase kParseCases[] = {
    // Headers.
    {L"[GeneralOptions]\r\nOptions = q \r\n", L"[GeneralOptions]Options=q|"},
    {L"  [PREREQ_CHAINER]  \r\n", L"[PREREQ_CHAINER]"},
    {L"\t[S]\t \r\n", L"[S]"},
    {L"[ PREREQ_CHAINER ]", L"[ PREREQ_CHAINER ]"},
    {L"[A]B]", L"[A]B]"},
    {L"[]\r\nk=v", L"[]k=v|"},
    {L"[", L""},
    {L"[S]\r\n[x=1", L"[S][x=1|"},             // never closed: an entry line
    {L"[S]\r\n[x", L"[S]"},                     // never closed, no "=": skipped
    {L"[a] b]", L"[a] b]"},                     // unchanged text between first [ and last ]
    // Entries.
    {L"k=v\r\n[S]\r\nk2=v2", L"[S]k2=v2|"},     // before the first header: ignored
    {L"[S]\r\n;a=b\r\n; remark\r\n# note", L"[S];a=b|"},
    {L"[S]\r\nk=a=b", L"[S]k=a=b|"},
    {L"[S]\r\nk=\"quoted\"", L"[S]k=\"quoted\"|"},
    {L"[S]\r\nk=\r\n=x", L"[S]k=|=x|"},
    {L"[S]\r\n  key  =  two words  ", L"[S]key=two words|"},
    {L"[S]\r\nk\u00A0=\u3000v\u2003", L"[S]k=v|"},  // trimmed as iswspace classifies
    {L"[S]\r\n\x01k=v\x01", L"[S]k=v\x01|"},        // leading controls skipped, trailing kept
    {L"[S]\r\nA=1\r\na=2", L"[S]A=1|a=2|"},
    // Lines.
    {L"", L""},
    {L"\r\n\r\n[S]\r\n\r\nk=v\r\n\r\n", L"[S]k=v|"},
    {L"[S]\nk=v\n", L""},                       // LF alone ends no line
    {L"[S]\rk=v\r\n", L""},                     // nor does CR alone
    {L"[S]\r\nk=a\rb\nc", L"[S]k=a\rb\nc|"},
    {L"\uFEFF[S]\r\nk=v", L"[S]k=v|"},         // a byte-order mark inside the text
    {L"[S]\r\n\uFEFF[T]\r\nk=v", L"[S]k=v|"},  // only at the very start
};

TEST(ParseIniText, Table)
{
    for (const ParseCase& c : kParseCases)
        EXPECT_EQ(Parse(c.text), c.expected) << "text: " << ::testing::PrintToString(std::wstring(c.text));
}

TEST(ParseIniText, ReplacesPreviousContent)
{
    IniFile ini;
    ParseIniText(ini, L"[Old]\r\nk=v");
    ParseIniText(ini, L"[New]");
    EXPECT_EQ(Dump(ini), L"[New]");
    ParseIniText(ini, L"");
    EXPECT_TRUE(ini.sections.empty());
}

TEST(FindSection, FirstExactMatch)
{
    IniFile ini;
    ParseIniText(ini, L"[App1]\r\nSetupFile=a.exe\r\n[app1]\r\n[App1]\r\nSetupFile=b.exe\r\n[App]");
    const IniSection* section = FindSection(ini, L"App1");
    ASSERT_NE(section, nullptr);
    EXPECT_EQ(section, &ini.sections[0]);
    EXPECT_EQ(FindSection(ini, L"APP1"), nullptr);
    EXPECT_EQ(FindSection(ini, L"App1 "), nullptr);
    EXPECT_EQ(FindSection(ini, L"pp1"), nullptr);
    EXPECT_EQ(FindSection(ini, L"Missing"), nullptr);
}

TEST(FindEntry, FirstExactMatchAndEmptyValues)
{
    IniFile ini;
    ParseIniText(ini, L"[S]\r\nKey=first\r\nKey=second\r\nEmpty=\r\nkey=lower");
    const IniSection& section = ini.sections[0];
    ASSERT_NE(FindEntry(section, L"Key"), nullptr);
    EXPECT_EQ(FindEntry(section, L"Key")->value, L"first");
    EXPECT_EQ(FindEntry(section, L"key")->value, L"lower");
    // An empty value is an entry; an absent key is none.
    ASSERT_NE(FindEntry(section, L"Empty"), nullptr);
    EXPECT_EQ(FindEntry(section, L"Empty")->value, L"");
    EXPECT_EQ(FindEntry(section, L"KEY"), nullptr);
    EXPECT_EQ(FindEntry(section, L"Absent"), nullptr);
}

TEST(Utf16LeText, LittleEndianUnitsAndOddLength)
{
    const unsigned char bytes[] = {'[', 0, 0xAC, 0x20, ']', 0, 'x'};
    EXPECT_EQ(Utf16LeText(bytes, sizeof bytes), L"[\u20AC]");
    EXPECT_EQ(Utf16LeText(bytes, 1), L"");
    EXPECT_EQ(Utf16LeText(bytes, 0), L"");
}

} // namespace
