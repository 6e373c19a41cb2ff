// The month calendar: where the days of a month stand, and how keys, clicks and the steppers move
// the date.

#include "widgets/PickDate.h"

#include "platform/Forms.h"
#include "platform/TestHooks.h"
#include "platform/Win32Draw.h"
#include "services/DateUtil.h"

#include <gtest/gtest.h>

namespace {

class PickDateTest : public testing::Test {
protected:
    void SetUp() override {
        ResetFormatSettingsForTests();
        Today = EncodeDate(2026, 12, 11);
        SetClockForTests([this] { return Today + 0.5; });
        Form = new TForm(nullptr);
        Calendar = NewControl<TQmCalendar>(Form, Form, "Calendar", 0, 0, 210, 140);
        Form->Show();
    }
    void TearDown() override {
        Form->Free();
        SetClockForTests({});
    }
    // The centre of a cell, where a click lands on it.
    TPoint CellCentre(int col, int row) const {
        TRect rect = Calendar->CellRect(col, row);
        return TPoint{(rect.Left + rect.Right) / 2, (rect.Top + rect.Bottom) / 2};
    }
    void ClickCell(int col, int row) {
        TPoint centre = CellCentre(col, row);
        TestHooks::ClickMouse(*Calendar, centre.x, centre.y);
    }
    TDateTime Today;
    TForm* Form = nullptr;
    TQmCalendar* Calendar = nullptr;
};

// Red, or text smoothed in red over the cell's colour.
bool IsReddish(TColor color) {
    int red = color & 0xFF, green = (color >> 8) & 0xFF, blue = (color >> 16) & 0xFF;
    return red > 150 && green < red / 2 && blue < red / 2;
}

} // namespace

TEST_F(PickDateTest, TheMonthStandsInItsWeekdayColumns) {
    struct {
        int Year, Month;
        TDayOfWeekName Start;
        int Offset;
        TGridCoord First, Last;
    } const cases[] = {
        {2026, 6, Mon, 1, {0, 1}, {1, 5}},  // the 1st on the first day of the week
        {2026, 2, Mon, -5, {6, 1}, {5, 5}}, // the 1st on the day before it
        {2026, 2, Sun, 1, {0, 1}, {6, 4}},   {2026, 3, Mon, -5, {6, 1}, {1, 6}}, // six rows
        {2024, 2, Mon, -2, {3, 1}, {3, 5}},                                      // leap February
        {2026, 12, Sun, -1, {2, 1}, {4, 5}},
    };
    for (const auto& c : cases) {
        Calendar->SetStartOfWeek(c.Start);
        Calendar->SetCalendarDate(EncodeDate(c.Year, c.Month, 1));
        int last = MonthDayCount(c.Year, c.Month);
        EXPECT_EQ(Calendar->MonthOffset(), c.Offset) << c.Year << "-" << c.Month;
        EXPECT_EQ(Calendar->CellText(c.First.X, c.First.Y), "1") << c.Year << "-" << c.Month;
        EXPECT_EQ(Calendar->CellText(c.Last.X, c.Last.Y), IntToStr(last))
            << c.Year << "-" << c.Month;
        EXPECT_EQ(TGridCoord({Calendar->Col(), Calendar->Row()}), c.First);
    }
    EXPECT_EQ(Calendar->CellText(0, 0), "Sun");
    Calendar->SetStartOfWeek(Mon);
    EXPECT_EQ(Calendar->CellText(0, 0), "Mon");
    EXPECT_EQ(Calendar->CellText(6, 0), "Sun");
    EXPECT_EQ(Calendar->CellText(0, 1), ""); // 1 December 2026 is a Tuesday
}

TEST_F(PickDateTest, WeekendColumnsFollowTheFirstDayOfTheWeek) {
    Calendar->SetStartOfWeek(Mon);
    for (int col = 0; col < 7; ++col)
        EXPECT_EQ(Calendar->IsWeekendColumn(col), col == 6) << col;
    Calendar->SetStartOfWeek(Sun);
    Calendar->SetWeekends({Sat, Sun});
    for (int col = 0; col < 7; ++col)
        EXPECT_EQ(Calendar->IsWeekendColumn(col), col == 0 || col == 6) << col;
}

