// The configuration file as sections of key/value pairs, in file order. The dialect is
// UTF-16 little-endian with CR LF line ends; it has no comments, quoting, escapes or
// case folding, and duplicates are kept (lookups return the first).
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct IniEntry {
    std::wstring key;
    std::wstring value;
};

struct IniSection {
    std::wstring name;
    std::vector<IniEntry> entries;
};

struct IniFile {
    std::vector<IniSection> sections;
};

// The code units of UTF-16 little-endian bytes; an odd last byte is not part of the text.
std::wstring Utf16LeText(const unsigned char* bytes, size_t size);

// Replaces the document's content with the sections and entries of the text.
void ParseIniText(IniFile& ini, std::wstring_view text);

// Exact, case-sensitive, first match; null when absent.
const IniSection* FindSection(const IniFile& ini, std::wstring_view name);
const IniEntry* FindEntry(const IniSection& section, std::wstring_view key);

// The code units that the Windows C runtime's iswspace reports as white space. Values are
// trimmed with this set on every platform, so a host build parses exactly as Windows does.
bool IsIniSpace(wchar_t c);
