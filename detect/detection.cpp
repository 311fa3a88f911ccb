#include "detect/detection.h"
#include <windows.h>
#include "core/prereq_model.h"
#include "detect/detect_rules.h"
#include "detect/searches.h"
#include "detect/system_probes.h"
#include "log/setup_log.h"

namespace {

std::wstring LanguageName(LANGID language)
{
    wchar_t name[128] = L"";
    GetLocaleInfoW(MAKELCID(language, SORT_DEFAULT), LOCALE_SLANGUAGE, name, 128);
    return name;
}

PrereqAction MissingAction(SourceKind kind)
{
    switch (kind) {
    case SourceKind::Url:
        return PrereqAction::Download;
    case SourceKind::OpenSite:
        return PrereqAction::OpenSite;
    default:
        return PrereqAction::InstallFromPackage;
    }
}

} // namespace

bool PassesOsFilter(const Prerequisite& prerequisite)
{
    OsExclusions lists{prerequisite.win9xVersions, prerequisite.winNTVersions, prerequisite.winNT64Versions};
    return !OsExcluded(GetOsKind(), OsDisplayName(), lists);
}

bool PassesLanguageFilter(const std::wstring& languageList)
{
    if (languageList.empty())
        return true;
    LANGID language = GetSystemDefaultLangID();
    if (logEnabled)
        Log(L"SystemDefault LangID=" + std::to_wstring(language) + L"-" + LanguageName(language));
    return LanguageAccepted(languageList, language);
}

void EvaluatePrerequisite(size_t index, ChainerConfig& config, bool recheck)
{
    Prerequisite& prerequisite = config.prerequisites[index];
    if (prerequisite.action == PrereqAction::Excluded)
        return;
    if (!PassesOsFilter(prerequisite) || !PassesLanguageFilter(prerequisite.languageList)) {
        Log(L"Wrong OS or Os language for:" + prerequisite.name);
        prerequisite.action = PrereqAction::Excluded;
        return;
    }
    bool want64 = HasOption(prerequisite.options, L'x');
    Log(L"Searching for:" + prerequisite.name);
    if (recheck && prerequisite.noDetection) {
        prerequisite.action = PrereqAction::Installed;
        return;
    }
    bool found = !prerequisite.noDetection && EvaluateSearches(prerequisite, want64);
    prerequisite.action = found ? PrereqAction::Installed : MissingAction(prerequisite.sourceKind);
    Log(std::wstring(L"Search result:") + ActionText(prerequisite.action));
}
