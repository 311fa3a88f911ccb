// Where a run finds its configuration: beside the executable, under its base name.
#pragma once
#include <string>
#include <string_view>

// C:\T\setup.exe gives C:\T\setup.ini, C:\T\a.b.exe gives C:\T\a.b.ini and C:\T\setup gives
// C:\T\setup.ini. Only the file name part is cut at its last dot.
std::wstring IniPathForModule(std::wstring_view modulePath);

// The same rule for any extension (which carries its own dot): the file beside the
// executable under its base name, such as the default log C:\T\setup.log.
std::wstring PathBesideModule(std::wstring_view modulePath, std::wstring_view extension);