TEST_F(PickDateTest, StepsKeepTheDayWithinTheMonthAndCrossYearEnds) {
    enum TStep { NextMonth, PrevMonth, NextYear, PrevYear };
    struct {
        TDateTime From;
        TStep Step;
        TDateTime To;
    } const steps[] = {
        {EncodeDate(2026, 1, 31), NextMonth, EncodeDate(2026, 2, 28)},
        {EncodeDate(2024, 1, 31), NextMonth, EncodeDate(2024, 2, 29)},
        {EncodeDate(2026, 3, 31), PrevMonth, EncodeDate(2026, 2, 28)},
        {EncodeDate(2026, 12, 15), NextMonth, EncodeDate(2027, 1, 15)},
        {EncodeDate(2026, 1, 15), PrevMonth, EncodeDate(2025, 12, 15)},
        {EncodeDate(2024, 2, 29), NextYear, EncodeDate(2025, 2, 28)},
        {EncodeDate(2024, 2, 29), PrevYear, EncodeDate(2023, 2, 28)},
        {EncodeDate(2026, 7, 4), NextYear, EncodeDate(2027, 7, 4)},
    };
    for (const auto& s : steps) {
        Calendar->SetCalendarDate(s.From);
        switch (s.Step) {
        case NextMonth:
            Calendar->NextMonth();
            break;
        case PrevMonth:
            Calendar->PrevMonth();
            break;
        case NextYear:
            Calendar->NextYear();
            break;
        case PrevYear:
            Calendar->PrevYear();
            break;
        }
        EXPECT_EQ(Calendar->CalendarDate(), s.To) << DateToStr(s.From) << " step " << s.Step;
    }
}

TEST_F(PickDateTest, KeysMoveByDayAndWeekAndTGoesToToday) {
    struct {
        TDateTime From;
        WORD Key;
        TDateTime To;
    } const keys[] = {
        {EncodeDate(2026, 12, 31), VK_RIGHT, EncodeDate(2027, 1, 1)},
        {EncodeDate(2027, 1, 1), VK_LEFT, EncodeDate(2026, 12, 31)},
        {EncodeDate(2026, 2, 28), VK_ADD, EncodeDate(2026, 3, 1)},
        {EncodeDate(2026, 3, 1), VK_SUBTRACT, EncodeDate(2026, 2, 28)},
        {EncodeDate(2026, 12, 10), VK_DOWN, EncodeDate(2026, 12, 17)},
        {EncodeDate(2026, 12, 10), VK_UP, EncodeDate(2026, 12, 3)},
        {EncodeDate(2026, 12, 1), VK_UP, EncodeDate(2026, 12, 1)}, // no day above it
    };
    Calendar->SetFocus();
    for (const auto& k : keys) {
        Calendar->SetCalendarDate(k.From);
        TestHooks::PressKey(*Calendar, k.Key);
        EXPECT_EQ(Calendar->CalendarDate(), k.To) << DateToStr(k.From) << " key " << k.Key;
    }
    int changes = 0;
    Calendar->OnChange = [&](TObject*) { ++changes; };
    TestHooks::TypeText(*Calendar, "t");
    EXPECT_EQ(Calendar->CalendarDate(), Today);
    EXPECT_EQ(changes, 1);
}

TEST_F(PickDateTest, OnlyDayCellsArePickedAndReadOnlyPicksNone) {
    Calendar->SetStartOfWeek(Mon);
    Calendar->SetCalendarDate(EncodeDate(2026, 12, 11));
    EXPECT_TRUE(Calendar->UseCurrentDate());
    ClickCell(0, 1); // before the 1st
    EXPECT_EQ(Calendar->CalendarDate(), EncodeDate(2026, 12, 11));
    ClickCell(6, 5); // after the 31st
    EXPECT_EQ(Calendar->CalendarDate(), EncodeDate(2026, 12, 11));
    ClickCell(2, 4); // 23 December
    EXPECT_EQ(Calendar->CalendarDate(), EncodeDate(2026, 12, 23));
    EXPECT_FALSE(Calendar->UseCurrentDate());

    Calendar->SetReadOnly(true);
    ClickCell(3, 1);
    EXPECT_EQ(Calendar->CalendarDate(), EncodeDate(2026, 12, 23));
}

