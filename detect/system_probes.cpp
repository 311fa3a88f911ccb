#include "detect/system_probes.h"
#include "detect/software_probes.h"
#include <shlobj.h>
#include <shlwapi.h>
#include <cstring>
#include <vector>
#include "core/once.h"
#include "fsutil/files.h"
#include "fsutil/paths.h"

namespace {

// GetProcAddress hands out a generic pointer; going through void (*)() keeps GCC's
// function-cast warning quiet for an entry point whose real type is known.
template <typename Function>
Function ProcAddress(HMODULE module, const char* name)
{
    if (!module)
        return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// GetSystemDirectoryW, GetWindowsDirectoryW, GetTempPathW and GetEnvironmentVariableW share
// one convention: the length without the NUL on success, the size needed with the NUL when
// the buffer is too small, 0 on failure. `text` is left unchanged on failure; an empty
// answer counts as failure.
template <typename Call>
bool ReadSizedText(Call call, std::wstring& text)
{
    std::wstring buffer(MAX_PATH, L'\0');
    // A value can grow between two calls; a few rounds settle any real case.
    for (int round = 0; round < 4; ++round) {
        DWORD length = call(&buffer[0], static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return false;
        if (length < buffer.size()) {
            buffer.resize(length);
            text = std::move(buffer);
            return true;
        }
        buffer.resize(length);
    }
    return false;
}

// False for a variable that does not exist and for an empty one.
bool EnvironmentValue(const std::wstring& name, std::wstring& value)
{
    return ReadSizedText([&](wchar_t* buffer, DWORD size) { return GetEnvironmentVariableW(name.c_str(), buffer, size); },
                         value);
}

// --- WOW64 ---------------------------------------------------------------------------------

struct Wow64EntryPoints {
    BOOL(WINAPI* disable)(PVOID*) = nullptr;
    BOOL(WINAPI* revert)(PVOID) = nullptr;
    BOOL(WINAPI* isWow64Process)(HANDLE, PBOOL) = nullptr;
};

OnceFlag wow64Once;
Wow64EntryPoints wow64;

// Looked up by name: they are missing before Windows XP SP2 and Server 2003.
const Wow64EntryPoints& Wow64()
{
    wow64Once.Run([] {
        // kernel32 is mapped into every process, so the handle stays valid without a
        // reference of our own.
        HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
        wow64.disable = ProcAddress<decltype(wow64.disable)>(kernel32, "Wow64DisableWow64FsRedirection");
        wow64.revert = ProcAddress<decltype(wow64.revert)>(kernel32, "Wow64RevertWow64FsRedirection");
        wow64.isWow64Process = ProcAddress<decltype(wow64.isWow64Process)>(kernel32, "IsWow64Process");
    });
    return wow64;
}

// --- Version facts -------------------------------------------------------------------------

OnceFlag factsOnce;
OsFacts facts;

OnceFlag displayNameOnce;
std::wstring displayName;

// --- Shell ---------------------------------------------------------------------------------

OnceFlag shellVersionOnce;
bool shellVersion5 = false;

using DllGetVersionFunction = HRESULT(CALLBACK*)(DLLVERSIONINFO*);

// A library counts when its DllGetVersion, or else its file version, says 5 or more.
bool LibraryIsVersion5(const wchar_t* name)
{
    LoadedModule library(LoadLibraryW(name));
    if (!library)
        return false;
    if (auto getVersion = ProcAddress<DllGetVersionFunction>(library.get(), "DllGetVersion")) {
        DLLVERSIONINFO info = {};
        info.cbSize = sizeof(info);
        return SUCCEEDED(getVersion(&info)) && info.dwMajorVersion >= 5;
    }
    std::wstring path = ModulePath(library.get());
    library.reset();
    uint32_t ms = 0;
    uint32_t ls = 0;
    return !path.empty() && FixedFileVersion(path, ms, ls) && (ms >> 16) >= 5;
}

using SHGetFolderPathFunction = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPWSTR);

OnceFlag shfolderOnce;
SHGetFolderPathFunction shGetFolderPath = nullptr;

// shfolder.dll brings SHGetFolderPathW to shells that lack it. The library stays loaded for
// the rest of the process, since the cached entry point lives in it.
SHGetFolderPathFunction ShfolderGetFolderPath()
{
    shfolderOnce.Run([] {
        shGetFolderPath = ProcAddress<SHGetFolderPathFunction>(LoadLibraryW(L"shfolder.dll"), "SHGetFolderPathW");
    });
    return shGetFolderPath;
}

// --- Folder names --------------------------------------------------------------------------

OnceFlag setupExeDirOnce;
std::wstring setupExeDir;

struct ShellFolder {
    const wchar_t* name;
    int csidl;
};

// Since the process is 32-bit, the program-files rows give the 32-bit folder on 64-bit
// Windows; "ProgramFiles64Folder" only lands here when ProgramW6432 is not set.
constexpr ShellFolder kShellFolders[] = {
    {L"ProgramFilesFolder", CSIDL_PROGRAM_FILES},
    {L"CommonFilesFolder", CSIDL_PROGRAM_FILES_COMMON},
    {L"DesktopFolder", CSIDL_DESKTOPDIRECTORY},
    {L"AllUsersDesktopFolder", CSIDL_COMMON_DESKTOPDIRECTORY},
    {L"AppDataFolder", CSIDL_APPDATA},
    {L"FavoritesFolder", CSIDL_FAVORITES},
    {L"StartMenuFolder", CSIDL_STARTMENU},
    {L"ProgramMenuFolder", CSIDL_PROGRAMS},
    {L"StartupFolder", CSIDL_STARTUP},
    {L"FontsFolder", CSIDL_FONTS},
    {L"LocalAppDataFolder", CSIDL_LOCAL_APPDATA},
    {L"CommonAppDataFolder", CSIDL_COMMON_APPDATA},
    {L"ProgramFiles64Folder", CSIDL_PROGRAM_FILES},
    {L"ProgramFiles", CSIDL_PROGRAM_FILES},
};

enum class ShellAnswer { Resolved, Unresolved, NotAsked };

// The shell's own item-list route. A path that the shell cannot give for an item list it
// did produce is final: no other source is asked.
ShellAnswer SpecialFolderLocation(int csidl, std::wstring& path)
{
    LPITEMIDLIST items = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &items)) || !items)
        return ShellAnswer::NotAsked;
    wchar_t buffer[MAX_PATH] = {};
    bool ok = SHGetPathFromIDListW(items, buffer) != FALSE;
    IMalloc* allocator = nullptr;
    if (SUCCEEDED(SHGetMalloc(&allocator)) && allocator) {
        allocator->Free(items);
        allocator->Release();
    }
    if (!ok)
        return ShellAnswer::Unresolved;
    path = buffer;
    return ShellAnswer::Resolved;
}

