#include "config/ini.h"

std::wstring Utf16LeText(const unsigned char* bytes, size_t size)
{
    std::wstring text(size / 2, L'\0');
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<wchar_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    return text;
}

bool IsIniSpace(wchar_t c)
{
    switch (c) {
    case 0x09: case 0x0A: case 0x0B: case 0x0C: case 0x0D: case 0x20:
    case 0xA0: case 0x1680:
    case 0x2028: case 0x2029: case 0x202F: case 0x205F: case 0x3000:
        return true;
    default:
        return c >= 0x2000 && c <= 0x200A;
    }
}

namespace {

std::wstring_view Trim(std::wstring_view text)
{
    while (!text.empty() && IsIniSpace(text.back()))
        text.remove_suffix(1);
    while (!text.empty() && IsIniSpace(text.front()))
        text.remove_prefix(1);
    return text;
}

// A header is "[" ... "]" once blanks and control characters around it are ignored.
// The name is taken between the first "[" and the last "]" unchanged, inner blanks included.
bool HeaderName(std::wstring_view line, std::wstring_view& name)
{
    if (line.empty() || line.front() != L'[')
        return false;
    size_t last = line.size();
    while (last > 0 && line[last - 1] <= 0x20)
        --last;
    if (last < 2 || line[last - 1] != L']')
        return false;
    name = line.substr(1, last - 2);
    return true;
}

void ParseLine(IniFile& ini, IniSection*& current, std::wstring_view line)
{
    size_t start = 0;
    while (start < line.size() && line[start] <= 0x20)
        ++start;
    line.remove_prefix(start);

    std::wstring_view name;
    if (HeaderName(line, name)) {
        ini.sections.push_back(IniSection{std::wstring(name), {}});
        current = &ini.sections.back();
        return;
    }
    if (!current)
        return;
    size_t equals = line.find(L'=');
    if (equals == std::wstring_view::npos)
        return;
    current->entries.push_back(IniEntry{std::wstring(Trim(line.substr(0, equals))),
                                        std::wstring(Trim(line.substr(equals + 1)))});
}

} // namespace

void ParseIniText(IniFile& ini, std::wstring_view text)
{
    ini.sections.clear();
    IniSection* current = nullptr;
    bool first = true;
    while (!text.empty()) {
        size_t end = text.find(L"\r\n");
        std::wstring_view line = text.substr(0, end);
        text.remove_prefix(end == std::wstring_view::npos ? text.size() : end + 2);
        if (first && !line.empty() && line.front() == 0xFEFF)
            line.remove_prefix(1);
        first = false;
        if (!line.empty())
            ParseLine(ini, current, line);
    }
}

const IniSection* FindSection(const IniFile& ini, std::wstring_view name)
{
    for (const IniSection& section : ini.sections)
        if (section.name == name)
            return &section;
    return nullptr;
}

const IniEntry* FindEntry(const IniSection& section, std::wstring_view key)
{
    for (const IniEntry& entry : section.entries)
        if (entry.key == key)
            return &entry;
    return nullptr;
}
