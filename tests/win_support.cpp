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

std::vector<std::wstring> LogMessages(const std::wstring& path)
{
    std::string bytes = ReadBytes(path);
    std::wstring text;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2)
        text += static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8));
    std::vector<std::wstring> messages;
    size_t start = 0;
    for (size_t end; (end = text.find(L"\r\n", start)) != std::wstring::npos; start = end + 2) {
        std::wstring line = text.substr(start, end - start);
        // "2012-07-26 @11:01:23-message"
        if (line.size() > 21 && line[4] == L'-' && line[11] == L'@' && line[20] == L'-')
            messages.push_back(line.substr(21));
    }
    return messages;
}

bool FileExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

ScratchKey::ScratchKey(HKEY root, const std::wstring& parent, REGSAM view) : root_(root), view_(view)
{
    static unsigned counter;
    path_ = parent + L"\\ChainerTest-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
    LONG result = RegCreateKeyExW(root_, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view_, nullptr, &key_, nullptr);
    EXPECT_EQ(result, ERROR_SUCCESS) << "cannot create the test key " << ::testing::PrintToString(path_);
}

ScratchKey::~ScratchKey()
{
    if (key_)
        RegCloseKey(key_);
    size_t slash = path_.rfind(L'\\');
    HKEY parent;
    if (RegOpenKeyExW(root_, path_.substr(0, slash).c_str(), 0, KEY_ALL_ACCESS | view_, &parent) == ERROR_SUCCESS) {
        RegDeleteTreeW(parent, path_.substr(slash + 1).c_str());
        RegCloseKey(parent);
    }
}

std::wstring ScratchKey::rooted() const
{
    const wchar_t* name = root_ == HKEY_LOCAL_MACHINE ? L"HKLM\\" : root_ == HKEY_CURRENT_USER ? L"HKCU\\" : L"HKU\\";
    return name + path_;
}

void ScratchKey::Set(const wchar_t* name, DWORD type, const void* data, size_t bytes)
{
    ASSERT_EQ(RegSetValueExW(key_, name, 0, type, static_cast<const BYTE*>(data), static_cast<DWORD>(bytes)),
              ERROR_SUCCESS);
}

void ScratchKey::SetText(const wchar_t* name, const std::wstring& text, DWORD type)
{
    Set(name, type, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
}

void ScratchKey::SetDword(const wchar_t* name, DWORD value)
{
    Set(name, REG_DWORD, &value, sizeof value);
}

void ScratchKey::AddSubkey(const std::wstring& relative, const wchar_t* name, const std::wstring& text)
{
    HKEY subkey;
    ASSERT_EQ(RegCreateKeyExW(key_, relative.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view_, nullptr, &subkey, nullptr),
              ERROR_SUCCESS);
    if (name)
        RegSetValueExW(subkey, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(subkey);
}