bool ShellFolderPath(std::wstring_view name, int csidl, std::wstring& path)
{
    std::wstring found;
    switch (SpecialFolderLocation(csidl, found)) {
    case ShellAnswer::Resolved:
        EnsureTrailingBackslash(found);
        path = std::move(found);
        return true;
    case ShellAnswer::Unresolved:
        return false;
    case ShellAnswer::NotAsked:
        break;
    }
    if (SHGetFolderPathFunction getFolderPath = ShfolderGetFolderPath()) {
        wchar_t buffer[MAX_PATH] = {};
        if (SUCCEEDED(getFolderPath(nullptr, csidl, nullptr, 0, buffer)) && buffer[0]) {
            found = buffer;
            EnsureTrailingBackslash(found);
            path = std::move(found);
            return true;
        }
    }
    // Shells older than version 5 may know neither route; these two folders are also in
    // the environment there.
    if (IsShellVersion5OrLater())
        return false;
    const wchar_t* variable = nullptr;
    if (name == L"ProgramFilesFolder" || name == L"ProgramFiles")
        variable = L"PROGRAMFILES";
    else if (name == L"AppDataFolder")
        variable = L"APPDATA";
    if (!variable || !EnvironmentValue(variable, found))
        return false;
    EnsureTrailingBackslash(found);
    path = std::move(found);
    return true;
}

