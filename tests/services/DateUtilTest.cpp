// The date routines against known calendars, in each of the locale's date orders.

#include "services/DateUtil.h"

#include <gtest/gtest.h>

namespace {

// The clock stands on a day of the year given, the locale's short date format as given.
class DateUtilTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetFormatSettingsForTests();
        SetToday(2026, 12, 11);
    }
    void TearDown() override {
        SetClockForTests({});
        ResetFormatSettingsForTests();
    }
    static void SetToday(int year, int month, int day) {
        TDateTime today = EncodeDate(year, month, day) + 0.5;
        SetClockForTests([today] { return today; });
    }
    static void SetLocaleFormat(const String& shortDateFormat, char separator) {
        FormatSettings.ShortDateFormat = shortDateFormat;
        FormatSettings.DateSeparator = separator;
    }
};

struct TFieldsCase {
    int Year, Month, Day;
    bool Valid;
};

} // namespace

TEST_F(DateUtilTest, LeapYearsMonthLengthsAndValidFields) {
    EXPECT_FALSE(YearIsLeap(1900));
    EXPECT_TRUE(YearIsLeap(2000));
    EXPECT_TRUE(YearIsLeap(2024));
    EXPECT_FALSE(YearIsLeap(2100));
    EXPECT_FALSE(YearIsLeap(2026));
    EXPECT_EQ(MonthDayCount(2024, 2), 29);
    EXPECT_EQ(MonthDayCount(1900, 2), 28);
    EXPECT_EQ(MonthDayCount(2026, 4), 30);
    EXPECT_EQ(MonthDayCount(2026, 12), 31);

    const TFieldsCase cases[] = {{1900, 2, 29, false}, {2000, 2, 29, true}, {2026, 0, 1, false},
                                 {2026, 13, 1, false}, {2026, 1, 0, false}, {2026, 1, 32, false},
                                 {2026, 4, 31, false}, {0, 1, 1, false},    {9999, 12, 31, true},
                                 {10000, 1, 1, false}, {-1, 1, 1, false},   {2026, -1, 1, false},
                                 {1, 1, 1, true},      {2026, 1, -1, false}};
    for (const auto& c : cases)
        EXPECT_EQ(DateFieldsValid(c.Year, c.Month, c.Day), c.Valid)
            << c.Year << "-" << c.Month << "-" << c.Day;
    EXPECT_TRUE(DateTimeFieldsValid(EncodeDate(2024, 2, 29) + 0.75));
    EXPECT_FALSE(DateTimeFieldsValid(-700000));
}

TEST_F(DateUtilTest, TwoDigitYearsLandByThisYear) {
    struct {
        int ThisYear, Typed, Expanded;
    } const cases[] = {{2026, 0, 2000},    {2026, 26, 2026}, {2026, 99, 2099}, {2026, 100, 100},
                       {2026, 1998, 1998}, {1998, 28, 2028}, {1998, 29, 1929}, {1998, 99, 1999},
                       {2080, 10, 2110},   {2080, 11, 2011}, {2080, 50, 2050}, {2080, 99, 2099}};
    for (const auto& c : cases) {
        SetToday(c.ThisYear, 6, 1);
        EXPECT_EQ(ThisYear(), c.ThisYear);
        EXPECT_EQ(ExpandTwoDigitYear(c.Typed), c.Expanded) << c.ThisYear << " " << c.Typed;
    }
}

TEST_F(DateUtilTest, TheDateOrderFollowsTheFirstDateLetter) {
    EXPECT_EQ(DateOrderOf("M/d/yy"), doMDY);
    EXPECT_EQ(DateOrderOf("d.M.yyyy"), doDMY);
    EXPECT_EQ(DateOrderOf("yyyy-MM-dd"), doYMD);
    EXPECT_EQ(DateOrderOf("--"), doDMY);
}

TEST_F(DateUtilTest, DefaultFormatAndMaskFollowTheLocale) {
    struct {
        const char* ShortDateFormat;
        bool FourDigits;
        const char* Format2;
        const char* Format4;
        const char* Mask4;
    } const cases[] = {
        {"d.M.yyyy", true, "DD/MM/YY", "DD/MM/YYYY", "!99/99/9999;1;_"},
        {"M/d/yy", false, "MM/DD/YY", "MM/DD/YYYY", "!99/99/9999;1;_"},
        {"yyyy-MM-dd", true, "YY/MM/DD", "YYYY/MM/DD", "!9999/99/99;1;_"},
    };
    for (const auto& c : cases) {
        SetLocaleFormat(c.ShortDateFormat, '/');
        EXPECT_EQ(FourDigitYearDefault(), c.FourDigits) << c.ShortDateFormat;
        EXPECT_EQ(DefaultDateFormat(false), c.Format2);
        EXPECT_EQ(DefaultDateFormat(true), c.Format4);
        EXPECT_EQ(DefaultDateMask('_', true), c.Mask4);
        EXPECT_EQ(DefaultDateMask(' ', false), "!99/99/99;1; ");
    }
}

