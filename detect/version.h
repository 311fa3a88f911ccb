// Version values as detection compares them: four signed fields parsed from any text, and
// the two range tests built on them. Also the plain decimal reader that every integer of the
// configuration goes through.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct VersionNumber {
    int32_t part[4] = {0, 0, 0, 0};  // major, minor, third, fourth
};

// Reads up to four runs of ASCII digits; any other character separates them and leading text
// is skipped ('rev 1.2 build 7' is 1.2.7.0). Returns false, with the zero version in
// `version`, for a text without digits or with a field too large for 32 bits.
bool ParseVersion(std::wstring_view text, VersionNumber& version);
VersionNumber ParseVersion(std::wstring_view text);  // the zero version when unreadable

int CompareVersions(const VersionNumber& a, const VersionNumber& b);  // -1, 0 or +1
bool IsZeroVersion(const VersionNumber& version);
bool IsOpenBound(const VersionNumber& version);  // zero or all 65535
std::wstring FormatVersion(const VersionNumber& version);
// The text of a version resource's fixed version words: "%d.%d.%d.%d" of their halves.
std::wstring FileVersionText(uint32_t ms, uint32_t ls);

// The range test used while walking candidates: open bounds (zero or all-ones) are absent.
bool WithinBounds(const VersionNumber& min, const VersionNumber& max, const VersionNumber& v);
// The range test that gives a search its verdict: only zero bounds are absent, and once a
// bound is set a text that reads as the zero version never satisfies it.
bool AnyFoundWithinBounds(const VersionNumber& min, const VersionNumber& max,
                          const std::vector<std::wstring>& found);

// Leading blanks, an optional "-", an optional "+", then digits up to the first non-digit;
// no digit gives 0. Values wrap at 32 bits.
int32_t ParseDecimal(std::wstring_view text);
