#pragma once
// The system's time-zone information, as the program asks Win32 for it: the offsets in minutes
// (UTC = local time + Bias, plus StandardBias or DaylightBias for the part of the year in force)
// and the names of the zone's standard and daylight time.

#include "platform/Messages.h"
#include "platform/SysUtils.h"

struct TIME_ZONE_INFORMATION {
    int Bias = 0;
    String StandardName;
    int StandardBias = 0;
    String DaylightName;
    int DaylightBias = 0;
};

constexpr DWORD TIME_ZONE_ID_UNKNOWN = 0; // the zone has no daylight time
constexpr DWORD TIME_ZONE_ID_STANDARD = 1;
constexpr DWORD TIME_ZONE_ID_DAYLIGHT = 2;

// Fills info for the local zone and tells which time is in force at the program's clock (Now),
// so a test clock in summer gives daylight time.
DWORD GetTimeZoneInformation(TIME_ZONE_INFORMATION& info);

// Test hook: the zone by its IANA name ("Europe/London"); an empty name restores the system's.
void SetTimeZoneForTests(const String& zoneName);
