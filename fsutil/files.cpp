#include "fsutil/files.h"
#include <shellapi.h>
#include "core/handles.h"
#include "fsutil/batch_script.h"
#include "fsutil/paths.h"

std::wstring ModulePath(HMODULE module)
{
    // The buffer grows until the name fits: GetModuleFileNameW truncates silently.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(module, &path[0], static_cast<DWORD>(path.size()));
        if (length == 0)
            return std::wstring();
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::string AnsiText(std::wstring_view text)
{
    if (text.empty())
        return std::string();
    int length = static_cast<int>(text.size());
    int size = WideCharToMultiByte(CP_THREAD_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return std::string();
    std::string ansi(size, '\0');
    size = WideCharToMultiByte(CP_THREAD_ACP, 0, text.data(), length, &ansi[0], size, nullptr, nullptr);
    if (size <= 0)
        return std::string();
    ansi.resize(size);
    return ansi;
}

std::wstring TempFolder()
{
    wchar_t buffer[MAX_PATH];
    DWORD length = GetTempPathW(MAX_PATH, buffer);
    // A result of MAX_PATH or more is the size the path would need: nothing was copied.
    if (length == 0 || length >= MAX_PATH)
        return std::wstring();
    std::wstring folder(buffer, length);
    EnsureTrailingBackslash(folder);
    return folder;
}

bool UniqueTempName(const wchar_t* prefix, std::wstring& path)
{
    wchar_t folder[MAX_PATH];
    DWORD length = GetTempPathW(MAX_PATH, folder);
    if (length == 0 || length >= MAX_PATH)
        return false;
    wchar_t name[MAX_PATH];
    if (GetTempFileNameW(folder, prefix, 0, name) == 0)
        return false;
    // GetTempFileNameW created the file to reserve the name; the caller makes its own.
    DeleteFileW(name);
    path = name;
    return true;
}

bool ExistsAbsolute(const std::wstring& path)
{
    if (!IsRootedPath(path))
        return false;
    WIN32_FIND_DATAW data;
    FindHandle find(FindFirstFileW(path.c_str(), &data));
    return static_cast<bool>(find);
}

bool IsExistingFolder(const std::wstring& path)
{
    DWORD attributes = path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

unsigned CountFolderEntries(const std::wstring& folder)
{
    // An empty folder would make the pattern "\*", the root of the current drive.
    if (folder.empty())
        return 0;
    WIN32_FIND_DATAW data;
    FindHandle find(FindFirstFileW((folder + L"\\*").c_str(), &data));
    if (!find)
        return 0;
    // "." and ".." are skipped by name rather than subtracted: a drive's root lists neither.
    unsigned count = 0;
    do {
        std::wstring_view name = data.cFileName;
        if (name != L"." && name != L"..")
            ++count;
    } while (FindNextFileW(find.get(), &data));
    return count;
}

std::vector<std::wstring> FixedDrives()
{
    std::vector<std::wstring> drives;
    std::wstring buffer(100, L'\0');
    DWORD length = GetLogicalDriveStringsW(static_cast<DWORD>(buffer.size()), &buffer[0]);
    if (length > buffer.size()) {
        // Too small for every drive: the result is the size needed, and nothing was copied.
        buffer.assign(length, L'\0');
        length = GetLogicalDriveStringsW(static_cast<DWORD>(buffer.size()), &buffer[0]);
        if (length > buffer.size())
            return drives;
    }
    // The roots follow each other, each ending with a NUL: "C:\", NUL, "D:\", NUL.
    for (const std::wstring& root : SplitString(std::wstring_view(buffer.data(), length), std::wstring_view(L"\0", 1))) {
        if (!root.empty() && GetDriveTypeW(root.c_str()) == DRIVE_FIXED)
            drives.push_back(root);
    }
    return drives;
}

DWORD CreateFolderTree(const std::wstring& path, bool includeLast, std::vector<std::wstring>* created)
{
    if (ExistsAbsolute(path))
        return 0;
    std::vector<std::wstring> components = SplitPath(path);
    if (components.empty())
        return 0;
    size_t count = includeLast ? components.size() : components.size() - 1;

    std::wstring accumulated = components[0];
    bool createdAccumulated = false;  // by this call: only such a folder may be removed again
    for (size_t i = 1; i < count; ++i) {
        std::wstring candidate = accumulated + L"\\" + components[i];
        if (CreateDirectoryW(candidate.c_str(), nullptr)) {
            if (created)
                created->push_back(candidate);
            createdAccumulated = true;
        } else {
            DWORD error = GetLastError();
            if (error != ERROR_ALREADY_EXISTS) {
                if (createdAccumulated && RemoveDirectoryW(accumulated.c_str()) && created && !created->empty() &&
                    created->back() == accumulated)
                    created->pop_back();
                return error;
            }
            createdAccumulated = false;
        }
        accumulated = std::move(candidate);
    }
    return 0;
}

void RemoveEmptyParents(const std::wstring& folder, const std::wstring& root)
{
    if (root.empty())
        return;
    size_t rootLength = root.back() == L'\\' ? root.size() - 1 : root.size();
    std::wstring current = folder;
    while (current.size() > rootLength) {
        std::wstring parent = ParentPath(current);
        if (parent.empty())
            return;
        RemoveDirectoryW(current.c_str());
        current = std::move(parent);
    }
}

void ShortPathEntry(const std::wstring& path, SelfDeleteEntry& entry)
{
    entry.shortPathAnsi.clear();
    entry.path.clear();
    if (path.empty())
        return;
    DWORD size = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (size == 0)
        return;
    std::wstring shortPath(size, L'\0');
    DWORD length = GetShortPathNameW(path.c_str(), &shortPath[0], size);
    if (length == 0 || length >= size)
        return;
    shortPath.resize(length);
    entry.shortPathAnsi = AnsiText(shortPath);
    if (!entry.shortPathAnsi.empty())
        entry.path = path;
}

void LaunchSelfDelete(const SelfDeleteEntry& entry)
{
    if (entry.shortPathAnsi.empty())
        return;
    // Without a temporary name the batch would be a bare ".bat" in the current folder.
    std::wstring batchPath;
    if (!UniqueTempName(L"EXE", batchPath))
        return;
    batchPath += L".bat";

    const std::string script = SelfDeleteScript(entry.isFolder, entry.shortPathAnsi, AnsiText(batchPath));
    {
        FileHandle file(CreateFileW(batchPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file)
            return;
        DWORD written = 0;
        BOOL wrote = WriteFile(file.get(), script.data(), static_cast<DWORD>(script.size()), &written, nullptr);
        if (!wrote || written != script.size()) {
            // A cut-off script could stop anywhere in its loop; none is better.
            file.reset();
            DeleteFileW(batchPath.c_str());
            return;
        }
    }
    // The batch runs in the folder above its target, so that its own working folder never
    // keeps the target from being removed.
    std::wstring workingFolder = ParentPath(StripLongPathPrefix(entry.path));
    ShellExecuteW(nullptr, L"open", batchPath.c_str(), nullptr, workingFolder.empty() ? nullptr : workingFolder.c_str(),
                  SW_HIDE);
}
