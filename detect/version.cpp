#include "detect/version.h"

namespace {

bool IsDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

bool IsAllOnes(const VersionNumber& version)
{
    for (int32_t field : version.part)
        if (field != 65535)
            return false;
    return true;
}

} // namespace

bool ParseVersion(std::wstring_view text, VersionNumber& version)
{
    version = VersionNumber();
    size_t pos = 0;
    for (int field = 0; field < 4; ++field) {
        while (pos < text.size() && !IsDigit(text[pos]))
            ++pos;
        if (pos == text.size())
            return field > 0;  // a text without any digit fails
        // A field that is above 214748364 before a further digit could not hold that digit
        // in 31 bits; 2147483648 and 2147483649 get past that test and are refused by the
        // range check after it, so that no field is ever clamped or wrapped.
        int64_t value = 0;
        for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
            if (value > 214748364) {
                version = VersionNumber();
                return false;
            }
            value = value * 10 + (text[pos] - L'0');
        }
        if (value > INT32_MAX) {
            version = VersionNumber();
            return false;
        }
        version.part[field] = static_cast<int32_t>(value);
    }
    return true;
}

VersionNumber ParseVersion(std::wstring_view text)
{
    VersionNumber version;
    ParseVersion(text, version);
    return version;
}

int CompareVersions(const VersionNumber& a, const VersionNumber& b)
{
    for (int i = 0; i < 4; ++i) {
        if (a.part[i] < b.part[i])
            return -1;
        if (a.part[i] > b.part[i])
            return 1;
    }
    return 0;
}

bool IsZeroVersion(const VersionNumber& version)
{
    for (int32_t field : version.part)
        if (field != 0)
            return false;
    return true;
}

bool IsOpenBound(const VersionNumber& version)
{
    return IsZeroVersion(version) || IsAllOnes(version);
}

std::wstring FormatVersion(const VersionNumber& version)
{
    int last = 3;
    while (last >= 0 && (version.part[last] == 0 || version.part[last] == 65535))
        --last;
    if (last < 0)
        return L"0.0.0.0";
    if (last == 0)
        last = 1;
    std::wstring text = std::to_wstring(version.part[0]);
    for (int i = 1; i <= last; ++i)
        text += L"." + std::to_wstring(version.part[i]);
    return text;
}

std::wstring FileVersionText(uint32_t ms, uint32_t ls)
{
    return std::to_wstring(ms >> 16) + L"." + std::to_wstring(ms & 0xFFFF) + L"." + std::to_wstring(ls >> 16) + L"." +
           std::to_wstring(ls & 0xFFFF);
}

bool WithinBounds(const VersionNumber& min, const VersionNumber& max, const VersionNumber& v)
{
    bool minOpen = IsOpenBound(min);
    bool maxOpen = IsOpenBound(max);
    if (minOpen && maxOpen)
        return true;
    if (!minOpen && CompareVersions(min, v) > 0)
        return false;
    if (!maxOpen && CompareVersions(max, v) < 0)
        return false;
    return true;
}

bool AnyFoundWithinBounds(const VersionNumber& min, const VersionNumber& max, const std::vector<std::wstring>& found)
{
    if (found.empty())
        return false;
    bool minSet = !IsZeroVersion(min);
    bool maxSet = !IsZeroVersion(max);
    if (!minSet && !maxSet)
        return true;
    for (const std::wstring& text : found) {
        VersionNumber v = ParseVersion(text);
        if (IsZeroVersion(v))
            continue;
        if (minSet && CompareVersions(min, v) > 0)
            continue;
        if (maxSet && CompareVersions(v, max) > 0)
            continue;
        return true;
    }
    return false;
}

int32_t ParseDecimal(std::wstring_view text)
{
    size_t pos = 0;
    while (pos < text.size() && text[pos] == L' ')
        ++pos;
    bool negative = false;
    if (pos < text.size() && text[pos] == L'-') {
        negative = true;
        ++pos;
    }
    if (pos < text.size() && text[pos] == L'+')
        ++pos;
    // Unsigned arithmetic wraps at 32 bits, as the configuration's integers always have.
    uint32_t value = 0;
    for (; pos < text.size() && IsDigit(text[pos]); ++pos)
        value = value * 10u + static_cast<uint32_t>(text[pos] - L'0');
    if (negative)
        value = 0u - value;
    return static_cast<int32_t>(value);
}