TEST_F(DateUtilTest, TypedTextsReadInEachOrder) {
    struct {
        const char* Format;
        char Separator;
        const char* Text;
        bool Read;
        int Year, Month, Day;
    } const cases[] = {
        // by position in the format
        {"DD/MM/YYYY", '/', "08/12/2026", true, 2026, 12, 8},
        {"MM/DD/YYYY", '/', "12/08/2026", true, 2026, 12, 8},
        {"YYYY/MM/DD", '/', "2026/12/08", true, 2026, 12, 8},
        {"DD/MM/YY", '/', "29/02/24", true, 2024, 2, 29},
        {"DD/MM/YY", '/', "29/02/25", false, 0, 0, 0},
        {"DD-MMM-YYYY", '-', "08-Dec-2026", true, 2026, 12, 8},
        {"DD-MMM-YYYY", '-', "08-dec-2026", true, 2026, 12, 8},
        {"DD-MMM-YYYY", '-', "08-Dez-2026", false, 0, 0, 0},
        {"DD.MM.YYYY", '.', "31.12.1999", true, 1999, 12, 31},
        // by separators: shorter than the format, a day and month alone, two-digit years
        {"DD/MM/YYYY", '/', "8/12/2026", true, 2026, 12, 8},
        {"MM/DD/YYYY", '/', "12/8/2026", true, 2026, 12, 8},
        {"YYYY/MM/DD", '/', "2026/2/8", true, 2026, 2, 8},
        {"DD/MM/YYYY", '/', "8/12", true, 2026, 12, 8},
        {"MM/DD/YYYY", '/', "8/12", true, 2026, 8, 12},
        {"YYYY/MM/DD", '/', "8/12", true, 2026, 8, 12},
        {"DD/MM/YYYY", '/', "8/12/99", true, 2099, 12, 8},
        {"DD/MM/YYYY", '/', " 8 / 12 / 26 ", true, 2026, 12, 8},
        // a blank year is no year, not the last year of the century before
        {"DD/MM/YYYY", '/', "12/05/    ", false, 0, 0, 0},
        {"DD/MM/YYYY", '/', "8/12/", false, 0, 0, 0},
        // not dates
        {"DD/MM/YYYY", '/', "12345/1/1", false, 0, 0, 0},
        {"DD/MM/YYYY", '/', "31/02/2026", false, 0, 0, 0},
        {"DD/MM/YYYY", '/', "8.12.2026", false, 0, 0, 0},
        {"DD/MM/YYYY", '/', "8/12/2026x", false, 0, 0, 0},
        {"DD/MM/YYYY", '/', "  /  /    ", false, 0, 0, 0},
        {"DD/MM/YYYY", '/', "12/__/____", false, 0, 0, 0},
        {"DD/MM/YYYY", '/', "tomorrow", false, 0, 0, 0},
        {"DD/MM/YYYY", '/', "\xe9\xff/1/2026", false, 0, 0, 0},
        {"DD/MM/YYYY", '/', "99999999999/1/1", false, 0, 0, 0},
    };
    for (const auto& c : cases) {
        FormatSettings.DateSeparator = c.Separator;
        TDateTime date = -1;
        EXPECT_EQ(TryDateFromText(c.Format, c.Text, date), c.Read) << c.Format << " " << c.Text;
        if (c.Read) {
            EXPECT_EQ(date, EncodeDate(c.Year, c.Month, c.Day)) << c.Format << " " << c.Text;
        }
    }
}

TEST_F(DateUtilTest, EmptyTextIsNoDateAndOtherFailuresRaiseOrGiveTheDefault) {
    TDateTime date = -1;
    EXPECT_TRUE(TryDateFromText("DD/MM/YYYY", "", date));
    EXPECT_EQ(date, NoDate);
    EXPECT_EQ(DateFromTextFmt("DD/MM/YYYY", ""), NoDate);
    EXPECT_EQ(DateFromTextFmt("DD/MM/YYYY", "1/3/2024"), EncodeDate(2024, 3, 1));
    try {
        DateFromTextFmt("DD/MM/YYYY", "30/02/2024");
        ADD_FAILURE() << "no error raised";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "''30/02/2024'' is not a valid date");
    }
    EXPECT_EQ(DateFromTextFmtDef("DD/MM/YYYY", "30/02/2024", EncodeDate(2026, 1, 5) + 0.7),
              EncodeDate(2026, 1, 5));
    EXPECT_EQ(DateFromTextFmtDef("DD/MM/YYYY", "29/02/2024", 0), EncodeDate(2024, 2, 29));
}

TEST_F(DateUtilTest, ReadersStopWhereTheTextStops) {
    int pos = 1, number = 0;
    EXPECT_TRUE(ReadNumber("  12345", 4, pos, number));
    EXPECT_EQ(number, 1234);
    EXPECT_EQ(pos, 7);
    pos = 1;
    EXPECT_FALSE(ReadNumber("  /", 4, pos, number));
    pos = 1;
    EXPECT_TRUE(ReadDateSeparator(" /", pos, '/'));
    EXPECT_EQ(pos, 3);
    pos = 1;
    EXPECT_FALSE(ReadDateSeparator("", pos, '/'));
    EXPECT_EQ(MonthFromName("MAR", 3), 3);
    EXPECT_EQ(MonthFromName("ju", 2), 6);
    EXPECT_EQ(MonthFromName("", 3), 0);
    EXPECT_EQ(MonthFromName("xyz", 3), 0);
}
