#pragma once
// The system's memory status and version, as the Windows calls of those names give them.

#include "platform/SysUtils.h"

#include <cstdint>

// Amounts in bytes. Physical memory is the machine's RAM (available: what can be had without
// swapping), the page file is the swap space, and virtual memory is the process's address space
// (its limit when one is set, else the user address space of the machine's 64-bit layout).
struct TMemoryStatus {
    unsigned MemoryLoad = 0; // percent of physical memory in use
    uint64_t TotalPhys = 0;
    uint64_t AvailPhys = 0;
    uint64_t TotalPageFile = 0;
    uint64_t AvailPageFile = 0;
    uint64_t TotalVirtual = 0;
    uint64_t AvailVirtual = 0;
};
void GlobalMemoryStatus(TMemoryStatus& status);

enum : unsigned {
    VER_PLATFORM_WIN32s = 0,
    VER_PLATFORM_WIN32_WINDOWS = 1,
    VER_PLATFORM_WIN32_NT = 2,
    // None of Windows' own: the system is Linux.
    VER_PLATFORM_LINUX = 0x100,
};

// From the kernel: its release gives the version and build ("6.1.76-..." -> 6, 1, 76), its
// version string the service-pack text.
struct TOSVersionInfo {
    unsigned MajorVersion = 0;
    unsigned MinorVersion = 0;
    unsigned BuildNumber = 0;
    unsigned PlatformId = 0;
    String CSDVersion;
};
bool GetVersionEx(TOSVersionInfo& info);
