// Feeds arbitrary bytes to the configuration reader, as the chainer reads a file: the first
// two bytes are the byte-order mark, the rest UTF-16 little-endian text, parsed into sections
// and then into the run's configuration.
#include <cstddef>
#include <cstdint>
#include "config/config.h"
#include "config/ini.h"

namespace {

// Placeholders resolve to short fixed texts, so expansion is exercised without a system.
class FuzzTokens : public TokenValues {
public:
    bool Folder(std::wstring_view name, std::wstring& path) const override
    {
        if (name.size() % 2)
            return false;
        path = L"C:\\F\\";
        return true;
    }
    std::wstring Environment(std::wstring_view name) const override { return std::wstring(name.size() % 3, L'e'); }
    std::wstring Registry(std::wstring_view path) const override { return path.empty() ? L"" : L"r"; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    IniFile ini;
    ParseIniText(ini, Utf16LeText(data + 2, size - 2));
    for (const IniSection& section : ini.sections) {
        if (FindSection(ini, section.name) == nullptr)
            __builtin_trap();
        for (const IniEntry& entry : section.entries)
            if (FindEntry(section, entry.key) == nullptr)
                __builtin_trap();
    }

    FuzzTokens tokens;
    ChainerConfig config;
    ParseConfig(ini, config, tokens);
    for (const Prerequisite& prerequisite : config.prerequisites)
        if (!prerequisite.languageList.empty() && prerequisite.languageList.back() != L';')
            __builtin_trap();
    CompleteWorkingFolder(config.options.downloadFolder, L"C:\\T\\", config.options.defaultProductCode, tokens);
    CompleteWorkingFolder(config.options.extractionFolder, L"C:\\T\\", config.options.defaultProductCode, tokens);
    ChainerSection section;
    ReadChainerSection(ini, section);
    return 0;
}
