// Placeholders in configured paths and command lines: "[Folder]" names, "%VAR%" environment
// variables and "!ROOT\key\value!" registry values.
#pragma once
#include <string>
#include <string_view>

// Where the values of placeholders come from: the running system, or a test's made-up facts.
// (Not named TokenSource: <windows.h> declares an enumerator of that name, which would hide
// the class wherever both are visible.)
class TokenValues {
public:
    virtual ~TokenValues() = default;
    // The path of a folder name (ending with a backslash); false when the name is unknown.
    virtual bool Folder(std::wstring_view name, std::wstring& path) const = 0;
    // The value of an environment variable; empty when it does not exist.
    virtual std::wstring Environment(std::wstring_view name) const = 0;
    // The text of a registry value named by ROOT\key\value; empty when it cannot be read.
    virtual std::wstring Registry(std::wstring_view path) const = 0;
};

// Copies the text from left to right, replacing every complete token; an unknown folder name
// stays as written, brackets included; an opener without its closer is copied unchanged with
// the rest of the text. Replacement texts are not scanned again.
std::wstring ExpandTokens(std::wstring_view text, const TokenValues& values);
