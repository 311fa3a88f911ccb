// The text of the hidden batch file through which the executable and its folders remove
// themselves once the process has ended. Narrow text: the batch runs in the ANSI code page.
#pragma once
#include <string>
#include <string_view>

// The script for one target: clear its read-only attribute, retry "del" (a file) or "rd"
// (a folder) until the target is gone, then clear the attribute of the batch file itself and
// delete it. Both paths are written between quotation marks; a "%" in them is doubled so
// that cmd does not take it for the start of a variable. No CR LF after the last line.
std::string SelfDeleteScript(bool isFolder, std::string_view target, std::string_view batchPath);
