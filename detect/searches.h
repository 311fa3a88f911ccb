// The twelve kinds of search that detect whether an acceptable version of a prerequisite is
// installed, evaluated against the running system. No search reports an error: a failing
// Windows call makes it not match.
#pragma once
#include "core/prerequisite.h"

enum SearchType : int32_t {
    SearchFile = 0,             // file path with folder tokens and "?depth": versions found
    SearchRegSubkeys = 1,       // registry key: names of its subkeys
    SearchRegValue = 2,         // registry value: its data as text
    SearchMsiProduct = 3,       // product code: its version
    SearchMsiUpgradeCode = 4,   // upgrade code: versions of the related products
    SearchRegKeyExists = 5,
    SearchRegKeyAbsent = 6,
    SearchRegValueExists = 7,
    SearchRegValueAbsent = 8,
    SearchRegValueCompare = 9,  // registry value compared with RefContent
    SearchRunProgram = 10,      // never matches
    SearchMsiComponent = 11,    // component code: installed locally or from source
};

// Evaluates one search; `result` receives what was found. want64 reads the 64-bit registry
// view and, for files, switches WOW64 redirection off. Types outside 0 to 11 match.
bool EvaluateSearch(const PrereqSearch& search, bool want64, SearchResult& result);

// Rebuilds the prerequisite's results, one per search evaluated, and combines the verdicts by
// its operator.
bool EvaluateSearches(Prerequisite& prerequisite, bool want64);
