// The pure rules of prerequisite detection: which systems and languages a prerequisite
// applies to, how searches combine, how a registry value is compared with a reference, how a
// file search string is taken apart, and which Internet Explorer version the registry names.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include "detect/os_version.h"

// The version lists of a prerequisite, each naming systems it is not installed on: either the
// whole-family name of its family, or display names separated by ", ".
struct OsExclusions {
    std::wstring_view win9x;    // Win9xVersions, "Windows 9x/ME" for the whole family
    std::wstring_view winNT;    // WinNTVersions, "Windows NT/2000/XP/Vista/Windows 7/Windows 8 x86"
    std::wstring_view winNT64;  // WinNT64Versions, "Windows XP/Vista/Windows 7/Windows 8 x64"
};
// True when the list of the running family excludes the system with that display name.
bool OsExcluded(OsKind kind, std::wstring_view displayName, const OsExclusions& lists);

// True when an item of the list (each ends with ";", read as a decimal number) has the
// language identifier in its low 16 bits; an empty list accepts every language.
bool LanguageAccepted(std::wstring_view languageList, uint16_t languageId);

// Combines the verdicts of `count` searches, asking `evaluate(i)` in order only as far as
// needed. Operator 0: all must match (stops at the first false; no searches is true).
// Operator 1: one is enough (stops at the first true). Any other operator: every search is
// evaluated and the result is false.
template <typename Evaluate>
bool CombineSearches(int32_t op, size_t count, Evaluate evaluate)
{
    bool result = op == 0;
    for (size_t i = 0; i < count; ++i) {
        bool verdict = evaluate(i);
        if (op == 0 && !verdict)
            return false;
        if (op == 1 && verdict)
            return true;
    }
    return result;
}

// A registry value against RefContent, whose first character is the operator and the rest
// the reference: C contains, D differs, E ends with, G/L greater/less (both digits only),
// M equals, S starts with, X does not contain. Case-sensitive; anything else is false.
bool CompareWithReference(std::wstring_view value, std::wstring_view refContent);

// A file search string: "name?depth". The name part ends before a "?" found after the first
// character; the tail is the rest from that "?" on (empty without one).
struct FileSearchParts {
    std::wstring namePart;
    std::wstring tail;
};
FileSearchParts SplitFileSearch(std::wstring_view searchString);

// A bare name (no backslash, no "]", "%" or "!") is looked for below every fixed drive's root.
bool SearchesEveryFixedDrive(std::wstring_view namePart);

// One candidate of a file search without its depth suffix, and the depth (0 without one).
struct FileCandidate {
    std::wstring path;
    int32_t depth = 0;
};
FileCandidate SplitCandidateDepth(std::wstring_view candidate);

// The Internet Explorer major version from the registry's "Version" text (taken when it has
// two dots or more) or else its "IVer" text ("100" is 1, "101" and "102" are 2, "103" is 3).
// A null text is a value that could not be read. False when neither gives a version.
bool InternetExplorerMajorFrom(const std::wstring* version, const std::wstring* iver, int32_t& major);
