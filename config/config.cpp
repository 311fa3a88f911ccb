#include "config/config.h"

namespace {

std::wstring ValueOf(const IniSection& section, std::wstring_view key)
{
    const IniEntry* entry = FindEntry(section, key);
    return entry ? entry->value : std::wstring();
}

} // namespace

bool ReadChainerSection(const IniFile& ini, ChainerSection& section)
{
    const IniSection* found = FindSection(ini, L"PREREQ_CHAINER");
    if (!found)
        return false;
    section.cleanupFiles = ValueOf(*found, L"CleanupFiles");
    section.cleanupFolders = ValueOf(*found, L"CleanupFolders");
    section.logFile = ValueOf(*found, L"LogFile");
    return true;
}
