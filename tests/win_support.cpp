#include "tests/win_support.h"
#include <gtest/gtest.h>

ScratchFolder::ScratchFolder()
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    static unsigned counter;
    for (;;) {
        path_ = std::wstring(temp) + L"chainer-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(++counter);
        if (CreateDirectoryW(path_.c_str(), nullptr))
            break;
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            ADD_FAILURE() << "cannot create a scratch folder, error " << GetLastError();
            break;
        }
    }
}

ScratchFolder::~ScratchFolder()
{
    RemoveTree(path_);
}

void WriteBytes(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << "cannot create the test file, error " << GetLastError();
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(written, bytes.size());
}

std::string ReadBytes(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::string();
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    if (!bytes.empty())
        ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

std::string Utf16LeBytes(const std::wstring& text, bool byteOrderMark)
{
    std::string bytes = byteOrderMark ? std::string("\xFF\xFE") : std::string();
    for (wchar_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>((c >> 8) & 0xFF);
    }
    return bytes;
}

void RemoveTree(const std::wstring& path)
{
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = data.cFileName;
            if (name == L"." || name == L"..")
                continue;
            std::wstring child = path + L"\\" + name;
            SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileW(child.c_str());
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(path.c_str());
}

bool FileExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

ScratchKey::ScratchKey(HKEY root, REGSAM view) : root_(root), view_(view)
{
    static unsigned counter;
    key_ = L"Software\\ChainerTest\\" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
    text_ = (root == HKEY_LOCAL_MACHINE ? L"HKLM\\" : L"HKCU\\") + key_;
    HKEY created;
    EXPECT_EQ(RegCreateKeyExW(root_, key_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view_, nullptr, &created, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(created);
}

ScratchKey::~ScratchKey()
{
    HKEY key;
    if (RegOpenKeyExW(root_, key_.c_str(), 0, KEY_ALL_ACCESS | view_, &key) == ERROR_SUCCESS) {
        RegDeleteTreeW(key, nullptr);
        RegCloseKey(key);
    }
    RegDeleteKeyExW(root_, key_.c_str(), view_, 0);
}

void ScratchKey::SetBinary(const std::wstring& subkey, const std::wstring& name, DWORD type, const std::string& bytes)
{
    std::wstring path = subkey.empty() ? key_ : key_ + L"\\" + subkey;
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(root_, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view_, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    LONG status = RegSetValueExW(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                                 static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
    ASSERT_EQ(status, ERROR_SUCCESS);
}

void ScratchKey::SetText(const std::wstring& subkey, const std::wstring& name, const std::wstring& value)
{
    std::string bytes(reinterpret_cast<const char*>(value.c_str()), (value.size() + 1) * sizeof(wchar_t));
    SetBinary(subkey, name, REG_SZ, bytes);
}

void ScratchKey::SetDword(const std::wstring& subkey, const std::wstring& name, DWORD value)
{
    SetBinary(subkey, name, REG_DWORD, std::string(reinterpret_cast<const char*>(&value), sizeof value));
}
