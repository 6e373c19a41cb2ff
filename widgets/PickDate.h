#pragma once
// A month as a grid of day names and day numbers, stepped by day, month and year with the keys
// and the mouse.

#include "platform/DateTime.h"
#include "platform/Grids.h"
#include "platform/Sets.h"

enum TDayOfWeekName { Sun, Mon, Tue, Wed, Thu, Fri, Sat };
using TDaysOfWeek = TSet<TDayOfWeekName>;

class TQmCalendar : public TCustomGrid {
public:
    explicit TQmCalendar(TComponent* AOwner);

    TDateTime CalendarDate() const { return FDate; }
    void SetCalendarDate(TDateTime value);
    int Year() const;
    int Month() const;
    int Day() const;
    // Values below 1, a month above 12 or a day the month does not have are ignored; a new
    // month keeps the day within its length.
    void SetYear(int value);
    void SetMonth(int value);
    void SetDay(int value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value) { FReadOnly = value; }
    TDayOfWeekName StartOfWeek() const { return FStartOfWeek; }
    void SetStartOfWeek(TDayOfWeekName value);
    // On until a year, month or day is picked; turning it on shows today.
    bool UseCurrentDate() const { return FUseCurrentDate; }
    void SetUseCurrentDate(bool value);
    TColor WeekendColor() const { return FWeekendColor; }
    void SetWeekendColor(TColor value);
    TDaysOfWeek Weekends() const { return FWeekends; }
    void SetWeekends(TDaysOfWeek value);

    // A month on, or back, keeping the day where the month has it; a year on or back, 29
    // February becoming the 28th.
    void NextMonth();
    void PrevMonth();
    void NextYear();
    void PrevYear();

    // Row 0 names the weekdays; the other rows hold the month's day numbers, empty around them.
    String CellText(int ACol, int ARow) const;
    int CurrentMonthDayCount() const;
    bool IsWeekendColumn(int ACol) const;
    // The number of the day in column 0 of row 1 (1 less the column of the 1st).
    int MonthOffset() const { return FMonthOffset; }

    // Picks the day of the current cell.
    void Click() override;

    TNotifyEvent OnChange;

protected:
    virtual void DateChanged();
    virtual void RebuildMonth();
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    bool SelectCell(int ACol, int ARow) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void Resize() override;
    // The cell's text centred in it, weekend columns in their colour unless drawn selected.
    void DrawCellText(int ACol, int ARow, const TRect& ARect, TGridDrawState AState);

private:
    enum class TDateElement { Year, Month, Day };
    void SetDateElement(TDateElement element, int value);
    void FillMonth();
    void ShiftMonth(int delta);
    void ChangeYear(int delta);
    void StepDays(int days);
    void PickDayFromCell();

    TDateTime FDate = 0;
    int FMonthOffset = 0;
    bool FReadOnly = false;
    TDayOfWeekName FStartOfWeek = Mon;
    bool FUpdating = false;
    bool FUseCurrentDate = true;
    TDaysOfWeek FWeekends{Sun};
    TColor FWeekendColor = clRed;
};

// The calendar of the date edit's pop-up: it never takes the keyboard (the edit keeps it and
// passes the keys on), shows no border, takes its parent's colour and frames today's date.
class TLocCalendar : public TQmCalendar {
public:
    explicit TLocCalendar(TComponent* AOwner);
    void SetFocus() override {}
    void CellAtPoint(int X, int Y, int& ACol, int& ARow) const { MouseToCell(X, Y, ACol, ARow); }
    // The day cell of today's date, when the shown month is today's; -1, -1 otherwise.
    TGridCoord TodayCell() const;

protected:
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    void WndProc(TMessage& Message) override;
};
