#pragma once
#include <windows.h>
#include <string>
#include "config/ini.h"

// Reads the file whose full path and byte size (from the caller's directory query) are given
// and parses it into the document. The first two bytes are taken to be the byte-order mark
// and are not examined.
// Returns 0 for an empty path (nothing read) or a successful read; ERROR_FILE_NOT_FOUND (2)
// when the file cannot be opened, positioned or read, or holds no text. On 2 the document
// is left unchanged.
DWORD ReadIniFile(const std::wstring& path, DWORD byteSize, IniFile& ini);
