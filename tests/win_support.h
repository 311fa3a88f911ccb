// Helpers for tests that run under Wine against the real file system and registry.
#pragma once
#include <windows.h>
#include <string>

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

// A registry key of its own for one test process, below Software\ChainerTest of the given
// root and view, deleted with everything in it at the end.
class ScratchKey {
public:
    // root: HKEY_CURRENT_USER or HKEY_LOCAL_MACHINE; view: 0, KEY_WOW64_32KEY or KEY_WOW64_64KEY.
    explicit ScratchKey(HKEY root = HKEY_CURRENT_USER, REGSAM view = 0);
    ~ScratchKey();
    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;

    // The key as the configuration writes it: "HKCU\Software\ChainerTest\..." (or HKLM).
    const std::wstring& path() const { return text_; }
    // Writes a value, creating subkeys on the way ("sub\key" relative to this key).
    void SetText(const std::wstring& subkey, const std::wstring& name, const std::wstring& value);
    void SetDword(const std::wstring& subkey, const std::wstring& name, DWORD value);
    void SetBinary(const std::wstring& subkey, const std::wstring& name, DWORD type, const std::string& bytes);

private:
    HKEY root_;
    REGSAM view_;
    std::wstring key_;   // below the root
    std::wstring text_;  // with the root's short name in front
};
