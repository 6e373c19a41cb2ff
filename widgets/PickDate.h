#pragma once
// A month as a grid of day names and day numbers, stepped by day, month and year with the keys
// and the mouse.

#include "platform/Classes.h"
#include "platform/DateTime.h"
#include "platform/Forms.h"
#include "platform/Grids.h"
#include "platform/Sets.h"
#include "platform/StdCtrls.h"
#include "widgets/PopupWindow.h"
#include "widgets/QmCtrls.h"

#include <array>

// A speed button that repeats its click while held, in the older raised style.
class TQmTimerSpeedButton : public TQmSpeedButton {
public:
    explicit TQmTimerSpeedButton(TComponent* AOwner);
};

// The four steppers of a calendar, in this order.
enum TCalendarStep { csPrevYear, csPrevMonth, csNextMonth, csNextYear };
using TCalendarButtons = std::array<TQmTimerSpeedButton*, 4>;

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
    // The pop-up passes the edit's keys on.
    using TQmCalendar::KeyDown;
    using TQmCalendar::KeyPress;
    void CellAtPoint(int X, int Y, int& ACol, int& ARow) const { MouseToCell(X, Y, ACol, ARow); }
    // The day cell of today's date, when the shown month is today's; -1, -1 otherwise.
    TGridCoord TodayCell() const;

protected:
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    void WndProc(TMessage& Message) override;
};

// The pop-up of the date edit: a month calendar under a title of the month and year.
class TPopupCalendar : public TPopupWindow {
public:
    explicit TPopupCalendar(TCustomComboEdit* AEditor);

    TPopupValue GetWindowValue() override;
    // A value that is no date (none, blanks and separators, unreadable text) shows today.
    void SetWindowValue(const TPopupValue& Value) override;
    TLocCalendar* Calendar() const { return FCalendar; }
    TLabel* TitleLabel() const { return FTitleLabel; }
    const TCalendarButtons& Buttons() const { return FButtons; }

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;

private:
    void ShowMonthTitle();
    void CalendarMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void TitleDblClick(TObject* Sender);

    TLocCalendar* FCalendar = nullptr;
    TLabel* FTitleLabel = nullptr;
    TCalendarButtons FButtons{};
};

// Hands the calendar its week, weekend days and colour and the buttons their hints.
// Shows a modal date dialog on the date, with the calendar's week, weekend days and colour and
// the buttons' hints; true with the date chosen when it ends with OK.
bool SelectDateDialog(TDateTime& date, const String& title, TDayOfWeekName startOfWeek,
                      TDaysOfWeek weekends, TColor weekendColor, const TStrings& hints);
// The first four lines of hints that are not empty become the hints of the steppers in the same
// places.
void SetCalendarButtonHints(const TCalendarButtons& buttons, const TStrings& hints);
void SetupPopupCalendar(TPopupWindow* popup, TDayOfWeekName startOfWeek, TDaysOfWeek weekends,
                        bool fourDigitYear, const TStrings& hints, TColor weekendColor);

// The date dialog: a month calendar under a title, OK and Cancel.
class TSelectDateDlg : public TForm {
public:
    explicit TSelectDateDlg(TComponent* AOwner);

    TQmCalendar* Calendar = nullptr;
    TLabel* TitleLabel = nullptr;
    TButton* OKButton = nullptr;
    TButton* CancelButton = nullptr;
    TCalendarButtons Buttons{};

    // The null date shows today.
    void SetDialogDate(TDateTime date);
    TDateTime GetDialogDate() const { return Calendar->CalendarDate(); }

    void PrevYearBtnClick(TObject* Sender);
    void NextYearBtnClick(TObject* Sender);
    void PrevMonthBtnClick(TObject* Sender);
    void NextMonthBtnClick(TObject* Sender);
    void CalendarChange(TObject* Sender);
    void CalendarDblClick(TObject* Sender);
    void TopPanelDblClick(TObject* Sender);
    void FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);

private:
    void BuildControls();
};

// The dialog, its title the given one unless that is empty.
TSelectDateDlg* CreateDateDialog(const String& title);
