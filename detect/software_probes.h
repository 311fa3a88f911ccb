// Installed software that other parts consult: the Internet Explorer version and what a
// file's version resource says. Nothing is cached; every call asks anew.
#pragma once
#include <windows.h>
#include <cstdint>
#include <string>

// False when the registry names no usable version.
bool InternetExplorerMajorVersion(int32_t& major);
bool IsInternetExplorer5OrLater();

// The fixed file version words of a file's version resource; false (words untouched) when the
// file has none or cannot be read.
bool FileVersionWords(const std::wstring& path, DWORD& ms, DWORD& ls);

// The ProductName of the first translation of the file's version resource (language 0x0409,
// code page 0x04E2 without a translation table). False, with `name` untouched, when there is
// no such non-empty text.
bool ProductNameOfFile(const std::wstring& path, std::wstring& name);
