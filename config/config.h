// The run's configuration read from the INI document: general options, the ordered
// prerequisites with their searches, and the chainer's own section.
#pragma once
#include <string>
#include "config/ini.h"

// The PREREQ_CHAINER section: what the run deletes at its end, and its log file.
struct ChainerSection {
    std::wstring cleanupFiles;    // absolute paths separated by U+0001
    std::wstring cleanupFolders;  // the root below which emptied folders are removed
    std::wstring logFile;
};

// False when the section is absent; otherwise true, with empty texts for absent keys.
bool ReadChainerSection(const IniFile& ini, ChainerSection& section);
