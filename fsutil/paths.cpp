#include "fsutil/paths.h"

namespace {
constexpr std::wstring_view kLongPathPrefix = L"\\\\?\\";
}

std::vector<std::wstring> SplitString(std::wstring_view text, std::wstring_view separator)
{
    std::vector<std::wstring> pieces;
    if (separator.empty()) {
        if (!text.empty())
            pieces.emplace_back(text);
        return pieces;
    }
    while (!text.empty()) {
        size_t at = text.find(separator);
        if (at == std::wstring_view::npos) {
            pieces.emplace_back(text);
            break;
        }
        pieces.emplace_back(text.substr(0, at));
        text.remove_prefix(at + separator.size());
    }
    return pieces;
}

void EnsureTrailingBackslash(std::wstring& path)
{
    if (!path.empty() && path.back() != L'\\')
        path += L'\\';
}

std::wstring ParentPath(std::wstring_view path)
{
    size_t last = path.rfind(L'\\');
    return last == std::wstring_view::npos ? std::wstring() : std::wstring(path.substr(0, last));
}

void ReplaceExtension(std::wstring& path, std::wstring_view extension)
{
    size_t dot = path.rfind(L'.');
    if (dot == std::wstring::npos)
        return;
    path.resize(dot);
    path += extension;
}

void SanitizeFileName(std::wstring& name)
{
    for (wchar_t& c : name)
        if (std::wstring_view(L"<>:\"/\\|?*").find(c) != std::wstring_view::npos)
            c = L'_';
}

bool HasLongPathPrefix(std::wstring_view path)
{
    return path.substr(0, kLongPathPrefix.size()) == kLongPathPrefix;
}

std::wstring StripLongPathPrefix(std::wstring_view path)
{
    return std::wstring(HasLongPathPrefix(path) ? path.substr(kLongPathPrefix.size()) : path);
}

bool IsUncPath(std::wstring_view path)
{
    return path.size() > 2 && path[0] == L'\\' && path[1] == L'\\' && path[2] != L'?';
}

bool IsAbsolutePath(std::wstring_view path)
{
    return path.size() >= 2 && ((path[0] == L'\\' && path[1] == L'\\') || path[1] == L':');
}

bool IsRootedPath(std::wstring_view path)
{
    return !path.empty() && (path[0] == L'\\' || path.find(L':') != std::wstring_view::npos);
}

std::vector<std::wstring> SplitPath(std::wstring_view path)
{
    std::wstring_view prefix;
    if (HasLongPathPrefix(path)) {
        prefix = path.substr(0, kLongPathPrefix.size());
        path.remove_prefix(kLongPathPrefix.size());
    }
    size_t end = path.find(L'\\', IsUncPath(path) ? 2 : 0);
    std::wstring first(prefix);
    first += path.substr(0, end);
    std::wstring_view rest = end == std::wstring_view::npos ? std::wstring_view() : path.substr(end + 1);

    std::vector<std::wstring> components;
    if (!first.empty())
        components.push_back(std::move(first));
    for (std::wstring& piece : SplitString(rest, L"\\"))
        components.push_back(std::move(piece));
    return components;
}

std::wstring NormalizePath(std::wstring_view path)
{
    std::wstring result;
    for (const std::wstring& component : SplitPath(path)) {
        if (!result.empty() && result.back() != L']')
            EnsureTrailingBackslash(result);
        size_t keep = component.find_last_not_of(L" .");
        result.append(component, 0, keep == std::wstring::npos ? 0 : keep + 1);
    }
    return result;
}
