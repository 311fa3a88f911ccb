#include "detect/tokens.h"

std::wstring ExpandTokens(std::wstring_view text, const TokenValues& values)
{
    std::wstring out;
    size_t pos = 0;
    for (;;) {
        size_t opener = text.find_first_of(L"[%!", pos);
        if (opener == std::wstring_view::npos) {
            out += text.substr(pos);
            return out;
        }
        out += text.substr(pos, opener - pos);

        wchar_t kind = text[opener];
        wchar_t closerChar = L']';
        size_t searchFrom = opener;
        if (kind == L'%') {
            closerChar = L'%';
            searchFrom = opener + 1;
        } else if (kind == L'!') {
            // A registry path is never empty, so "!!" does not close: the search for the
            // closer starts one character further on.
            closerChar = L'!';
            searchFrom = opener + 2;
        }
        size_t closer = searchFrom < text.size() ? text.find(closerChar, searchFrom) : std::wstring_view::npos;
        if (closer == std::wstring_view::npos) {
            out += text.substr(opener);
            return out;
        }

        std::wstring_view name = text.substr(opener + 1, closer - opener - 1);
        if (kind == L'[') {
            std::wstring path;
            if (values.Folder(name, path))
                out += path;
            else
                out += text.substr(opener, closer - opener + 1);
        } else if (kind == L'%') {
            out += values.Environment(name);
        } else {
            out += values.Registry(name);
        }
        pos = closer + 1;
    }
}
