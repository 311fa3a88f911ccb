// The two working folders of a run, completed on first use: a configured value with its
// placeholders expanded, or a folder named DefaultProdCode in the temporary folder.
#pragma once
#include <string>
#include "config/config.h"

// Each is completed once per process; the completed text (ending with a backslash) replaces
// the option's value in `config`, and later calls return it as it stands.
const std::wstring& ExtractionFolder(ChainerConfig& config);
const std::wstring& DownloadFolder(ChainerConfig& config);
