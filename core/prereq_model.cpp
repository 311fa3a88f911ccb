#include "core/prereq_model.h"

const wchar_t* ActionText(PrereqAction action)
{
    switch (action) {
    case PrereqAction::Installed:
        return L"An acceptable version was found.";
    case PrereqAction::InstallFromPackage:
        return L"No acceptable version found. It must be installed from package.";
    case PrereqAction::Download:
        return L"No acceptable version found. It must be downloaded.";
    case PrereqAction::OpenSite:
    case PrereqAction::Excluded:
        return L"No acceptable version found. It must be downloaded manually from a site.";
    case PrereqAction::AlreadyDownloaded:
        return L"No acceptable version found. It is already downloaded and it will be installed.";
    case PrereqAction::NoAcceptableVersion:
        return L"No acceptable version found.";
    case PrereqAction::NotSelected:
        return L"Not selected for install.";
    default:
        return L"Undefined";
    }
}

bool NeedsInstalling(PrereqAction action)
{
    return action == PrereqAction::InstallFromPackage || action == PrereqAction::Download ||
           action == PrereqAction::OpenSite;
}

namespace {

// Terminates on cycles of parent references: a flag that already holds the value stops the walk.
void Select(std::vector<Prerequisite>& list, size_t index, bool value, std::vector<size_t>& changes)
{
    if (list[index].selected == value)
        return;
    list[index].selected = value;
    changes.push_back(index);

    for (size_t child = 0; child < list.size(); ++child) {
        if (child == index || list[child].action == PrereqAction::Excluded ||
            list[child].parentPrereq != list[index].name)
            continue;
        Select(list, child, value && NeedsInstalling(list[child].action), changes);
    }

    if (value && !list[index].parentPrereq.empty()) {
        for (size_t parent = 0; parent < list.size(); ++parent) {
            if (list[parent].name != list[index].parentPrereq)
                continue;
            if (list[parent].action != PrereqAction::Installed && list[parent].action != PrereqAction::Excluded)
                Select(list, parent, true, changes);
            break;
        }
    }
    // Selecting the parent reaches this prerequisite again as its child and may have cleared
    // it (a child whose action needs nothing); the requested value stands.
    list[index].selected = value;
}

} // namespace

std::vector<size_t> PropagateSelection(std::vector<Prerequisite>& prerequisites, size_t index, bool value)
{
    std::vector<size_t> changes;
    if (index < prerequisites.size())
        Select(prerequisites, index, value, changes);
    return changes;
}

bool AnyToInstall(const std::vector<Prerequisite>& prerequisites)
{
    for (const Prerequisite& prerequisite : prerequisites)
        if (NeedsInstalling(prerequisite.action))
            return true;
    return false;
}
