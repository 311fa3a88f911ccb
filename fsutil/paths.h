// Pure rules on wide-string paths. A path may carry the long-path prefix "\\?\" and may be
// a UNC name; nothing here touches the file system.
#pragma once
#include <string>
#include <string_view>
#include <vector>

// Pieces between occurrences of the separator; empty pieces between adjacent separators
// stay, nothing follows a final separator, an empty text gives no piece.
std::vector<std::wstring> SplitString(std::wstring_view text, std::wstring_view separator);

// Appends a backslash to a non-empty path that lacks one.
void EnsureTrailingBackslash(std::wstring& path);

// The text before the last backslash; empty when there is none.
std::wstring ParentPath(std::wstring_view path);

// Cuts at the last dot anywhere in the path and appends the extension (which carries its
// own dot); a path without a dot is unchanged.
void ReplaceExtension(std::wstring& path, std::wstring_view extension);

// Replaces each of < > : " / \ | ? * by an underscore.
void SanitizeFileName(std::wstring& name);

bool HasLongPathPrefix(std::wstring_view path);
std::wstring StripLongPathPrefix(std::wstring_view path);
bool IsUncPath(std::wstring_view path);
bool IsAbsolutePath(std::wstring_view path);
// The looser test of names given for deletion: a leading backslash or a colon anywhere.
bool IsRootedPath(std::wstring_view path);

// C:\a\b gives C:, a, b; \\srv\share\x gives \\srv, share, x; \\?\C:\a gives \\?\C:, a;
// a path that begins with a single backslash gives only the pieces after it.
std::vector<std::wstring> SplitPath(std::wstring_view path);

// Joins the components of a configured folder, dropping each component's trailing blanks
// and dots and the path's trailing backslash. A component after a "[Folder]" placeholder is
// appended directly, since the placeholder resolves to a path that ends with a backslash.
std::wstring NormalizePath(std::wstring_view path);
