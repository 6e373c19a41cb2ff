#include "platform/DateTime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ctime>

namespace {

// Every test starts from the fixed English values and the system clock, and leaves them so.
class DateTimeTest : public testing::Test {
protected:
    void SetUp() override {
        FSaved = FormatSettings;
        ResetFormatSettingsForTests();
    }
    void TearDown() override {
        FormatSettings = FSaved;
        SetClockForTests({});
    }

    // Tuesday 5 March 2024, 14:07:09.045
    static TDateTime Moment() { return EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 45); }

private:
    TFormatSettings FSaved;
};

struct DateCase {
    int Year, Month, Day;
    TDateTime Serial;
    int DayOfWeek;
};

TEST_F(DateTimeTest, DatesCountDaysFrom30December1899) {
    const DateCase cases[] = {
        {1899, 12, 30, 0, 7},       {1899, 12, 31, 1, 1},     {1899, 12, 29, -1, 6},
        {1900, 1, 1, 2, 2},         {1900, 3, 1, 61, 5},      {2000, 2, 29, 36585, 3},
        {2024, 3, 5, 45356, 3},     {1752, 9, 14, -53797, 5}, {1, 1, 1, -693593, 2},
        {9999, 12, 31, 2958465, 6},
    };
    for (const DateCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.Year) + "-" + std::to_string(c.Month) + "-" +
                     std::to_string(c.Day));
        EXPECT_EQ(EncodeDate(c.Year, c.Month, c.Day), c.Serial);
        int year = 0, month = 0, day = 0;
        DecodeDate(c.Serial, year, month, day);
        EXPECT_EQ(year, c.Year);
        EXPECT_EQ(month, c.Month);
        EXPECT_EQ(day, c.Day);
        EXPECT_EQ(DayOfWeek(c.Serial), c.DayOfWeek);
        // Before day 0 the whole part counts back while the time still runs forward.
        EXPECT_EQ(DayOfWeek(c.Serial < 0 ? c.Serial - 0.75 : c.Serial + 0.75), c.DayOfWeek);
    }
}

TEST_F(DateTimeTest, InvalidDatesAndTimesRaise) {
    const int dates[][3] = {{2023, 2, 29}, {1900, 2, 29}, {0, 1, 1},     {10000, 1, 1},
                            {2024, 13, 1}, {2024, 0, 1},  {2024, 4, 31}, {2024, 1, 0}};
    for (const auto& d : dates) {
        SCOPED_TRACE(std::to_string(d[0]) + "-" + std::to_string(d[1]) + "-" +
                     std::to_string(d[2]));
        TDateTime ignored = 0;
        EXPECT_FALSE(TryEncodeDate(d[0], d[1], d[2], ignored));
        try {
            EncodeDate(d[0], d[1], d[2]);
            ADD_FAILURE() << "no error";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), "Invalid argument to date encode");
        }
    }
    const int times[][4] = {{24, 0, 0, 0},   {0, 60, 0, 0}, {0, 0, 60, 0},
                            {0, 0, 0, 1000}, {-1, 0, 0, 0}, {0, 0, 0, -1}};
    for (const auto& t : times) {
        TDateTime ignored = 0;
        EXPECT_FALSE(TryEncodeTime(t[0], t[1], t[2], t[3], ignored));
        EXPECT_THROW(EncodeTime(t[0], t[1], t[2], t[3]), EConvertError);
    }
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_TRUE(IsLeapYear(2024));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_FALSE(IsLeapYear(2023));
}

TEST_F(DateTimeTest, TimesAreTheFractionOfADay) {
    EXPECT_EQ(EncodeTime(6, 0, 0, 0), 0.25);
    EXPECT_EQ(EncodeTime(18, 0, 0, 0), 0.75);
    struct Case {
        TDateTime Value;
        int Year, Month, Day, Hour, Min, Sec, MSec;
    };
    const Case cases[] = {
        {45356 + EncodeTime(23, 59, 59, 999), 2024, 3, 5, 23, 59, 59, 999},
        {45356.5, 2024, 3, 5, 12, 0, 0, 0},
        // A hair before midnight rounds up to the next day, not to 24:00.
        {45356.9999999999, 2024, 3, 6, 0, 0, 0, 0},
        // Before 30 December 1899 the fraction still runs forward from midnight.
        {-1.25, 1899, 12, 29, 6, 0, 0, 0},
        {-0.5, 1899, 12, 30, 12, 0, 0, 0},
        {-1.9999999999, 1899, 12, 30, 0, 0, 0, 0},
        // Outside years 1 to 9999 there is no date.
        {3e6, 0, 0, 0, 0, 0, 0, 0},
        {std::nan(""), 0, 0, 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Value);
        int year, month, day, hour, min, sec, msec;
        DecodeDate(c.Value, year, month, day);
        DecodeTime(c.Value, hour, min, sec, msec);
        EXPECT_EQ((std::array{year, month, day, hour, min, sec, msec}),
                  (std::array{c.Year, c.Month, c.Day, c.Hour, c.Min, c.Sec, c.MSec}));
    }
}

