#include "widgets/PickDate.h"

#include "platform/Events.h"
#include "platform/ExtCtrls.h"
#include "services/DateUtil.h"

#include <cmath>
#include <memory>

namespace {

const int DaysPerWeek = 7;
const int CalendarLines = 7;
const int LastYear = 9999;

void DecodeDay(TDateTime date, int& year, int& month, int& day) {
    DecodeDate(date, year, month, day);
}

// The steppers' pictures: one arrow back or forward, or two, in 8 x 6 pixels.
std::unique_ptr<TBitmap> StepGlyph(TCalendarStep step) {
    auto glyph = std::make_unique<TBitmap>();
    glyph->SetSize(8, 6);
    TCanvas& canvas = glyph->Canvas();
    canvas.Brush().SetColor(clWhite);
    canvas.FillRect(Rect(0, 0, 8, 6));
    canvas.Brush().SetColor(clBlack);
    bool back = step == csPrevYear || step == csPrevMonth;
    bool twice = step == csPrevYear || step == csNextYear;
    for (int arrow = 0; arrow < (twice ? 2 : 1); ++arrow) {
        int tip = (twice ? 0 : 2) + arrow * 4;
        for (int column = 0; column < 3; ++column) {
            int x = back ? tip + column : 7 - tip - column;
            canvas.FillRect(Rect(x, 2 - column, x + 1, 4 + column));
        }
    }
    return glyph;
}

const char* const StepHints[4] = {"Previous Year|", "Previous Month|", "Next Month|", "Next Year|"};

// The four steppers on a panel at the given places, each with its click.
TCalendarButtons MakeStepButtons(TComponent* owner, TWinControl* parent,
                                 const std::array<TPoint, 4>& places, int size,
                                 const std::array<TNotifyEvent, 4>& clicks) {
    TCalendarButtons buttons{};
    for (int step = csPrevYear; step <= csNextYear; ++step) {
        auto* button = NewControl<TQmTimerSpeedButton>(owner, parent, "", places[step].x,
                                                       places[step].y, size, size);
        button->SetGlyph(*StepGlyph(static_cast<TCalendarStep>(step)));
        button->SetHint(StepHints[step]);
        button->OnClick = clicks[step];
        buttons[step] = button;
    }
    return buttons;
}

// Clicks that step the calendar.
std::array<TNotifyEvent, 4> StepClicks(TQmCalendar* calendar) {
    return {[calendar](TObject*) { calendar->PrevYear(); },
            [calendar](TObject*) { calendar->PrevMonth(); },
            [calendar](TObject*) { calendar->NextMonth(); },
            [calendar](TObject*) { calendar->NextYear(); }};
}

} // namespace

TQmTimerSpeedButton::TQmTimerSpeedButton(TComponent* AOwner) : TQmSpeedButton(AOwner) {
    SetAllowTimer(true);
    SetStyle(bsWin31);
}

void SetCalendarButtonHints(const TCalendarButtons& buttons, const TStrings& hints) {
    for (int i = 0; i < std::min(hints.Count(), 4); ++i)
        if (!hints[i].empty())
            buttons[i]->SetHint(hints[i]);
}

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

// ---- The date edit's pop-up

namespace {

const int PopupWidth = 187;
const int PopupHeight = 124;
const int PopupTopPanelHeight = 18;
const char* const MonthTitleFormat = "MMMM, YYYY";

// A text of more than blanks and date separators read in the locale's order; today otherwise.
TDateTime DateOfTextOrToday(const String& text) {
    String bare =
        Trim(StringReplace(text, String(1, FormatSettings.DateSeparator), "", rfReplaceAll));
    TDateTime date = NoDate;
    if (bare.empty() || !TryDateFromText(FormatSettings.ShortDateFormat, text, date) ||
        date == NoDate)
        return Date();
    return date;
}

} // namespace

TPopupCalendar::TPopupCalendar(TCustomComboEdit* AEditor) : TPopupWindow(AEditor) {
    SetBounds(0, 0, PopupWidth, PopupHeight);
    SetColor(clBtnFace);
    auto* back = NewControl<TPanel>(this, this, "", 0, 0, PopupWidth, PopupHeight);
    back->SetAlign(alClient);
    auto* top = NewControl<TPanel>(this, back, "", 0, 0, PopupWidth - 4, PopupTopPanelHeight);
    top->SetAlign(alTop);
    FCalendar = NewControl<TLocCalendar>(this, back, "");
    FCalendar->SetAlign(alClient);
    FCalendar->OnChange = [this](TObject*) { ShowMonthTitle(); };
    FCalendar->OnMouseUp = [this](TObject* sender, TMouseButton button, TShiftState shift, int x,
                                  int y) { CalendarMouseUp(sender, button, shift, x, y); };
    int right = top->Width();
    FButtons = MakeStepButtons(
        this, top, {TPoint{-1, -1}, TPoint{12, -1}, TPoint{right - 26, -1}, TPoint{right - 13, -1}},
        14, StepClicks(FCalendar));
    FTitleLabel = NewControl<TLabel>(this, top, "");
    FTitleLabel->SetAutoSize(false);
    FTitleLabel->SetBounds(29, 1, top->Width() - 58, 14);
    FTitleLabel->SetAlignment(taCenter);
    FTitleLabel->SetTransparent(true);
    FTitleLabel->OnDblClick = [this](TObject* sender) { TitleDblClick(sender); };
    ShowMonthTitle();
}

