#include "config/working_folders.h"
#include "detect/system_probes.h"
#include "fsutil/files.h"

namespace {

// Each folder is completed on the thread that first needs it: the extraction folder on the
// main thread at start-up, the download folder when the phases are set up.
const std::wstring& CompleteOnce(bool& completed, std::wstring& folder, const GeneralOptions& options)
{
    if (!completed) {
        folder = CompleteWorkingFolder(folder, TempFolder(), options.defaultProductCode, SystemTokens());
        completed = true;
    }
    return folder;
}

bool extractionCompleted = false;
bool downloadCompleted = false;

} // namespace

const std::wstring& ExtractionFolder(ChainerConfig& config)
{
    return CompleteOnce(extractionCompleted, config.options.extractionFolder, config.options);
}

const std::wstring& DownloadFolder(ChainerConfig& config)
{
    return CompleteOnce(downloadCompleted, config.options.downloadFolder, config.options);
}
