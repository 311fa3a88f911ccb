#include "tests/version_stamp.h"

namespace {

void Align(std::string& bytes)
{
    while (bytes.size() % 4)
        bytes += '\0';
}

void AppendWord(std::string& bytes, unsigned value)
{
    bytes += static_cast<char>(value & 0xFF);
    bytes += static_cast<char>((value >> 8) & 0xFF);
}

void AppendDword(std::string& bytes, DWORD value)
{
    AppendWord(bytes, value & 0xFFFF);
    AppendWord(bytes, value >> 16);
}

void AppendText(std::string& bytes, const std::wstring& text)
{
    for (wchar_t c : text)
        AppendWord(bytes, c);
    AppendWord(bytes, 0);
}

// One node of the version tree: length, value length, type, key, padding, value, padding,
// children. `valueLength` counts bytes for binary values and characters for text ones.
std::string Node(const std::wstring& key, const std::string& value, unsigned valueLength, bool text,
                 const std::string& children = std::string())
{
    std::string node;
    AppendWord(node, 0);  // length, patched below
    AppendWord(node, valueLength);
    AppendWord(node, text ? 1 : 0);
    AppendText(node, key);
    Align(node);
    node += value;
    if (!children.empty()) {
        Align(node);
        node += children;
    }
    node[0] = static_cast<char>(node.size() & 0xFF);
    node[1] = static_cast<char>((node.size() >> 8) & 0xFF);
    return node;
}

} // namespace

std::string VersionResource(const VersionStamp& stamp)
{
    std::string fixed;
    DWORD ms = MAKELONG(stamp.version[1], stamp.version[0]);
    DWORD ls = MAKELONG(stamp.version[3], stamp.version[2]);
    for (DWORD value : {DWORD(VS_FFI_SIGNATURE), DWORD(VS_FFI_STRUCVERSION), ms, ls, ms, ls, DWORD(VS_FFI_FILEFLAGSMASK),
                        DWORD(0), DWORD(VOS_NT_WINDOWS32), DWORD(VFT_APP), DWORD(0), DWORD(0), DWORD(0)})
        AppendDword(fixed, value);

    std::string children;
    if (!stamp.productName.empty()) {
        std::string name;
        AppendText(name, stamp.productName);
        std::string string = Node(L"ProductName", name, static_cast<unsigned>(stamp.productName.size() + 1), true);
        std::string table = Node(stamp.stringTable, std::string(), 0, true, string);
        children += Node(L"StringFileInfo", std::string(), 0, true, table);
        Align(children);
    }
    if (stamp.translation) {
        std::string pair;
        AppendDword(pair, MAKELONG(0x0409, 0x04B0));
        std::string var = Node(L"Translation", pair, 4, false);
        children += Node(L"VarFileInfo", std::string(), 0, true, var);
    }
    return Node(L"VS_VERSION_INFO", fixed, static_cast<unsigned>(fixed.size()), false, children);
}

bool StampVersion(const std::wstring& templatePath, const std::wstring& path, const VersionStamp& stamp)
{
    if (!CopyFileW(templatePath.c_str(), path.c_str(), FALSE))
        return false;
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE update = BeginUpdateResourceW(path.c_str(), FALSE);
    if (!update)
        return false;
    std::string resource = VersionResource(stamp);
    bool ok = UpdateResourceW(update, RT_VERSION, MAKEINTRESOURCEW(VS_VERSION_INFO), MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US),
                              &resource[0], static_cast<DWORD>(resource.size()));
    return EndUpdateResourceW(update, !ok) && ok;
}
