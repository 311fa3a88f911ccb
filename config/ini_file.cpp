#include "config/ini_file.h"
#include <vector>
#include "core/handles.h"

DWORD ReadIniFile(const std::wstring& path, DWORD byteSize, IniFile& ini)
{
    if (path.empty())
        return 0;
    // A file shorter than its byte-order mark holds no text.
    if (byteSize <= 2)
        return ERROR_FILE_NOT_FOUND;
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return ERROR_FILE_NOT_FOUND;
    if (SetFilePointer(file.get(), 2, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
        return ERROR_FILE_NOT_FOUND;
    std::vector<unsigned char> bytes(byteSize - 2);
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) || read == 0)
        return ERROR_FILE_NOT_FOUND;
    ParseIniText(ini, Utf16LeText(bytes.data(), read));
    return 0;
}
