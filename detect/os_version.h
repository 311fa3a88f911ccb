// What Windows says about its own version, as plain facts, and the names derived from them.
#pragma once
#include <cstdint>
#include <string>

// The Windows family as the filters see it; Nt64 is a 32-bit process on 64-bit Windows.
enum class OsKind { Win9x = 0, Nt32 = 1, Nt64 = 2 };

struct OsVersionReport {
    bool queried = false;    // GetVersionExW answered, extended or basic
    bool extended = false;   // the extended structure was filled
    uint32_t major = 0;
    uint32_t minor = 0;
    uint32_t build = 0;      // the whole 32-bit field (on Windows 9x its high word is the version)
    uint32_t platformId = 0;
    std::wstring servicePack;    // the service-pack text (CSD version)
    uint16_t servicePackMajor = 0;   // extended fields: 0 when not extended
    uint16_t servicePackMinor = 0;
    uint16_t suiteMask = 0;
    uint8_t productType = 0;         // 1 workstation, 2 domain controller, 3 server
    bool wow64 = false;      // a 32-bit process on 64-bit Windows
};

// The display name of the running Windows ("Windows 7 x64 Service Pack 1", ...), or
// "OsNotIdentified" for any combination that the table does not know.
std::wstring OsDisplayNameFor(const OsVersionReport& report);