TEST_F(PickDateTest, DateElementsOutsideTheCalendarAreIgnored) {
    Calendar->SetCalendarDate(EncodeDate(2026, 4, 30));
    Calendar->SetMonth(13);
    Calendar->SetDay(31);
    Calendar->SetDay(0);
    Calendar->SetYear(-3);
    EXPECT_EQ(Calendar->CalendarDate(), EncodeDate(2026, 4, 30));
    Calendar->SetMonth(2);
    EXPECT_EQ(Calendar->CalendarDate(), EncodeDate(2026, 2, 28));
    Calendar->SetYear(2028);
    Calendar->SetDay(29);
    EXPECT_EQ(Calendar->CalendarDate(), EncodeDate(2028, 2, 29));
    Calendar->SetUseCurrentDate(true);
    EXPECT_EQ(Calendar->CalendarDate(), Today);
}

// Weekend columns show their day names and numbers in the weekend colour, other columns do not.
TEST_F(PickDateTest, WeekendColumnsAreDrawnInTheirColour) {
    Calendar->SetStartOfWeek(Mon);
    Calendar->SetCalendarDate(EncodeDate(2026, 12, 1)); // the current cell in column 1
    TBitmap picture;
    picture.SetSize(Calendar->Width(), Calendar->Height());
    PaintTo(*Calendar, picture.Canvas(), 0, 0);
    auto hasRed = [&](int col, int row) {
        TRect cell = Calendar->CellRect(col, row);
        for (int y = cell.Top; y < cell.Bottom; ++y)
            for (int x = cell.Left; x < cell.Right; ++x)
                if (IsReddish(picture.PixelAt(x, y)))
                    return true;
        return false;
    };
    for (int row : {0, 2}) {
        for (int col = 0; col < 7; ++col)
            EXPECT_EQ(hasRed(col, row), col == 6) << col << "," << row;
    }
}

// The dialog: its keys step the month and end it; only OK hands the date back.
TEST_F(PickDateTest, TheDateDialogHandsBackTheDateOnlyOnOK) {
    struct {
        std::vector<std::pair<WORD, TShiftState>> Keys;
        bool Chosen;
        TDateTime Date;
    } const runs[] = {
        {{{VK_TAB, {}}, {VK_RETURN, {}}}, true, EncodeDate(2026, 6, 15)},
        // back over Cancel to OK, which Enter then presses
        {{{VK_TAB, TShiftState{ssShift}}, {VK_TAB, TShiftState{ssShift}}, {VK_RETURN, {}}},
         true,
         EncodeDate(2026, 3, 15)},
        {{{VK_RIGHT, {}}, {VK_ESCAPE, {}}}, false, EncodeDate(2026, 5, 15)},
    };
    TStringList hints;
    for (const auto& run : runs) {
        TestHooks::AnswerModal([&run](TForm& form) {
            auto& dialog = dynamic_cast<TSelectDateDlg&>(form);
            EXPECT_EQ(dialog.Caption(), "Pick a day");
            EXPECT_EQ(dialog.Calendar->StartOfWeek(), Sun);
            EXPECT_EQ(dialog.Calendar->WeekendColor(), clBlue);
            EXPECT_EQ(dialog.ActiveControl(), dialog.Calendar);
            for (const auto& [key, shift] : run.Keys)
                TestHooks::PressKey(*dialog.ActiveControl(), key, shift);
        });
        TDateTime date = EncodeDate(2026, 5, 15);
        EXPECT_EQ(SelectDateDialog(date, "Pick a day", Sun, {Sat, Sun}, clBlue, hints), run.Chosen);
        EXPECT_EQ(date, run.Date);
    }
    TestHooks::AnswerModal([](TForm& form) {
        auto& dialog = dynamic_cast<TSelectDateDlg&>(form);
        EXPECT_EQ(dialog.Caption(), "Select a Date");
        EXPECT_EQ(dialog.Calendar->CalendarDate(), EncodeDate(2026, 12, 11));
        EXPECT_EQ(dialog.TitleLabel->Caption(), "December, 2026");
        dialog.CalendarDblClick(nullptr);
    });
    TDateTime none = NoDate;
    EXPECT_TRUE(SelectDateDialog(none, "", Mon, {Sun}, clRed, hints));
    EXPECT_EQ(none, Today);
}
