// Files that carry a chosen version resource, made at test time: a copy of an existing
// program whose version resource is replaced through the resource update functions.
#pragma once
#include <windows.h>
#include <string>

struct VersionStamp {
    WORD version[4] = {1, 0, 0, 0};
    std::wstring productName;                // no string table when empty
    std::wstring stringTable = L"040904b0";  // the language and code page of the strings
    bool translation = true;                 // write \VarFileInfo\Translation (0x0409, 0x04B0)
};

// The bytes of a VS_VERSIONINFO resource with the given contents.
std::string VersionResource(const VersionStamp& stamp);
// Copies `templatePath` (any program) to `path` and gives the copy the version resource.
// False when a step fails.
bool StampVersion(const std::wstring& templatePath, const std::wstring& path, const VersionStamp& stamp);
