#include "detect/detect_rules.h"
#include <algorithm>
#include "detect/version.h"
#include "fsutil/paths.h"

namespace {

bool DigitsOnly(std::wstring_view text)
{
    return std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

} // namespace

bool OsExcluded(OsKind kind, std::wstring_view displayName, const OsExclusions& lists)
{
    std::wstring_view list, family;
    switch (kind) {
    case OsKind::Win9x:
        list = lists.win9x, family = L"Windows 9x/ME";
        break;
    case OsKind::Nt32:
        list = lists.winNT, family = L"Windows NT/2000/XP/Vista/Windows 7/Windows 8 x86";
        break;
    case OsKind::Nt64:
        list = lists.winNT64, family = L"Windows XP/Vista/Windows 7/Windows 8 x64";
        break;
    }
    if (list == family)
        return true;
    for (const std::wstring& item : SplitString(list, L", "))
        if (item == displayName)
            return true;
    return false;
}

bool LanguageAccepted(std::wstring_view languageList, uint16_t languageId)
{
    if (languageList.empty())
        return true;
    // Only items that end with ";" count: the text after the last ";" is not an item.
    size_t end = languageList.rfind(L';');
    if (end == std::wstring_view::npos)
        return false;
    for (const std::wstring& item : SplitString(languageList.substr(0, end + 1), L";"))
        if (static_cast<uint16_t>(ParseDecimal(item)) == languageId)
            return true;
    return false;
}

bool CompareWithReference(std::wstring_view value, std::wstring_view refContent)
{
    if (refContent.empty())
        return false;
    std::wstring_view reference = refContent.substr(1);
    switch (refContent[0]) {
    case L'C':
        return value.find(reference) != std::wstring_view::npos;
    case L'D':
        return value != reference;
    case L'E':
        return value.size() >= reference.size() && value.substr(value.size() - reference.size()) == reference;
    case L'G':
        return DigitsOnly(value) && DigitsOnly(reference) && ParseDecimal(value) > ParseDecimal(reference);
    case L'L':
        return DigitsOnly(value) && DigitsOnly(reference) && ParseDecimal(value) < ParseDecimal(reference);
    case L'M':
        return value == reference;
    case L'S':
        return value.find(reference) == 0;
    case L'X':
        return value.find(reference) == std::wstring_view::npos;
    default:
        return false;
    }
}

FileSearchParts SplitFileSearch(std::wstring_view searchString)
{
    size_t mark = searchString.find(L'?', 1);
    if (mark == std::wstring_view::npos)
        return {std::wstring(searchString), std::wstring()};
    return {std::wstring(searchString.substr(0, mark)), std::wstring(searchString.substr(mark))};
}

bool SearchesEveryFixedDrive(std::wstring_view namePart)
{
    return namePart.find_first_of(L"\\]%!") == std::wstring_view::npos;
}

FileCandidate SplitCandidateDepth(std::wstring_view candidate)
{
    size_t mark = candidate.find(L'?', 1);
    if (mark == std::wstring_view::npos)
        return {std::wstring(candidate), 0};
    return {std::wstring(candidate.substr(0, mark)), ParseDecimal(candidate.substr(mark + 1))};
}

bool InternetExplorerMajorFrom(const std::wstring* version, const std::wstring* iver, int32_t& major)
{
    if (version && std::count(version->begin(), version->end(), L'.') >= 2) {
        major = ParseDecimal(std::wstring_view(*version).substr(0, version->find(L'.')));
        return true;
    }
    if (!iver)
        return false;
    if (*iver == L"100")
        major = 1;
    else if (*iver == L"101" || *iver == L"102")
        major = 2;
    else if (*iver == L"103")
        major = 3;
    else
        return false;
    return true;
}