// Reads the value named by ROOT\key\value in the default view, for "!...!" placeholders. A
// path with a single backslash names a value of the root itself.
bool ReadRegistryPathText(std::wstring_view path, std::wstring& text)
{
    HKEY root = RegistryRootOf(path);
    if (!root)
        return false;
    size_t first = path.find(L'\\');
    size_t last = path.rfind(L'\\');
    std::wstring keyPath(first == last ? std::wstring_view() : path.substr(first + 1, last - first - 1));
    std::wstring valueName(path.substr(last + 1));
    HKEY opened = nullptr;
    // An empty key path opens a new handle to the root (unlike RegOpenKeyW, which would hand
    // back the predefined handle itself, which must not be closed).
    if (RegOpenKeyExW(root, keyPath.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return false;
    RegKey key(opened);
    return ReadRegistryText(key.get(), valueName.c_str(), text);
}

class SystemTokenValues final : public TokenValues {
public:
    bool Folder(std::wstring_view name, std::wstring& path) const override { return ResolveFolderName(name, path); }
    std::wstring Environment(std::wstring_view name) const override
    {
        std::wstring value;
        EnvironmentValue(std::wstring(name), value);
        return value;
    }
    std::wstring Registry(std::wstring_view path) const override
    {
        std::wstring text;
        ReadRegistryPathText(path, text);
        return text;
    }
};

const SystemTokenValues systemTokens;

} // namespace

OsVersionReport QueryOsVersion()
{
    OsVersionReport report;
    OSVERSIONINFOEXW info = {};
    info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXW);
    // GetVersionExW is deprecated in newer SDKs but is exactly what is wanted here: the
    // version as reported to this (manifest-limited) process.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info))) {
        report.extended = true;
    } else {
        info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOW);
        if (!GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info)))
            return report;
    }
#pragma GCC diagnostic pop
    report.queried = true;
    report.major = info.dwMajorVersion;
    report.minor = info.dwMinorVersion;
    report.build = info.dwBuildNumber;
    report.platformId = info.dwPlatformId;
    report.servicePack = info.szCSDVersion;
    if (report.extended) {
        report.servicePackMajor = info.wServicePackMajor;
        report.servicePackMinor = info.wServicePackMinor;
        report.suiteMask = info.wSuiteMask;
        report.productType = info.wProductType;
    }
    return report;
}

OsKind GetOsKind()
{
    if (GetVersion() & 0x80000000u)
        return OsKind::Win9x;
    return GetOsFacts().isWow64 ? OsKind::Nt64 : OsKind::Nt32;
}

const OsFacts& GetOsFacts()
{
    factsOnce.Run([] {
        OsVersionReport report = QueryOsVersion();
        facts.major = report.major;
        facts.minor = report.minor;
        facts.build = report.build;
        facts.servicePackMajor = report.servicePackMajor;
        BOOL isWow64 = FALSE;
        if (auto isWow64Process = Wow64().isWow64Process)
            facts.isWow64 = isWow64Process(GetCurrentProcess(), &isWow64) && isWow64;
    });
    return facts;
}

bool IsOsAtLeast(DWORD major, DWORD minor, WORD servicePackMajor, DWORD build)
{
    const OsFacts& running = GetOsFacts();
    if (running.major != major)
        return running.major > major;
    if (running.minor != minor)
        return running.minor > minor;
    if (running.servicePackMajor != servicePackMajor)
        return running.servicePackMajor > servicePackMajor;
    return running.build >= build;
}

const std::wstring& OsDisplayName()
{
    displayNameOnce.Run([] {
        OsVersionReport report = QueryOsVersion();
        report.wow64 = GetOsFacts().isWow64;
        displayName = OsDisplayNameFor(report);
    });
    return displayName;
}

void RedirectionGuard::Disable()
{
    if (disabled)
        return;
    // Only a successful call leaves a value that the revert entry point may be given back.
    if (auto disable = Wow64().disable)
        disabled = disable(&saved) != FALSE;
}

void RedirectionGuard::Revert()
{
    if (!disabled)
        return;
    if (auto revert = Wow64().revert) {
        revert(saved);
        disabled = false;
    }
}

bool IsShellVersion5OrLater()
{
    shellVersionOnce.Run([] { shellVersion5 = LibraryIsVersion5(L"Shlwapi.dll") || LibraryIsVersion5(L"Shell32.dll"); });
    return shellVersion5;
}

