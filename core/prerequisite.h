// One prerequisite of the configuration: what the INI file says about it, and what this run
// has found and decided about it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// What detection decided for a prerequisite. 5 and 7 are derived for display and planning
// and never stored in `Prerequisite::action`.
enum class PrereqAction : int32_t {
    Installed = 0,          // an acceptable version is installed
    InstallFromPackage = 1, // SetupFile
    Download = 2,           // Url
    OpenSite = 3,           // OpenSite
    Excluded = 4,           // by its operating-system or language filter
    AlreadyDownloaded = 5,
    NoAcceptableVersion = 6,
    NotSelected = 7,
    Undefined = 8,          // not yet detected
};

// Where a missing prerequisite's setup comes from; the first of the three keys present wins.
enum class SourceKind : int32_t {
    SetupFile = 0,
    Url = 1,
    OpenSite = 2,
};

// One detection rule, as written in the prerequisite's section (SearchType1, SearchString1...).
struct PrereqSearch {
    int32_t type = 0;
    std::wstring searchString;
    std::wstring verMin;
    std::wstring verMax;
    std::wstring refContent;
    std::wstring searchCmdLine;
};

// What one search found when it was last evaluated.
struct SearchResult {
    std::vector<std::wstring> found;  // version texts, in the order found
    std::wstring value;               // the value a comparison search read
    bool matched = false;             // the verdict of an existence or comparison search
};

struct Prerequisite {
    // From the configuration.
    std::wstring name;
    std::wstring verMin;
    std::wstring verMax;
    std::wstring location;
    SourceKind sourceKind = SourceKind::SetupFile;
    std::wstring commandLine;
    std::wstring basicUiCommandLine;
    std::wstring noUiCommandLine;
    std::wstring options;
    std::wstring md5;
    int32_t exactSize = 0;
    std::wstring folder;
    std::wstring retValPropName;
    std::wstring parentPrereq;
    int32_t searchOperator = 0;
    std::vector<PrereqSearch> searches;
    std::wstring win9xVersions;
    std::wstring winNTVersions;
    std::wstring winNT64Versions;
    std::wstring languageList;

    // Found and decided by this run.
    std::vector<SearchResult> searchResults;
    PrereqAction action = PrereqAction::Undefined;
    bool downloaded = false;
    bool selected = false;
    bool noDetection = false;  // "i" in options: counts as missing until its setup has run
};

// True when the letter occurs anywhere in the options text (case-sensitive).
inline bool HasOption(const std::wstring& options, wchar_t letter)
{
    return options.find(letter) != std::wstring::npos;
}