TEST_F(DateTimeTest, FormatDateTimeSpeaksTheFrameworksLanguage) {
    struct Case {
        String Format, Expected;
    };
    const Case cases[] = {
        {"d/m/yy", "5/3/24"},
        {"dd/mm/yyyy", "05/03/2024"},
        {"y yyy", "24 2024"},
        {"ddd dddd", "Tue Tuesday"},
        {"mmm mmmm", "Mar March"},
        {"aaa aaaa", "Tue Tuesday"},
        {"ddddd", "3/5/2024"},
        {"dddddd", "Tuesday, March 5, 2024"},
        {"c", "3/5/2024 2:07:09 PM"},
        {"", "3/5/2024 2:07:09 PM"},
        {"t", "2:07 PM"},
        {"tt", "2:07:09 PM"},
        // "m" right after an hour is the minutes, also across separators and quoted text.
        {"hh:mm:ss", "14:07:09"},
        {"h:m", "14:7"},
        {"hh mm", "14 07"},
        {"hh \"h\" mm", "14 h 07"},
        {"hh:nn mm", "14:07 03"},
        {"h n m", "14 7 3"},
        {"mm/dd hh", "03/05 14"},
        {"hh:nn:ss.zzz z", "14:07:09.045 45"},
        {"hhh nnn sss", "14 07 09"},
        // 12-hour clock, and the am/pm text in the case written.
        {"h:nn am/pm", "2:07 pm"},
        {"hh:nn AM/PM", "02:07 PM"},
        {"h:nn Am/Pm", "2:07 Pm"},
        {"h:nn a/p", "2:07 p"},
        {"h:nn A/P", "2:07 P"},
        {"h:nn ampm", "2:07 PM"},
        {"hh a", "14 a"},
        {"h 'a' am/pm", "2 a pm"},
        {"h \"am/pm\"", "14 am/pm"},
        {"h hh am/pm", "14 02 pm"},
        // Quoted literals and other characters.
        {"\"Today is\" dddd", "Today is Tuesday"},
        {"'d' d", "d 5"},
        {"dd.mm.yyyy", "05.03.2024"},
        {"x-dd", "x-05"},
        {"'open", "open"},
        {"\"it's\" d", "it's 5"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatDateTime(c.Format, Moment()), c.Expected) << "format: " << c.Format;
}

TEST_F(DateTimeTest, TwelveHourClockAroundMidnightAndNoon) {
    const struct {
        int Hour, Min;
        const char* Expected;
    } cases[] = {
        {0, 30, "12:30 am"}, {11, 59, "11:59 am"}, {12, 0, "12:00 pm"}, {23, 5, "11:05 pm"}};
    for (const auto& c : cases)
        EXPECT_EQ(FormatDateTime("h:nn am/pm", 45356 + EncodeTime(c.Hour, c.Min, 0, 0)),
                  c.Expected);
}

TEST_F(DateTimeTest, SeparatorsAndNamesComeFromTheSettings) {
    TFormatSettings settings = EnglishFormatSettings();
    settings.DateSeparator = '.';
    settings.TimeSeparator = '-';
    settings.TimeAMString = "vorm.";
    settings.TimePMString = "nachm.";
    settings.ShortDayNames[2] = "Di";
    settings.LongMonthNames[2] = "M\xC3\xA4rz";
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy hh:nn '/:'", Moment(), settings), "05.03.2024 14-07 /:");
    EXPECT_EQ(FormatDateTime("ddd d mmmm h ampm", Moment(), settings), "Di 5 M\xC3\xA4rz 2 nachm.");

    // The global settings are what the plain overload and the short forms use.
    FormatSettings.ShortDateFormat = "yyyy/mm/dd";
    FormatSettings.DateSeparator = '-';
    FormatSettings.LongTimeFormat = "hh:nn:ss";
    EXPECT_EQ(DateToStr(Moment()), "2024-03-05");
    EXPECT_EQ(TimeToStr(Moment()), "14:07:09");
    EXPECT_EQ(DateTimeToStr(Moment()), "2024-03-05 14:07:09");
    EXPECT_EQ(DateTimeToStr(45356), "2024-03-05");
}

TEST_F(DateTimeTest, ZeroAndEarlyDates) {
    EXPECT_EQ(DateTimeToStr(0), "12/30/1899");
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy hh:nn", 0), "30/12/1899 00:00");
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy hh:nn dddd", -1.25), "29/12/1899 06:00 Friday");
    EXPECT_EQ(FormatDateTime("yyyy yy", EncodeDate(5, 1, 2)), "0005 05");
    EXPECT_EQ(FormatDateTime("c", 0.75), "12/30/1899 6:00:00 PM");
}

TEST_F(DateTimeTest, ALocaleFormatThatNamesItselfStops) {
    FormatSettings.ShortDateFormat = "dd ddddd";
    EXPECT_EQ(FormatDateTime("ddddd", Moment()), "05 ");
    FormatSettings.LongTimeFormat = "tt:c";
    EXPECT_EQ(FormatDateTime("tt", Moment()), ": ");
}

TEST_F(DateTimeTest, TheClockHookDrivesNowDateAndTime) {
    SetClockForTests([] { return Moment(); });
    EXPECT_EQ(Now(), Moment());
    EXPECT_EQ(Date(), 45356);
    EXPECT_NEAR(Time(), EncodeTime(14, 7, 9, 45), 1e-9);
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn", Now()), "2024-03-05 14:07");

    SetClockForTests({});
    const std::time_t seconds = std::time(nullptr);
    std::tm local{};
    localtime_r(&seconds, &local);
    const TDateTime expected = EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
                               EncodeTime(local.tm_hour, local.tm_min, local.tm_sec, 0);
    EXPECT_NEAR(Now(), expected, 5.0 / 86400);
    EXPECT_EQ(Date(), std::trunc(Now()));
}

// Locale data comes with Qt, so these hold on any machine whatever locales it has installed.
TEST_F(DateTimeTest, LocaleSettingsUseTheFrameworksLetters) {
    const TFormatSettings us = LocaleFormatSettings("en_US");
    EXPECT_EQ(FormatDateTime("ddddd", Moment(), us), "3/5/24");
    EXPECT_EQ(FormatDateTime("dddddd", Moment(), us), "Tuesday, March 5, 2024");
    EXPECT_EQ(FormatDateTime("tt", Moment(), us), "2:07:09 PM");
    EXPECT_EQ(us.LongDayNames[0], "Sunday");
    EXPECT_EQ(us.DecimalSeparator, '.');

    const TFormatSettings de = LocaleFormatSettings("de_DE");
    EXPECT_EQ(de.DateSeparator, '.');
    EXPECT_EQ(de.ShortDateFormat, "dd/mm/yy");
    EXPECT_EQ(FormatDateTime("ddddd t", Moment(), de), "05.03.24 14:07");
    EXPECT_EQ(FormatDateTime("dddddd", Moment(), de), "Dienstag, 5. M\xC3\xA4rz 2024");
    EXPECT_EQ(de.DecimalSeparator, ',');
    EXPECT_EQ(de.ThousandSeparator, '.');

    // Words of the pattern stay words; a time zone has no place in the framework's formats.
    const TFormatSettings es = LocaleFormatSettings("es_ES");
    EXPECT_EQ(FormatDateTime("dddddd", Moment(), es), "martes, 5 de marzo de 2024");
    EXPECT_EQ(FormatDateTime("tt", Moment(), es), "14:07:09");

    // A time separator other than ":" follows the setting.
    TFormatSettings fi = LocaleFormatSettings("fi_FI");
    EXPECT_EQ(fi.TimeSeparator, '.');
    EXPECT_EQ(FormatDateTime("tt", Moment(), fi), "14.07.09");
    fi.TimeSeparator = ':';
    EXPECT_EQ(FormatDateTime("tt", Moment(), fi), "14:07:09");
}

} // namespace
