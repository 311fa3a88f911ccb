// Texts shown to the user: entries of the executable's string table, formatted with
// arguments. Log lines are fixed English texts and never come from here.
#pragma once
#include <initializer_list>
#include <string>
#include <string_view>

// The string-table entry of the executable's own module (at most 1299 characters); empty for
// an identifier without an entry.
std::wstring LoadText(unsigned id);

// Replaces each "%s" of the format by the next argument, unchanged (a "%" inside an argument
// stays as it is); "%%" gives "%". A "%s" without an argument left gives the empty text.
std::wstring FormatText(std::wstring_view format, std::initializer_list<std::wstring_view> arguments);
