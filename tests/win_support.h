// Helpers for tests that run under Wine against the real file system and registry.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

// A fresh folder under the temporary folder, removed with everything in it at the end.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder's path, without a trailing backslash.
    const std::wstring& path() const { return path_; }
    // path() + "\" + relative
    std::wstring operator/(const std::wstring& relative) const { return path_ + L"\\" + relative; }

private:
    std::wstring path_;
};

// Writes the bytes to the file, creating or truncating it; the parent folder must exist.
void WriteBytes(const std::wstring& path, const std::string& bytes);
// The whole content of a file; empty when it cannot be read.
std::string ReadBytes(const std::wstring& path);
// The text as UTF-16 little-endian bytes, with a byte-order mark in front when asked.
std::string Utf16LeBytes(const std::wstring& text, bool byteOrderMark = true);
// Deletes a folder and everything below it; a missing folder is no error.
void RemoveTree(const std::wstring& path);
bool FileExists(const std::wstring& path);
// The messages of a setup log file, without their time stamps, in order.
std::vector<std::wstring> LogMessages(const std::wstring& path);

// A registry key of the test's own, below `parent` of the root in the given view, with a name
// unique to the process (tests run side by side in one Wine session); deleted with everything
// in it at the end.
class ScratchKey {
public:
    // root: HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE or HKEY_USERS; view: 0, KEY_WOW64_32KEY or
    // KEY_WOW64_64KEY.
    explicit ScratchKey(HKEY root = HKEY_CURRENT_USER, const std::wstring& parent = L"Software", REGSAM view = 0);
    ~ScratchKey();
    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;

    // The key's path below its root.
    const std::wstring& path() const { return path_; }
    // The path as the configuration writes it, with the root's name in front ("HKCU\...").
    std::wstring rooted() const;
    HKEY get() const { return key_; }

    void Set(const wchar_t* name, DWORD type, const void* data, size_t bytes);
    void SetText(const wchar_t* name, const std::wstring& text, DWORD type = REG_SZ);
    void SetDword(const wchar_t* name, DWORD value);
    // Creates a subkey ("a" below this key) and, when a name is given, a text value in it.
    void AddSubkey(const std::wstring& relative, const wchar_t* name = nullptr, const std::wstring& text = L"");

private:
    HKEY root_;
    std::wstring path_;
    REGSAM view_;
    HKEY key_ = nullptr;
};
