// The memory status and version come from the running Linux system.

#include "platform/SystemStatus.h"

#include <gtest/gtest.h>

TEST(SystemStatusTest, MemoryFiguresAreConsistent) {
    TMemoryStatus status;
    GlobalMemoryStatus(status);
    EXPECT_GT(status.TotalPhys, 0u);
    EXPECT_LE(status.AvailPhys, status.TotalPhys);
    EXPECT_LE(status.AvailPageFile, status.TotalPageFile);
    EXPECT_GT(status.TotalVirtual, 0u);
    EXPECT_LT(status.AvailVirtual, status.TotalVirtual); // this process uses some of it
    EXPECT_LE(status.MemoryLoad, 100u);
}

TEST(SystemStatusTest, TheVersionIsTheKernelsAndTheSystemNoneOfWindows) {
    TOSVersionInfo info;
    ASSERT_TRUE(GetVersionEx(info));
    EXPECT_EQ(info.PlatformId, static_cast<unsigned>(VER_PLATFORM_LINUX));
    EXPECT_GE(info.MajorVersion, 2u);
    EXPECT_FALSE(info.CSDVersion.empty());
}
