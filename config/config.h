// The run's configuration read from the INI document: general options, the ordered
// prerequisites with their searches, and the chainer's own section.
#pragma once
#include <string>
#include <string_view>
#include <vector>
#include "config/ini.h"
#include "core/prerequisite.h"
#include "detect/tokens.h"

// KeepFiles: whether downloaded prerequisites stay on disk after the run (2 and 5 keep them).
enum class KeepFiles : int32_t {
    None = 0,
    Minimum = 1,   // "minimum"
    Complete = 2,  // "complete"
    Prereqs = 5,   // "prereqs"
};

struct GeneralOptions {
    std::wstring uiOptions;         // Options: "q" silent, "b" basic user interface
    std::wstring downloadFolder;    // DownloadFolder, completed on first use
    std::wstring extractionFolder;  // ExtractionFolder, normalised when read
    KeepFiles keepFiles = KeepFiles::None;
    std::wstring defaultProductCode;  // DefaultProdCode: the default working folder's name
};

struct ChainerConfig {
    std::vector<Prerequisite> prerequisites;
    GeneralOptions options;
};

// The PREREQ_CHAINER section: what the run deletes at its end, and its log file.
struct ChainerSection {
    std::wstring cleanupFiles;    // absolute paths separated by U+0001
    std::wstring cleanupFolders;  // the root below which emptied folders are removed
    std::wstring logFile;
};

// Fills the configuration from the document; a missing section leaves the defaults. The
// placeholders of Url and OpenSite locations are expanded from `tokens`.
void ParseConfig(const IniFile& ini, ChainerConfig& config, const TokenValues& tokens);
// Always true; an absent GeneralOptions section leaves every field at its default.
bool ReadGeneralOptions(const IniFile& ini, GeneralOptions& options);
// Reads entry n (App1 is 1) into `prerequisite`. False when the entry does not exist or is
// incomplete (no section, no location key, a SearchType without its SearchString): the list
// of prerequisites ends before it.
bool ReadPrerequisite(const IniFile& ini, int n, Prerequisite& prerequisite);
// False when the section is absent; otherwise true, with empty texts for absent keys.
bool ReadChainerSection(const IniFile& ini, ChainerSection& section);

bool IsSilent(const ChainerConfig& config);   // Options contains "q"
bool IsBasicUi(const ChainerConfig& config);  // Options contains "b"

// A working folder's completed text: a configured value expanded, normalised and given a
// trailing backslash; an empty value gives the temporary folder followed by the default
// product code and a backslash (the temporary folder itself for an empty code).
std::wstring CompleteWorkingFolder(std::wstring_view value, std::wstring_view tempFolder,
                                   std::wstring_view defaultProductCode, const TokenValues& tokens);
