// Where the setups of packaged prerequisites are found: the extraction folder, or beside the
// executable when there is none. Nothing is extracted: the files are expected to lie there.
#pragma once
#include <windows.h>
#include <string>

class PackageFolder {
public:
    // Binds the object to the executable at `path`, or to the running executable when `path`
    // is empty. Returns 0, or 4 when the module's file name cannot be obtained (nothing is
    // set then).
    DWORD Open(const std::wstring& path);
    // The completed extraction folder of the run.
    void SetExtractionFolder(const std::wstring& folder);
    // An absolute SetupFile (two leading backslashes, or a colon second) unchanged; otherwise
    // appended as written to the extraction folder, or to the executable's folder when no
    // extraction folder is known. The file's existence is not checked.
    std::wstring ResolveSetupFile(const std::wstring& setupFile) const;

    const std::wstring& PackagePath() const { return packagePath; }
    const std::wstring& Folder() const { return packageFolder; }

private:
    std::wstring packagePath;
    std::wstring packageFolder;     // ends with a backslash
    std::wstring extractionFolder;  // empty until the run sets it
};
