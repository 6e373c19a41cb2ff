#include "widgets/PickDate.h"

#include "services/DateUtil.h"

#include <cmath>

namespace {

const int DaysPerWeek = 7;
const int CalendarLines = 7;
const int LastYear = 9999;

void DecodeDay(TDateTime date, int& year, int& month, int& day) {
    DecodeDate(date, year, month, day);
}

} // namespace

TQmCalendar::TQmCalendar(TComponent* AOwner) : TCustomGrid(AOwner) {
    FUpdating = true;
    SetFixedCols(0);
    SetFixedRows(1);
    SetColCount(CalendarLines);
    SetRowCount(CalendarLines);
    SetScrollBars(ssNone);
    TGridOptions options = Options();
    options >> goRangeSelect << goDrawFocusSelected;
    SetOptions(options);
    SetTabStop(true);
    FDate = Date();
    FUpdating = false;
    RebuildMonth();
}

int TQmCalendar::Year() const {
    int year = 0, month = 0, day = 0;
    DecodeDay(FDate, year, month, day);
    return year;
}

int TQmCalendar::Month() const {
    int year = 0, month = 0, day = 0;
    DecodeDay(FDate, year, month, day);
    return month;
}

int TQmCalendar::Day() const {
    int year = 0, month = 0, day = 0;
    DecodeDay(FDate, year, month, day);
    return day;
}

void TQmCalendar::SetCalendarDate(TDateTime value) {
    if (value == FDate || !DateTimeFieldsValid(value))
        return;
    FDate = value;
    RebuildMonth();
    DateChanged();
}

void TQmCalendar::SetYear(int value) {
    SetDateElement(TDateElement::Year, value);
}

void TQmCalendar::SetMonth(int value) {
    SetDateElement(TDateElement::Month, value);
}

void TQmCalendar::SetDay(int value) {
    SetDateElement(TDateElement::Day, value);
}

void TQmCalendar::SetDateElement(TDateElement element, int value) {
    if (value < 1)
        return;
    int year = 0, month = 0, day = 0;
    DecodeDay(FDate, year, month, day);
    int& field = element == TDateElement::Year    ? year
                 : element == TDateElement::Month ? month
                                                  : day;
    if (field == value)
        return;
    field = value;
    if (year > LastYear || month > 12)
        return;
    if (element == TDateElement::Day) {
        if (day > MonthDayCount(year, month))
            return;
    } else {
        day = std::min(day, MonthDayCount(year, month));
    }
    FDate = EncodeDate(year, month, day) + (FDate - std::floor(FDate));
    FUseCurrentDate = false;
    FillMonth();
    DateChanged();
}

void TQmCalendar::SetStartOfWeek(TDayOfWeekName value) {
    if (value == FStartOfWeek)
        return;
    FStartOfWeek = value;
    RebuildMonth();
}

void TQmCalendar::SetUseCurrentDate(bool value) {
    if (value == FUseCurrentDate)
        return;
    FUseCurrentDate = value;
    if (value) {
        FDate = Date();
        RebuildMonth();
        DateChanged();
    }
}

void TQmCalendar::SetWeekendColor(TColor value) {
    if (value == FWeekendColor)
        return;
    FWeekendColor = value;
    Invalidate();
}

void TQmCalendar::SetWeekends(TDaysOfWeek value) {
    if (value == FWeekends)
        return;
    FWeekends = value;
    RebuildMonth();
}

void TQmCalendar::NextMonth() {
    ShiftMonth(1);
}

void TQmCalendar::PrevMonth() {
    ShiftMonth(-1);
}

void TQmCalendar::NextYear() {
    ChangeYear(1);
}

void TQmCalendar::PrevYear() {
    ChangeYear(-1);
}

// From the month's last day forward (first day back) one day lands in the next (previous)
// month, where the day keeps its number as far as that month has it.
void TQmCalendar::ShiftMonth(int delta) {
    int year = 0, month = 0, day = 0;
    DecodeDay(FDate, year, month, day);
    TDateTime edge = delta > 0 ? EncodeDate(year, month, MonthDayCount(year, month)) + 1
                               : EncodeDate(year, month, 1) - 1;
    int newYear = 0, newMonth = 0, newDay = 0;
    DecodeDay(edge, newYear, newMonth, newDay);
    if (!DateFieldsValid(newYear, newMonth, 1))
        return;
    SetCalendarDate(EncodeDate(newYear, newMonth, std::min(day, MonthDayCount(newYear, newMonth))));
}

void TQmCalendar::ChangeYear(int delta) {
    int year = 0, month = 0, day = 0;
    DecodeDay(FDate, year, month, day);
    if (month == 2 && day == 29)
        day = 28;
    if (DateFieldsValid(year + delta, month, day))
        SetCalendarDate(EncodeDate(year + delta, month, day));
}

void TQmCalendar::StepDays(int days) {
    SetCalendarDate(std::floor(FDate) + days);
}

String TQmCalendar::CellText(int ACol, int ARow) const {
    if (ARow == 0)
        return FormatSettings.ShortDayNames[(ACol + FStartOfWeek) % DaysPerWeek];
    int day = ACol + DaysPerWeek * ARow - DaysPerWeek + FMonthOffset;
    return day >= 1 && day <= CurrentMonthDayCount() ? IntToStr(day) : String();
}