bool ResolveFolderName(std::wstring_view name, std::wstring& path)
{
    std::wstring found;
    if (name == L"ProgramFiles64Folder" && EnvironmentValue(L"ProgramW6432", found)) {
        EnsureTrailingBackslash(found);
    } else if (name == L"SystemFolder") {
        if (!ReadSizedText(GetSystemDirectoryW, found))
            return false;
        EnsureTrailingBackslash(found);
    } else if (name == L"WindowsFolder" || name == L"WindowsVolume") {
        if (!ReadSizedText(GetWindowsDirectoryW, found))
            return false;
        if (name == L"WindowsVolume")
            found.resize(found.size() < 3 ? found.size() : 3);
        else
            EnsureTrailingBackslash(found);
    } else if (name == L"TempFolder") {
        // Handed on as Windows gives it, which is with a trailing backslash.
        if (!ReadSizedText([](wchar_t* buffer, DWORD size) { return GetTempPathW(size, buffer); }, found))
            return false;
    } else if (name == L"SETUPEXEDIR") {
        setupExeDirOnce.Run([] {
            setupExeDir = ParentPath(ModulePath());
            EnsureTrailingBackslash(setupExeDir);
        });
        if (setupExeDir.empty())
            return false;
        found = setupExeDir;
    } else {
        for (const ShellFolder& folder : kShellFolders)
            if (name == folder.name)
                return ShellFolderPath(name, folder.csidl, path);
        return false;
    }
    path = std::move(found);
    return true;
}

const TokenValues& SystemTokens()
{
    return systemTokens;
}

std::wstring ExpandFolderTokens(std::wstring_view text)
{
    return ExpandTokens(text, systemTokens);
}

HKEY RegistryRootOf(std::wstring_view path)
{
    size_t slash = path.find(L'\\');
    if (slash == std::wstring_view::npos)
        return nullptr;
    std::wstring_view root = path.substr(0, slash);
    if (root == L"HKLM")
        return HKEY_LOCAL_MACHINE;
    if (root == L"HKCU")
        return HKEY_CURRENT_USER;
    if (root == L"HKCR")
        return HKEY_CLASSES_ROOT;
    if (root == L"HKCC")
        return HKEY_CURRENT_CONFIG;
    return HKEY_USERS;
}

RegKey OpenRegistryKey(std::wstring_view path, bool want64)
{
    HKEY root = RegistryRootOf(path);
    if (!root)
        return RegKey();
    std::wstring keyPath(path.substr(path.find(L'\\') + 1));
    // KEY_WOW64_64KEY is refused by systems without WOW64, so it is asked for only there.
    REGSAM access = KEY_READ;
    if (want64 && GetOsKind() == OsKind::Nt64)
        access |= KEY_WOW64_64KEY;
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root, keyPath.c_str(), 0, access, &opened) != ERROR_SUCCESS)
        return RegKey();
    return RegKey(opened);
}

bool ReadRegistryText(HKEY key, const wchar_t* valueName, std::wstring& text)
{
    // Sized in characters so that the text is aligned; the sizes handed over are in bytes.
    std::vector<wchar_t> buffer(200 / sizeof(wchar_t));
    DWORD type = REG_NONE;
    DWORD size = 200;
    LONG result = RegQueryValueExW(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size);
    // The value may grow between two calls; a few rounds settle any real case.
    for (int round = 0; result == ERROR_MORE_DATA && round < 4; ++round) {
        buffer.assign(size / sizeof(wchar_t) + 1, L'\0');
        size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        result = RegQueryValueExW(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size);
    }
    if (result != ERROR_SUCCESS)
        return false;
    if (type == REG_SZ) {
        // The stored data need not end in a NUL; the text ends at the first NUL or the data's end.
        size_t count = size / sizeof(wchar_t);
        size_t length = 0;
        while (length < count && buffer[length] != L'\0')
            ++length;
        text.assign(buffer.data(), length);
        return true;
    }
    if (type == REG_DWORD && size == sizeof(DWORD)) {
        DWORD value = 0;
        std::memcpy(&value, buffer.data(), sizeof(value));
        text = std::to_wstring(value);
        return true;
    }
    // REG_EXPAND_SZ, REG_MULTI_SZ, REG_BINARY and the rest carry no agreed text.
    return false;
}
