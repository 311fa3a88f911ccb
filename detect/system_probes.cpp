#include "detect/system_probes.h"

OsVersionReport QueryOsVersion()
{
    OsVersionReport report;
    OSVERSIONINFOEXW info = {};
    info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXW);
    // GetVersionExW is deprecated in newer SDKs but is exactly what is wanted here: the
    // version as reported to this (manifest-limited) process.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info))) {
        report.extended = true;
    } else {
        info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOW);
        if (!GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info)))
            return report;
    }
#pragma GCC diagnostic pop
    report.queried = true;
    report.major = info.dwMajorVersion;
    report.minor = info.dwMinorVersion;
    report.build = info.dwBuildNumber;
    report.platformId = info.dwPlatformId;
    report.servicePack = info.szCSDVersion;
    if (report.extended) {
        report.servicePackMajor = info.wServicePackMajor;
        report.servicePackMinor = info.wServicePackMinor;
        report.suiteMask = info.wSuiteMask;
        report.productType = info.wProductType;
    }
    return report;
}