int TQmCalendar::CurrentMonthDayCount() const {
    return MonthDayCount(Year(), Month());
}

bool TQmCalendar::IsWeekendColumn(int ACol) const {
    return FWeekends.Contains(static_cast<TDayOfWeekName>((ACol + FStartOfWeek) % DaysPerWeek));
}

void TQmCalendar::Click() {
    PickDayFromCell();
    TCustomGrid::Click();
}

void TQmCalendar::PickDayFromCell() {
    String text = CellText(Col(), Row());
    if (!text.empty())
        SetDay(StrToInt(text));
}

void TQmCalendar::DateChanged() {
    if (OnChange)
        OnChange(this);
}

void TQmCalendar::RebuildMonth() {
    FillMonth();
    Invalidate();
}

void TQmCalendar::FillMonth() {
    FUpdating = true;
    int year = 0, month = 0, day = 0;
    DecodeDay(FDate, year, month, day);
    int firstColumn = (DayOfWeek(EncodeDate(year, month, 1)) - FStartOfWeek + 6) % DaysPerWeek;
    FMonthOffset = 1 - firstColumn;
    FocusCell((day - FMonthOffset) % DaysPerWeek, (day - FMonthOffset) / DaysPerWeek + 1);
    FUpdating = false;
    Invalidate();
}

bool TQmCalendar::SelectCell(int ACol, int ARow) {
    return (FUpdating || !FReadOnly) && !CellText(ACol, ARow).empty();
}

void TQmCalendar::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
    DrawCellText(ACol, ARow, ARect, AState);
}

void TQmCalendar::DrawCellText(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
    TCanvas& canvas = Canvas();
    FillCell(canvas, ARect, AState);
    if (IsWeekendColumn(ACol) && !AState.Contains(gdSelected))
        canvas.Font().SetColor(FWeekendColor);
    String text = CellText(ACol, ARow);
    canvas.TextRect(ARect, ARect.Left + (ARect.Width() - canvas.TextWidth(text)) / 2,
                    ARect.Top + (ARect.Height() - canvas.TextHeight(text)) / 2, text);
}

// Left and Right (and the pad's minus and plus) step by day across month ends; the grid's own
// moves pick the day of the cell they land on, as a click does.
void TQmCalendar::KeyDown(WORD& Key, TShiftState Shift) {
    if (Shift.Empty() &&
        (Key == VK_LEFT || Key == VK_SUBTRACT || Key == VK_RIGHT || Key == VK_ADD)) {
        StepDays(Key == VK_LEFT || Key == VK_SUBTRACT ? -1 : 1);
        Key = 0;
        return;
    }
    TGridCoord before{Col(), Row()};
    TCustomGrid::KeyDown(Key, Shift);
    if (TGridCoord{Col(), Row()} != before)
        PickDayFromCell();
}

void TQmCalendar::KeyPress(char& Key) {
    if (Key == 'T' || Key == 't') {
        SetCalendarDate(Date());
        Key = 0;
        return;
    }
    TCustomGrid::KeyPress(Key);
}

void TQmCalendar::Resize() {
    TCustomGrid::Resize();
    TGridOptions options = Options();
    bool verticalLines = options.Contains(goVertLine) || options.Contains(goFixedVertLine);
    int lines = (CalendarLines - 1) * GridLineWidth();
    SetDefaultColWidth((ClientWidth() - (verticalLines ? lines : 0)) / CalendarLines);
    SetDefaultRowHeight((ClientHeight() - lines) / CalendarLines);
}

// ---- The pop-up's calendar

TLocCalendar::TLocCalendar(TComponent* AOwner) : TQmCalendar(AOwner) {
    SetTabStop(false);
    SetUseCurrentDate(false);
    SetOptions(TGridOptions{goFixedHorzLine});
    SetFixedColor(Color());
}

TGridCoord TLocCalendar::TodayCell() const {
    int year = 0, month = 0, day = 0;
    DecodeDate(Date(), year, month, day);
    if (year != Year() || month != Month())
        return TGridCoord{-1, -1};
    int index = day - MonthOffset();
    return TGridCoord{index % 7, index / 7 + 1};
}

void TLocCalendar::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
    TQmCalendar::DrawCell(ACol, ARow, ARect, AState);
    if (TodayCell() != TGridCoord{ACol, ARow})
        return;
    TCanvas& canvas = Canvas();
    canvas.Pen().SetColor(clBtnShadow);
    canvas.MoveTo(ARect.Left, ARect.Bottom - 1);
    canvas.LineTo(ARect.Left, ARect.Top);
    canvas.LineTo(ARect.Right - 1, ARect.Top);
    canvas.Pen().SetColor(clBtnHighlight);
    canvas.LineTo(ARect.Right - 1, ARect.Bottom - 1);
    canvas.LineTo(ARect.Left, ARect.Bottom - 1);
}

// Its colour follows the parent's, the headings' too.
void TLocCalendar::WndProc(TMessage& Message) {
    TQmCalendar::WndProc(Message);
    if (Message.Msg == CM_COLORCHANGED)
        SetFixedColor(Color());
}
