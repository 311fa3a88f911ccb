// Questions about the machine itself: Windows family, bitness and version, folder names,
// placeholders in paths, registry paths written as text, WOW64 file-system redirection.
// Results that cannot change while the process runs are computed once and kept.
#pragma once
#include <windows.h>
#include <cstdint>
#include <string>
#include <string_view>
#include "core/handles.h"
#include "detect/os_version.h"
#include "detect/tokens.h"

struct OsFacts {
    DWORD major = 0;
    DWORD minor = 0;
    DWORD build = 0;
    WORD servicePackMajor = 0;  // 0 when only the basic version structure could be read
    bool isWow64 = false;
};

// The one place that asks GetVersionExW (extended structure first, then the basic one).
OsVersionReport QueryOsVersion();

OsKind GetOsKind();
const OsFacts& GetOsFacts();
// Compares major, minor, service-pack major and build in that order.
bool IsOsAtLeast(DWORD major, DWORD minor, WORD servicePackMajor, DWORD build);
const std::wstring& OsDisplayName();

// Switches WOW64 file-system redirection off for the current thread until Revert or the
// guard's end. A no-op where WOW64 does not exist.
class RedirectionGuard {
public:
    RedirectionGuard() = default;
    ~RedirectionGuard() { Revert(); }
    RedirectionGuard(const RedirectionGuard&) = delete;
    RedirectionGuard& operator=(const RedirectionGuard&) = delete;
    void Disable();
    void Revert();

private:
    void* saved = nullptr;
    bool disabled = false;
};

bool IsShellVersion5OrLater();

// "SystemFolder", "ProgramFilesFolder", "SETUPEXEDIR", ...: the path with a trailing
// backslash, or false for a name that is not known or cannot be resolved.
bool ResolveFolderName(std::wstring_view name, std::wstring& path);
// The placeholders of detect/tokens.h resolved against this machine.
const TokenValues& SystemTokens();
std::wstring ExpandFolderTokens(std::wstring_view text);

// "HKLM", "HKCU", "HKCR", "HKCC" (case-sensitive) or anything else for HKEY_USERS; null for
// a path without a backslash.
HKEY RegistryRootOf(std::wstring_view path);
// Opens ROOT\key with KEY_READ, in the 64-bit view when want64 is set on 64-bit Windows.
// Empty when the key cannot be opened.
RegKey OpenRegistryKey(std::wstring_view path, bool want64);
// A REG_SZ value as text, a REG_DWORD as unsigned decimal; false for anything else.
bool ReadRegistryText(HKEY key, const wchar_t* valueName, std::wstring& text);
