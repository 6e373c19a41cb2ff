#include "platform/SystemStatus.h"

#include <sys/resource.h>
#include <sys/utsname.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

// The kibibyte figures of /proc/meminfo or /proc/self/status named, in bytes; 0 when missing.
uint64_t ProcFigure(const char* file, const String& name) {
    std::ifstream in(file);
    String line;
    while (std::getline(in, line))
        if (line.compare(0, name.size() + 1, name + ":") == 0)
            return std::strtoull(line.c_str() + name.size() + 1, nullptr, 10) * 1024;
    return 0;
}

// The user address space of x86-64 and AArch64 with 4-level page tables: 128 TiB.
const uint64_t UserAddressSpace = uint64_t(1) << 47;

uint64_t AddressSpaceLimit() {
    rlimit limit{};
    if (getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
        return limit.rlim_cur;
    return UserAddressSpace;
}

unsigned NextNumber(std::istringstream& in) {
    unsigned value = 0;
    in >> value;
    in.clear();
    in.ignore(1);
    return value;
}

} // namespace

void GlobalMemoryStatus(TMemoryStatus& status) {
    status = TMemoryStatus();
    status.TotalPhys = ProcFigure("/proc/meminfo", "MemTotal");
    status.AvailPhys = std::min(ProcFigure("/proc/meminfo", "MemAvailable"), status.TotalPhys);
    status.TotalPageFile = ProcFigure("/proc/meminfo", "SwapTotal");
    status.AvailPageFile = std::min(ProcFigure("/proc/meminfo", "SwapFree"), status.TotalPageFile);
    status.TotalVirtual = AddressSpaceLimit();
    uint64_t used = ProcFigure("/proc/self/status", "VmSize");
    status.AvailVirtual = used < status.TotalVirtual ? status.TotalVirtual - used : 0;
    if (status.TotalPhys > 0)
        status.MemoryLoad =
            static_cast<unsigned>((status.TotalPhys - status.AvailPhys) * 100 / status.TotalPhys);
}

bool GetVersionEx(TOSVersionInfo& info) {
    info = TOSVersionInfo();
    utsname name{};
    if (uname(&name) != 0)
        return false;
    std::istringstream release(name.release);
    info.MajorVersion = NextNumber(release);
    info.MinorVersion = NextNumber(release);
    info.BuildNumber = NextNumber(release);
    info.PlatformId = VER_PLATFORM_LINUX;
    info.CSDVersion = name.version;
    return true;
}
