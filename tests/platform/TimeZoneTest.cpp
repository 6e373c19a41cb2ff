#include "platform/TimeZone.h"

#include "platform/DateTime.h"

#include <gtest/gtest.h>

namespace {

class TimeZoneTest : public testing::Test {
protected:
    void TearDown() override {
        SetClockForTests({});
        SetTimeZoneForTests("");
    }
};

struct ZoneCase {
    const char* Zone;
    int Month;
    DWORD Expected;
    int Bias, DaylightBias;
};

TEST_F(TimeZoneTest, TheZoneInForceFollowsTheProgramsClock) {
    const ZoneCase cases[] = {
        {"Europe/London", 1, TIME_ZONE_ID_STANDARD, 0, -60},
        {"Europe/London", 7, TIME_ZONE_ID_DAYLIGHT, 0, -60},
        {"America/New_York", 1, TIME_ZONE_ID_STANDARD, 300, -60},
        {"America/New_York", 7, TIME_ZONE_ID_DAYLIGHT, 300, -60},
        {"Australia/Sydney", 1, TIME_ZONE_ID_DAYLIGHT, -600, -60},
        {"Asia/Tokyo", 7, TIME_ZONE_ID_UNKNOWN, -540, 0},
    };
    for (const ZoneCase& c : cases) {
        SetTimeZoneForTests(c.Zone);
        const TDateTime moment = EncodeDate(2024, c.Month, 15) + EncodeTime(12, 0, 0, 0);
        SetClockForTests([moment] { return moment; });
        TIME_ZONE_INFORMATION info;
        EXPECT_EQ(GetTimeZoneInformation(info), c.Expected) << c.Zone << " " << c.Month;
        EXPECT_EQ(info.Bias, c.Bias) << c.Zone;
        EXPECT_EQ(info.StandardBias, 0) << c.Zone;
        EXPECT_EQ(info.DaylightBias, c.DaylightBias) << c.Zone;
    }
}

TEST_F(TimeZoneTest, TheZoneNamesItsStandardAndDaylightTime) {
    SetTimeZoneForTests("Europe/London");
    TIME_ZONE_INFORMATION info;
    GetTimeZoneInformation(info);
    EXPECT_EQ(info.StandardName, "Greenwich Mean Time");
    EXPECT_EQ(info.DaylightName, "British Summer Time");
}

} // namespace
