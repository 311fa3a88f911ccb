// File-system operations on the real machine. None of them reports a failing Windows call
// as an error of its own: each says what it gives on failure.
#pragma once
#include <windows.h>
#include <string>
#include <string_view>
#include <vector>

// Full path of the running executable (or of the given module); empty on failure.
std::wstring ModulePath(HMODULE module = nullptr);

// The text in the thread's ANSI code page; characters it lacks become the code page's default
// character. Empty for an empty text or when the conversion fails.
std::string AnsiText(std::wstring_view text);

// The temporary folder with a trailing backslash; empty when it cannot be read.
std::wstring TempFolder();
// A name for a new file in the temporary folder, made by GetTempFileNameW with the prefix
// (the file it creates is deleted again). False, with `path` unchanged, on failure.
bool UniqueTempName(const wchar_t* prefix, std::wstring& path);
// True for an absolute path (a leading backslash or a colon) that names an existing file or folder.
bool ExistsAbsolute(const std::wstring& path);
// True when the path names an existing folder.
bool IsExistingFolder(const std::wstring& path);
// Entries of a folder besides "." and ".."; 0 for a file, a missing folder or an empty path.
unsigned CountFolderEntries(const std::wstring& folder);
// Root paths ("C:\") of the fixed drives, in the order Windows lists them.
std::vector<std::wstring> FixedDrives();
// Creates the missing folders of `path`: all its components when includeLast is set, else
// all but the last (a file name). Created folders are appended to `created` when given.
// Returns 0 or the first unexpected CreateDirectoryW error; on that error the folder this
// call created last is removed again (and taken off the list), the ones before it stay, and
// a folder that existed before the call is never removed.
DWORD CreateFolderTree(const std::wstring& path, bool includeLast, std::vector<std::wstring>* created = nullptr);
// Removes the folder and its emptied parents while their path is longer than the root's
// (without one trailing backslash): only lengths are compared, not the texts. Nothing with
// an empty root. A folder that is not empty stays, and the walk goes on above it.
void RemoveEmptyParents(const std::wstring& folder, const std::wstring& root);

// A file or folder that deletes itself through a hidden batch file once the process is gone.
struct SelfDeleteEntry {
    std::string shortPathAnsi;  // 8.3 form in the ANSI code page; empty: no batch file
    std::wstring path;          // empty when no short form is available
    bool isFolder = false;
};
// Fills both paths of the entry from the short form of the path; both are left empty when the
// path is empty or has no short form (a missing file, for example). isFolder is not touched.
void ShortPathEntry(const std::wstring& path, SelfDeleteEntry& entry);
// Writes the entry's batch file (EXE*.tmp.bat in the temporary folder) and starts it hidden,
// in the folder above the target. Does nothing for an entry without a short path, when no
// temporary name can be had, or when the file cannot be written whole; the launch itself is
// not checked.
void LaunchSelfDelete(const SelfDeleteEntry& entry);