TPopupValue TPopupCalendar::GetWindowValue() {
    return FCalendar->CalendarDate();
}

void TPopupCalendar::SetWindowValue(const TPopupValue& Value) {
    TDateTime date = Date();
    if (const auto* text = std::get_if<String>(&Value))
        date = DateOfTextOrToday(*text);
    else if (const auto* given = std::get_if<TDateTime>(&Value))
        date = *given == NoDate || !DateTimeFieldsValid(*given) ? Date() : *given;
    FCalendar->SetCalendarDate(date);
    ShowMonthTitle();
}

void TPopupCalendar::ShowMonthTitle() {
    FTitleLabel->SetCaption(FormatDateTime(MonthTitleFormat, FCalendar->CalendarDate()));
}

// Page Up and Page Down step a month, with Ctrl a year; other keys are the calendar's.
void TPopupCalendar::KeyDown(WORD& Key, TShiftState Shift) {
    TPopupWindow::KeyDown(Key, Shift);
    bool yearStep = Shift.Contains(ssCtrl);
    if (Key == VK_PRIOR)
        yearStep ? FCalendar->PrevYear() : FCalendar->PrevMonth();
    else if (Key == VK_NEXT)
        yearStep ? FCalendar->NextYear() : FCalendar->NextMonth();
    else
        FCalendar->KeyDown(Key, Shift);
}

void TPopupCalendar::KeyPress(char& Key) {
    TPopupWindow::KeyPress(Key);
    if (Key != '\0')
        FCalendar->KeyPress(Key);
}

// A day picked with the left button, no key held, ends the pop-up with that day.
void TPopupCalendar::CalendarMouseUp(TObject* /*Sender*/, TMouseButton Button, TShiftState Shift,
                                     int X, int Y) {
    if (Button != mbLeft || Shift.Contains(ssShift) || Shift.Contains(ssCtrl) ||
        Shift.Contains(ssAlt))
        return;
    int col = -1, row = -1;
    FCalendar->CellAtPoint(X, Y, col, row);
    if (row > 0 && !FCalendar->CellText(col, row).empty())
        FinishPopup(true);
}

void TPopupCalendar::TitleDblClick(TObject* /*Sender*/) {
    FCalendar->SetCalendarDate(Date());
}

void SetupPopupCalendar(TPopupWindow* popup, TDayOfWeekName startOfWeek, TDaysOfWeek weekends,
                        bool /*fourDigitYear*/, const TStrings& hints, TColor weekendColor) {
    auto* calendar = dynamic_cast<TPopupCalendar*>(popup);
    if (!calendar)
        return;
    calendar->Calendar()->SetStartOfWeek(startOfWeek);
    calendar->Calendar()->SetWeekendColor(weekendColor);
    calendar->Calendar()->SetWeekends(weekends);
    SetCalendarButtonHints(calendar->Buttons(), hints);
}

// ---- The date dialog

TSelectDateDlg::TSelectDateDlg(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("SelectDateDlg");
        SetCaption("Select a Date");
        SetBorderStyle(bsToolWindow);
        SetBorderIcons(TBorderIcons{biSystemMenu});
        SetClientWidth(222);
        SetClientHeight(154);
        SetColor(clBtnFace);
        SetPosition(poScreenCenter);
        SetShowHint(true);
        SetKeyPreview(true);
        BuildControls();
    });
}

