// Feeds arbitrary bytes to the configuration reader, as the chainer reads a file: the first
// two bytes are the byte-order mark, the rest UTF-16 little-endian text.
#include <cstddef>
#include <cstdint>
#include "config/ini.h"

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
    return 0;
}
