#include "config/config.h"
#include "detect/version.h"
#include "fsutil/paths.h"

namespace {

std::wstring ValueOf(const IniSection& section, std::wstring_view key)
{
    const IniEntry* entry = FindEntry(section, key);
    return entry ? entry->value : std::wstring();
}

std::wstring Numbered(std::wstring_view key, int n)
{
    return std::wstring(key) + std::to_wstring(n);
}

// Searches are numbered from 1; the first missing SearchType ends them. A SearchType without
// its SearchString makes the whole entry unreadable.
bool ReadSearches(const IniSection& section, std::vector<PrereqSearch>& searches)
{
    for (int n = 1;; ++n) {
        const IniEntry* type = FindEntry(section, Numbered(L"SearchType", n));
        if (!type)
            return true;
        const IniEntry* searchString = FindEntry(section, Numbered(L"SearchString", n));
        if (!searchString)
            return false;
        PrereqSearch search;
        search.type = ParseDecimal(type->value);
        search.searchString = searchString->value;
        search.verMin = ValueOf(section, Numbered(L"VerMin", n));
        search.verMax = ValueOf(section, Numbered(L"VerMax", n));
        search.refContent = ValueOf(section, Numbered(L"RefContent", n));
        search.searchCmdLine = ValueOf(section, Numbered(L"SearchCmdLine", n));
        searches.push_back(std::move(search));
    }
}

KeepFiles KeepFilesOf(std::wstring_view value)
{
    if (value == L"complete")
        return KeepFiles::Complete;
    if (value == L"minimum")
        return KeepFiles::Minimum;
    if (value == L"prereqs")
        return KeepFiles::Prereqs;
    return KeepFiles::None;
}

} // namespace

bool ReadGeneralOptions(const IniFile& ini, GeneralOptions& options)
{
    const IniSection* section = FindSection(ini, L"GeneralOptions");
    if (!section)
        return true;
    options.uiOptions = ValueOf(*section, L"Options");
    options.downloadFolder = ValueOf(*section, L"DownloadFolder");
    if (const IniEntry* extraction = FindEntry(*section, L"ExtractionFolder")) {
        options.extractionFolder = NormalizePath(extraction->value);
        EnsureTrailingBackslash(options.extractionFolder);
    }
    options.keepFiles = KeepFilesOf(ValueOf(*section, L"KeepFiles"));
    options.defaultProductCode = ValueOf(*section, L"DefaultProdCode");
    return true;
}

bool ReadPrerequisite(const IniFile& ini, int n, Prerequisite& prerequisite)
{
    const IniSection* list = FindSection(ini, L"PREREQUISITES");
    if (!list)
        return false;
    std::wstring key = Numbered(L"App", n);
    const IniEntry* name = FindEntry(*list, key);
    if (!name)
        return false;
    const IniSection* section = FindSection(ini, key);
    if (!section)
        return false;
    prerequisite.name = name->value;
    prerequisite.verMin = ValueOf(*section, L"VerMin");
    prerequisite.verMax = ValueOf(*section, L"VerMax");
    prerequisite.win9xVersions = ValueOf(*section, L"Win9xVersions");
    prerequisite.winNTVersions = ValueOf(*section, L"WinNTVersions");
    prerequisite.winNT64Versions = ValueOf(*section, L"WinNT64Versions");

    if (const IniEntry* setupFile = FindEntry(*section, L"SetupFile")) {
        prerequisite.location = setupFile->value;
        prerequisite.sourceKind = SourceKind::SetupFile;
    } else if (const IniEntry* site = FindEntry(*section, L"OpenSite")) {
        prerequisite.location = site->value;
        prerequisite.sourceKind = SourceKind::OpenSite;
    } else if (const IniEntry* url = FindEntry(*section, L"Url")) {
        prerequisite.location = url->value;
        prerequisite.sourceKind = SourceKind::Url;
    } else {
        return false;
    }

    // Without ExactSize there is no size test; without Operator every search must match.
    if (const IniEntry* size = FindEntry(*section, L"ExactSize"))
        prerequisite.exactSize = ParseDecimal(size->value);
    prerequisite.md5 = ValueOf(*section, L"MD5");
    if (const IniEntry* op = FindEntry(*section, L"Operator"))
        prerequisite.searchOperator = ParseDecimal(op->value);
    prerequisite.commandLine = ValueOf(*section, L"CommandLine");
    prerequisite.basicUiCommandLine = ValueOf(*section, L"BasicUiCommandLine");
    prerequisite.noUiCommandLine = ValueOf(*section, L"NoUiCommandLine");
    prerequisite.options = ValueOf(*section, L"Options");
    prerequisite.retValPropName = ValueOf(*section, L"RetValPropName");
    prerequisite.parentPrereq = ValueOf(*section, L"ParentPrereq");
    prerequisite.folder = ValueOf(*section, L"Folder");
    prerequisite.languageList = ValueOf(*section, L"LanguageList");
    return ReadSearches(*section, prerequisite.searches);
}

void ParseConfig(const IniFile& ini, ChainerConfig& config, const TokenValues& tokens)
{
    ReadGeneralOptions(ini, config.options);
    for (int n = 1;; ++n) {
        Prerequisite prerequisite;
        if (!ReadPrerequisite(ini, n, prerequisite))
            break;
        if (!prerequisite.languageList.empty() && prerequisite.languageList.back() != L';')
            prerequisite.languageList += L';';
        if (prerequisite.sourceKind != SourceKind::SetupFile)
            prerequisite.location = ExpandTokens(prerequisite.location, tokens);
        prerequisite.noDetection = HasOption(prerequisite.options, L'i');
        config.prerequisites.push_back(std::move(prerequisite));
    }
}

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

bool IsSilent(const ChainerConfig& config)
{
    return HasOption(config.options.uiOptions, L'q');
}

bool IsBasicUi(const ChainerConfig& config)
{
    return HasOption(config.options.uiOptions, L'b');
}

std::wstring CompleteWorkingFolder(std::wstring_view value, std::wstring_view tempFolder,
                                   std::wstring_view defaultProductCode, const TokenValues& tokens)
{
    std::wstring folder;
    if (!value.empty()) {
        folder = NormalizePath(ExpandTokens(value, tokens));
    } else {
        folder = tempFolder;
        folder += defaultProductCode;
    }
    EnsureTrailingBackslash(folder);
    return folder;
}
