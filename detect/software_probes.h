// Installed software that other parts consult: the Internet Explorer version and what a
// file's version resource says. Nothing is cached; every call asks anew.
#pragma once
#include <windows.h>
#include <cstdint>
#include <string>

// False when the registry names no usable version.
bool InternetExplorerMajorVersion(int32_t& major);
bool IsInternetExplorer5OrLater();

// The two fixed version words of a file's version resource (file version, most and least
// significant). False, with both left unchanged, when the file has no readable resource.
bool FixedFileVersion(const std::wstring& path, uint32_t& ms, uint32_t& ls);

// The ProductName of the first translation of the file's version resource (language 0x0409,
// code page 0x04E2 without a translation table). False, with `name` untouched, when there is
// no such non-empty text.
bool ProductNameOfFile(const std::wstring& path, std::wstring& name);
