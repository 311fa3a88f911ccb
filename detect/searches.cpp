#include "detect/searches.h"
#include "detect/detect_rules.h"
#include "detect/installer_queries.h"
#include "detect/software_probes.h"
#include "detect/system_probes.h"
#include "detect/version.h"
#include "fsutil/files.h"
#include "fsutil/paths.h"

namespace {

// A value path is the key path, a backslash and the value name.
struct ValuePath {
    std::wstring key;
    std::wstring name;
    bool valid = false;  // false for a path without a backslash, which names no key
};

ValuePath SplitValuePath(const std::wstring& path)
{
    size_t last = path.rfind(L'\\');
    if (last == std::wstring::npos)
        return {};
    return {path.substr(0, last), path.substr(last + 1), true};
}

struct Bounds {
    VersionNumber min;
    VersionNumber max;
};

// Walks a folder to the given depth; true (the walk ends) at the first file within bounds.
// Every file found adds its version to the found texts, within bounds or not.
bool ScanFolder(std::wstring folder, const std::wstring& fileName, int32_t depth, const Bounds& bounds,
                std::vector<std::wstring>& found)
{
    EnsureTrailingBackslash(folder);
    std::wstring path = folder + fileName;
    WIN32_FIND_DATAW data;
    if (FindHandle(FindFirstFileW(path.c_str(), &data))) {
        uint32_t ms = 0, ls = 0;
        FixedFileVersion(path, ms, ls);
        VersionNumber version = ParseVersion(FileVersionText(ms, ls));
        found.push_back(FormatVersion(version));
        if (WithinBounds(bounds.min, bounds.max, version))
            return true;
    }
    if (depth < 1)
        return false;
    FindHandle entries(FindFirstFileW((folder + L"*").c_str(), &data));
    if (!entries)
        return false;
    do {
        std::wstring name = data.cFileName;
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || name == L"." || name == L"..")
            continue;
        if (ScanFolder(folder + name, fileName, depth - 1, bounds, found))
            return true;
    } while (FindNextFileW(entries.get(), &data));
    return false;
}

bool WalkCandidate(const std::wstring& candidate, const Bounds& bounds, std::vector<std::wstring>& found)
{
    FileCandidate split = SplitCandidateDepth(candidate);
    std::wstring path = ExpandFolderTokens(split.path);
    size_t last = path.rfind(L'\\');
    // Without a backslash the name is looked up in the current directory, the executable's folder.
    std::wstring folder = last == std::wstring::npos ? std::wstring() : path.substr(0, last + 1);
    std::wstring fileName = last == std::wstring::npos ? path : path.substr(last + 1);
    return ScanFolder(folder, fileName, split.depth, bounds, found);
}

void SearchFiles(const PrereqSearch& search, bool want64, const Bounds& bounds, SearchResult& result)
{
    FileSearchParts parts = SplitFileSearch(search.searchString);
    std::vector<std::wstring> candidates;
    if (SearchesEveryFixedDrive(parts.namePart)) {
        for (const std::wstring& root : FixedDrives())
            candidates.push_back(root + parts.namePart + parts.tail);
    } else {
        candidates.push_back(search.searchString);
    }
    RedirectionGuard redirection;
    if (want64)
        redirection.Disable();
    for (const std::wstring& candidate : candidates)
        if (WalkCandidate(candidate, bounds, result.found))
            break;
}

void SearchSubkeys(const PrereqSearch& search, bool want64, SearchResult& result)
{
    RegKey key = OpenRegistryKey(search.searchString, want64);
    if (!key)
        return;
    wchar_t name[260];
    for (DWORD index = 0;; ++index) {
        DWORD length = 260;
        if (RegEnumKeyExW(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        result.found.emplace_back(name, length);
    }
}

// The value's data taken as wide text up to its first NUL, whatever its type.
void SearchValueData(const PrereqSearch& search, bool want64, SearchResult& result)
{
    ValuePath path = SplitValuePath(search.searchString);
    if (!path.valid)
        return;
    RegKey key = OpenRegistryKey(path.key, want64);
    if (!key)
        return;
    DWORD size = 0;
    LONG status = RegQueryValueExW(key.get(), path.name.c_str(), nullptr, nullptr, nullptr, &size);
    std::vector<BYTE> data;
    while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
        data.resize(size + sizeof(wchar_t));
        DWORD capacity = size;
        status = RegQueryValueExW(key.get(), path.name.c_str(), nullptr, nullptr, data.data(), &capacity);
        if (status == ERROR_SUCCESS) {
            const wchar_t* text = reinterpret_cast<const wchar_t*>(data.data());
            result.found.emplace_back(text, wcsnlen(text, capacity / sizeof(wchar_t)));
            return;
        }
        size = capacity;
    }
}

bool KeyOpens(const std::wstring& path, bool want64)
{
    return static_cast<bool>(OpenRegistryKey(path, want64));
}

bool ValueExists(const std::wstring& searchString, bool want64)
{
    ValuePath path = SplitValuePath(searchString);
    if (!path.valid)
        return false;
    RegKey key = OpenRegistryKey(path.key, want64);
    return key && RegQueryValueExW(key.get(), path.name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool CompareValue(const PrereqSearch& search, bool want64, SearchResult& result)
{
    ValuePath path = SplitValuePath(search.searchString);
    if (!path.valid)
        return false;
    RegKey key = OpenRegistryKey(path.key, want64);
    if (!key || !ReadRegistryText(key.get(), path.name.c_str(), result.value))
        return false;
    return CompareWithReference(result.value, search.refContent);
}

} // namespace

bool EvaluateSearch(const PrereqSearch& search, bool want64, SearchResult& result)
{
    Bounds bounds{ParseVersion(search.verMin), ParseVersion(search.verMax)};
    auto inRange = [&] { return AnyFoundWithinBounds(bounds.min, bounds.max, result.found); };
    switch (search.type) {
    case SearchFile:
        SearchFiles(search, want64, bounds, result);
        return inRange();
    case SearchRegSubkeys:
        SearchSubkeys(search, want64, result);
        return inRange();
    case SearchRegValue:
        SearchValueData(search, want64, result);
        return inRange();
    case SearchMsiProduct: {
        std::wstring version;
        if (InstalledProductVersion(search.searchString, version))
            result.found.push_back(version);
        return inRange();
    }
    case SearchMsiUpgradeCode:
        for (const std::wstring& product : RelatedProducts(search.searchString)) {
            std::wstring version;
            if (InstalledProductVersion(product, version))
                result.found.push_back(version);
        }
        return inRange();
    case SearchRegKeyExists:
        return result.matched = KeyOpens(search.searchString, want64);
    case SearchRegKeyAbsent:
        return result.matched = !KeyOpens(search.searchString, want64);
    case SearchRegValueExists:
        return result.matched = ValueExists(search.searchString, want64);
    case SearchRegValueAbsent:
        return result.matched = !ValueExists(search.searchString, want64);
    case SearchRegValueCompare:
        return result.matched = CompareValue(search, want64, result);
    case SearchRunProgram:
        return result.matched = false;
    case SearchMsiComponent:
        return result.matched = ComponentInstalled(search.searchString);
    default:
        return true;
    }
}

bool EvaluateSearches(Prerequisite& prerequisite, bool want64)
{
    prerequisite.searchResults.clear();
    return CombineSearches(prerequisite.searchOperator, prerequisite.searches.size(), [&](size_t i) {
        prerequisite.searchResults.emplace_back();
        return EvaluateSearch(prerequisite.searches[i], want64, prerequisite.searchResults.back());
    });
}