void TSelectDateDlg::BuildControls() {
    auto* top = NewControl<TPanel>(this, this, "TopPanel", 0, 0, 222, 22);
    top->SetAlign(alTop);
    top->SetBevelInner(bvLowered);
    TitleLabel = NewControl<TLabel>(this, top, "TitleLabel");
    // The steppers are made once the calendar is.
    auto* steppers = top;
    TitleLabel->SetAutoSize(false);
    TitleLabel->SetBounds(35, 4, 152, 14);
    TitleLabel->SetAlignment(taCenter);
    TitleLabel->Font().SetStyle(TFontStyles{fsBold});
    TitleLabel->Font().SetColor(clBlue);
    TitleLabel->SetTransparent(true);
    TitleLabel->OnDblClick = Handler(this, &TSelectDateDlg::TopPanelDblClick);

    // The calendar comes first in the tab order: the dialog opens on it.
    auto* middle = NewControl<TPanel>(this, this, "CalendarPanel", 0, 22, 222, 111);
    middle->SetAlign(alClient);
    middle->SetBevelInner(bvLowered);
    Calendar = NewControl<TQmCalendar>(this, middle, "Calendar");
    Calendar->SetAlign(alClient);
    Calendar->SetColor(clWhite);
    Calendar->SetTabOrder(0);
    Calendar->SetUseCurrentDate(false);
    Calendar->OnChange = Handler(this, &TSelectDateDlg::CalendarChange);
    Calendar->OnDblClick = Handler(this, &TSelectDateDlg::CalendarDblClick);
    auto* bottom = NewControl<TPanel>(this, this, "BtnPanel", 0, 133, 222, 21);
    bottom->SetAlign(alBottom);
    bottom->SetBevelOuter(bvNone);
    OKButton = NewControl<TButton>(this, bottom, "OkBtn", 0, 0, 111, 21);
    OKButton->SetCaption("OK");
    OKButton->SetModalResult(mrOk);
    CancelButton = NewControl<TButton>(this, bottom, "CancelBtn", 111, 0, 111, 21);
    CancelButton->SetCaption("Cancel");
    CancelButton->SetModalResult(mrCancel);
    CancelButton->SetCancel(true);

    Buttons = MakeStepButtons(this, steppers,
                              {TPoint{3, 3}, TPoint{19, 3}, TPoint{187, 3}, TPoint{203, 3}}, 16,
                              {Handler(this, &TSelectDateDlg::PrevYearBtnClick),
                               Handler(this, &TSelectDateDlg::PrevMonthBtnClick),
                               Handler(this, &TSelectDateDlg::NextMonthBtnClick),
                               Handler(this, &TSelectDateDlg::NextYearBtnClick)});
    OnKeyDown = [this](TObject* sender, WORD& key, TShiftState shift) {
        FormKeyDown(sender, key, shift);
    };
    CalendarChange(nullptr);
}

void TSelectDateDlg::SetDialogDate(TDateTime date) {
    Calendar->SetCalendarDate(date == NoDate || !DateTimeFieldsValid(date) ? Date() : date);
    CalendarChange(nullptr);
}

void TSelectDateDlg::PrevYearBtnClick(TObject* /*Sender*/) {
    Calendar->PrevYear();
}

void TSelectDateDlg::NextYearBtnClick(TObject* /*Sender*/) {
    Calendar->NextYear();
}

void TSelectDateDlg::PrevMonthBtnClick(TObject* /*Sender*/) {
    Calendar->PrevMonth();
}

void TSelectDateDlg::NextMonthBtnClick(TObject* /*Sender*/) {
    Calendar->NextMonth();
}

void TSelectDateDlg::CalendarChange(TObject* /*Sender*/) {
    TitleLabel->SetCaption(FormatDateTime(MonthTitleFormat, Calendar->CalendarDate()));
}

void TSelectDateDlg::CalendarDblClick(TObject* /*Sender*/) {
    SetModalResult(mrOk);
}

void TSelectDateDlg::TopPanelDblClick(TObject* /*Sender*/) {
    Calendar->SetCalendarDate(Date());
}

// Page Up and Page Down step a month (with Ctrl a year), Tab a month on (with Shift back); Esc
// and Enter end the dialog. The keys go on to the controls as well.
void TSelectDateDlg::FormKeyDown(TObject* /*Sender*/, WORD& Key, TShiftState Shift) {
    bool ctrl = Shift.Contains(ssCtrl);
    switch (Key) {
    case VK_PRIOR:
        ctrl ? Calendar->PrevYear() : Calendar->PrevMonth();
        break;
    case VK_NEXT:
        ctrl ? Calendar->NextYear() : Calendar->NextMonth();
        break;
    case VK_TAB:
        Shift == TShiftState{ssShift} ? Calendar->PrevMonth() : Calendar->NextMonth();
        break;
    case VK_ESCAPE:
        SetModalResult(mrCancel);
        return;
    case VK_RETURN:
        SetModalResult(mrOk);
        return;
    default:
        return;
    }
    TitleLabel->Update();
}

TSelectDateDlg* CreateDateDialog(const String& title) {
    auto* dialog = new TSelectDateDlg(Application);
    if (!title.empty())
        dialog->SetCaption(title);
    return dialog;
}

bool SelectDateDialog(TDateTime& date, const String& title, TDayOfWeekName startOfWeek,
                      TDaysOfWeek weekends, TColor weekendColor, const TStrings& hints) {
    auto free = [](TSelectDateDlg* form) { form->Free(); };
    std::unique_ptr<TSelectDateDlg, decltype(free)> dialog(CreateDateDialog(title), free);
    dialog->SetDialogDate(date);
    dialog->Calendar->SetStartOfWeek(startOfWeek);
    dialog->Calendar->SetWeekends(weekends);
    dialog->Calendar->SetWeekendColor(weekendColor);
    SetCalendarButtonHints(dialog->Buttons, hints);
    if (dialog->ShowModal() != mrOk)
        return false;
    date = dialog->GetDialogDate();
    return true;
}
