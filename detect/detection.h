// Detection of one prerequisite: its filters, then its searches, giving its action.
#pragma once
#include <cstddef>
#include <string>
#include "config/config.h"

// False when the prerequisite's version list for the running Windows family excludes it.
bool PassesOsFilter(const Prerequisite& prerequisite);
// False when the system default language is not in the (completed) LanguageList.
bool PassesLanguageFilter(const std::wstring& languageList);

// Sets the action of prerequisite `index`: excluded (4) by its filters, installed (0) when
// its searches find an acceptable version, else the action of its kind (1 package, 2
// download, 3 site). An excluded prerequisite is never evaluated again. On a recheck a
// prerequisite marked "i" counts as installed without searching; on the first pass it
// counts as missing.
void EvaluatePrerequisite(size_t index, ChainerConfig& config, bool recheck);
