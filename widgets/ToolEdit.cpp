#include "widgets/ToolEdit.h"

#include "platform/Forms.h"
#include "services/DateUtil.h"

#include <algorithm>
#include <cmath>

namespace {

const int MaxDateFormatLength = 10;
const int MaxCalendarHints = 4;
const int StandardButtonWidth = 21;
const int HolderHeight = 17;
const int DropDownButtonWidth = 17; // a scroll bar's width
const TColor GlyphBackground = clOlive;

std::unique_ptr<TBitmap> BlankGlyph(int width, int height, TColor background) {
    auto glyph = std::make_unique<TBitmap>();
    glyph->SetSize(width, height);
    glyph->Canvas().Brush().SetColor(background);
    glyph->Canvas().FillRect(Rect(0, 0, width, height));
    return glyph;
}

// A leaf of a calendar with a coloured head, at x.
void DrawCalendarLeaf(TCanvas& canvas, int x, TColor frame, TColor head) {
    canvas.Brush().SetColor(clWhite);
    canvas.FillRect(Rect(x + 1, 0, x + 13, 11));
    canvas.Brush().SetColor(head);
    canvas.FillRect(Rect(x + 1, 0, x + 13, 3));
    canvas.Brush().SetColor(frame);
    for (const TRect& edge : {Rect(x + 1, 0, x + 13, 1), Rect(x + 1, 10, x + 13, 11),
                              Rect(x + 1, 0, x + 2, 11), Rect(x + 12, 0, x + 13, 11)})
        canvas.FillRect(edge);
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 3; ++col)
            canvas.FillRect(Bounds(x + 3 + col * 3, 5 + row * 3, 2, 2));
}

// The date edit's two pictures side by side, enabled and disabled; made once and shared.
const TBitmap& DateEditGlyph() {
    static const std::unique_ptr<TBitmap> glyph = [] {
        std::unique_ptr<TBitmap> picture = BlankGlyph(28, 12, GlyphBackground);
        DrawCalendarLeaf(picture->Canvas(), 0, clBlack, clRed);
        DrawCalendarLeaf(picture->Canvas(), 14, clGray, clSilver);
        return picture;
    }();
    return *glyph;
}

// Three dots in the middle of a strip as wide as the button less its edges.
std::unique_ptr<TBitmap> EllipsisGlyph(int buttonWidth) {
    int width = std::max(1, buttonWidth - 6);
    std::unique_ptr<TBitmap> glyph = BlankGlyph(width, 4, clWhite);
    int gap = std::clamp((width - 6) / 2, 1, 3);
    int first = (width - 6 - 2 * gap) / 2;
    glyph->Canvas().Brush().SetColor(clBlack);
    for (int x : {first, first + gap + 2, first + 2 * gap + 4})
        glyph->Canvas().FillRect(Bounds(x, 1, 2, 2));
    return glyph;
}

// The arrow of a combo box.
std::unique_ptr<TBitmap> DropDownGlyph() {
    std::unique_ptr<TBitmap> glyph = BlankGlyph(7, 4, clWhite);
    glyph->Canvas().Brush().SetColor(clBlack);
    for (int row = 0; row < 4; ++row)
        glyph->Canvas().FillRect(Rect(row, row, 7 - row, row + 1));
    return glyph;
}

} // namespace

// ---- The pop-up window

TPopupWindow::TPopupWindow(TCustomComboEdit* AEditor)
    : TCustomPopupControl(AEditor), FEditor(AEditor) {
    SetVisible(false);
    SetParent(AEditor);
}

void TPopupWindow::FinishPopup(bool Accept) {
    if (OnPopupClose)
        OnPopupClose(this, Accept);
}

void TPopupWindow::ShowAt(const TPoint& point) {
    SetBounds(point.x, point.y, Width(), Height());
    Show();
    BringToFront();
}

void TPopupWindow::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomPopupControl::MouseUp(Button, Shift, X, Y);
    if (Button == mbLeft)
        FinishPopup(ClientRect().Contains(TPoint{X, Y}));
}

TPoint PopupPosition(const TRect& editOnScreen, const TSize& popup, const TSize& screen,
                     TPopupAlign align) {
    int y = editOnScreen.Bottom;
    if (y + popup.cy > screen.cy)
        y = editOnScreen.Top - popup.cy;
    int leftAligned = editOnScreen.Left;
    int rightAligned = editOnScreen.Left - (popup.cx - editOnScreen.Width());
    int x = align == epaRight ? (rightAligned < 0 ? leftAligned : rightAligned)
                              : (leftAligned + popup.cx > screen.cx ? rightAligned : leftAligned);
    if (x < 0)
        x = 0;
    else if (x + popup.cx > screen.cx)
        x = screen.cx - popup.cx;
    return TPoint{x, y};
}

// ---- The edit's button

TEditButton::TEditButton(TComponent* AOwner, TCustomComboEdit* AEditor)
    : TQmSpeedButton(AOwner), FEditor(AEditor) {}

// A press while the pop-up is shown closes it with its value, and is no click of the button.
void TEditButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft) {
        FNoAction = FEditor->PopupVisible();
        if (FNoAction)
            FEditor->ClosePopup(FEditor->Popup(), true);
        else if (FEditor->TabStop() && FEditor->CanFocus() && !FEditor->Focused())
            FEditor->SetFocus();
    }
    TQmSpeedButton::MouseDown(Button, Shift, X, Y);
}

void TEditButton::Click() {
    if (FNoAction) {
        FNoAction = false;
        return;
    }
    TQmSpeedButton::Click();
}

// A line on the left parts the button from the text.
void TEditButton::Paint() {
    TQmSpeedButton::Paint();
    if (State() == sbsDown || State() == sbsExclusive)
        return;
    TCanvas& canvas = Canvas();
    canvas.Pen().SetColor(clBtnFace);
    canvas.MoveTo(0, 0);
    canvas.LineTo(0, Height());
    canvas.Pen().SetColor(clBtnHighlight);
    canvas.MoveTo(1, 1);
    canvas.LineTo(1, Height() - 2);
}

// ---- The combo edit

TCustomComboEdit::TCustomComboEdit(TComponent* AOwner) : TEdit(AOwner) {
    SetBounds(Left(), Top(), Width(), 21);
    SetTabStop(true);
    FButtonHolder = new TWinControl(this);
    FButtonHolder->SetParent(this);
    FButtonHolder->SetBounds(0, 0, StandardButtonWidth, HolderHeight);
    FButton = new TEditButton(this, this);
    FButton->SetParent(FButtonHolder);
    FButton->SetBounds(0, 0, StandardButtonWidth, HolderHeight);
    FButton->OnClick = [this](TObject*) {
        if (!IsReadOnly())
            DoButtonClick();
    };
    UpdateButtonBounds();
}

void TCustomComboEdit::SetButtonWidth(int value) {
    if (value == ButtonWidth() || (value >= ClientWidth() && ClientWidth() > 0))
        return;
    FButton->SetWidth(value);
    UpdateButtonBounds();
    if (FGlyphKind == gkEllipsis)
        RecreateGlyph();
}

int TCustomComboEdit::NaturalButtonWidth() const {
    if (FGlyphKind == gkDropDown)
        return DropDownButtonWidth;
    if (FGlyphKind == gkDefault && !FButton->Glyph().Empty())
        return std::max(FButton->Glyph().Width() / FButton->NumGlyphs() + 6, StandardButtonWidth);
    return StandardButtonWidth;
}

void TCustomComboEdit::SetGlyphKind(TGlyphKind value) {
    if (value == FGlyphKind)
        return;
    FGlyphKind = value;
    RecreateGlyph();
}

void TCustomComboEdit::SetGlyph(const TBitmap& value) {
    FButton->SetGlyph(value);
    FGlyphKind = gkCustom;
}

void TCustomComboEdit::SetNumGlyphs(int value) {
    FButton->SetNumGlyphs(FGlyphKind == gkDropDown || FGlyphKind == gkEllipsis ? 1
                          : FGlyphKind == gkDefault                            ? DefaultGlyphCount()
                                                                               : value);
}

void TCustomComboEdit::RecreateGlyph() {
    switch (FGlyphKind) {
    case gkDefault:
        if (const TBitmap* glyph = DefaultGlyph()) {
            FButton->SetGlyph(*glyph);
            FButton->SetNumGlyphs(DefaultGlyphCount());
        }
        SetButtonWidth(NaturalButtonWidth());
        break;
    case gkDropDown:
        FButton->SetGlyph(*DropDownGlyph());
        FButton->SetNumGlyphs(1);
        SetButtonWidth(DropDownButtonWidth);
        break;
    case gkEllipsis:
        FButton->SetGlyph(*EllipsisGlyph(ButtonWidth()));
        FButton->SetNumGlyphs(1);
        break;
    case gkCustom:
        break;
    }
}

// The button stands inside the edit's frame at its right edge, and the text keeps clear of it.
void TCustomComboEdit::UpdateButtonBounds() {
    int width = ButtonWidth();
    FButtonHolder->SetVisible(width > 1);
    FButtonHolder->SetBounds(Width() - width - 2, 2, width, std::max(Height() - 4, 0));
    FButton->SetBounds(0, 0, width, FButtonHolder->Height());
    UpdateTextArea();
}

void TCustomComboEdit::UpdateTextArea() {
    SetRightTextMargin(FButtonHolder->Visible() ? ButtonWidth() + 2 : 0);
}

void TCustomComboEdit::Resize() {
    TEdit::Resize();
    UpdateButtonBounds();
}

void TCustomComboEdit::SetEnabled(bool value) {
    TEdit::SetEnabled(value);
    FButton->SetEnabled(value);
}

TCustomComboEdit::~TCustomComboEdit() = default;

void TCustomComboEdit::SetReadOnly(bool value) {
    FReadOnly = value;
    ApplyReadOnly();
}

void TCustomComboEdit::SetDirectInput(bool value) {
    FDirectInput = value;
    ApplyReadOnly();
}

void TCustomComboEdit::ApplyReadOnly() {
    TEdit::SetReadOnly(FReadOnly || !FDirectInput || (FPopupVisible && FEditDisabled));
}

void TCustomComboEdit::DoButtonClick() {
    if (OnButtonClick)
        OnButtonClick(this);
    if (FPopupVisible)
        ClosePopup(FPopup, true);
    else
        DropDownPopup(true);
}

void TCustomComboEdit::DropDownPopup(bool DisableEdit) {
    if (!FPopup || FReadOnly || FPopupVisible)
        return;
    TRect edit = Bounds(0, 0, Width(), Height());
    TPoint corner = ClientToScreen(TPoint{0, 0});
    edit = Bounds(corner.x, corner.y, edit.Width(), edit.Height());
    TPoint at = PopupPosition(edit, TSize{FPopup->Width(), FPopup->Height()},
                              TSize{Screen->Width(), Screen->Height()}, FPopupAlign);
    GivePopupValue(Text().empty() ? TPopupValue{} : TPopupValue{Text()});
    if (CanFocus())
        SetFocus();
    ShowPopupAt(at);
    FPopupVisible = true;
    FEditDisabled = DisableEdit;
    ApplyReadOnly();
}

void TCustomComboEdit::ShowPopupAt(const TPoint& point) {
    FPopup->ShowAt(point);
}

void TCustomComboEdit::HidePopupWindow() {
    FPopup->HideWindow();
}

void TCustomComboEdit::ClosePopup(TObject* /*Sender*/, bool Accept) {
    if (!FPopup || !FPopupVisible)
        return;
    FPopup->SetMouseCapture(false);
    TPopupValue value = ReadPopupValue();
    HidePopupWindow();
    if (CanFocus())
        SetFocus();
    FPopupVisible = false;
    FEditDisabled = false;
    ApplyReadOnly();
    Invalidate();
    if (Accept && CanAcceptPopupValue(value) && !FReadOnly)
        TakePopupValue(value);
    if (Focused())
        SelectAll();
}

bool TCustomComboEdit::CanAcceptPopupValue(TPopupValue& /*Value*/) {
    return true;
}

void TCustomComboEdit::TakePopupValue(const TPopupValue& Value) {
    const String* text = std::get_if<String>(&Value);
    String newText = text ? *text : String();
    if (newText == Text())
        return;
    SetText(newText);
    FModified = true;
}

void TCustomComboEdit::GivePopupValue(const TPopupValue& Value) {
    FPopup->SetWindowValue(Value);
}

TPopupValue TCustomComboEdit::ReadPopupValue() {
    return FPopup->GetWindowValue();
}

void TCustomComboEdit::KeyDown(WORD& Key, TShiftState Shift) {
    TEdit::KeyDown(Key, Shift);
    // Esc types no character here, so the shown pop-up hears of it as a key.
    if (Key == VK_ESCAPE && FPopupVisible) {
        ClosePopup(FPopup, false);
        Key = 0;
    }
    if (Key != 0 && ShortCut(Key, Shift) == FClickKey) {
        DoButtonClick();
        Key = 0;
    }
}

// Enter and Esc close a shown pop-up, Enter taking its value.
void TCustomComboEdit::KeyPress(char& Key) {
    if ((Key == '\r' || Key == '\x1b') && FPopupVisible) {
        ClosePopup(FPopup, Key == '\r');
        Key = 0;
        return;
    }
    TEdit::KeyPress(Key);
}

void TCustomComboEdit::Change() {
    if (FPopupVisible) {
        PopupValueChanged();
        return;
    }
    FModified = true;
    TEdit::Change();
}

void TCustomComboEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft && FPopup) {
        if (CanFocus())
            SetFocus();
        if (!Focused())
            return;
        if (FPopupVisible)
            ClosePopup(FPopup, false);
    }
    TEdit::MouseDown(Button, Shift, X, Y);
}

void TCustomComboEdit::DoExit() {
    ClosePopup(FPopup, false);
    TEdit::DoExit();
}

// ---- The date edit

TCustomDateEdit::TCustomDateEdit(TComponent* AOwner) : TCustomComboEdit(AOwner) {
    SetGlyphKind(gkDefault);
    UpdateDateFormat();
    CreatePopup();
    FSettingsHook = HookMainWindow([this](TMessage& message) {
        if (message.Msg == WM_WININICHANGE)
            RefreshDateFormat();
        return false;
    });
}

const TBitmap* TCustomDateEdit::DefaultGlyph() const {
    return &DateEditGlyph();
}

TCustomDateEdit::~TCustomDateEdit() {
    UnhookMainWindow(FSettingsHook);
}

void TCustomDateEdit::CreatePopup() {
    auto* calendar = new TPopupCalendar(this);
    calendar->OnPopupClose = [this](TObject* sender, bool accept) { ClosePopup(sender, accept); };
    calendar->SetColor(FPopupColor);
    SetPopup(calendar);
    ApplyCalendarSettings();
}

bool TCustomDateEdit::UsesFourDigitYear() const {
    return FYearDigits == dyFour || (FYearDigits == dyDefault && FourDigitYearDefault());
}

void TCustomDateEdit::UpdateDateFormat() {
    FDateFormat = DefaultDateFormat(UsesFourDigitYear()).substr(0, MaxDateFormatLength);
}

void TCustomDateEdit::RefreshDateFormat() {
    TDateTime date = GetDateValue();
    UpdateDateFormat();
    SetEditMask(DefaultDateMask(FBlanksChar, UsesFourDigitYear()));
    ApplyCalendarSettings();
    SetDateValue(date);
}

TDateTime TCustomDateEdit::DefaultDate() const {
    return FDefaultToday ? Date() : NoDate;
}

TDateTime TCustomDateEdit::GetDateValue() const {
    TDateTime date = DateFromTextFmtDef(FDateFormat, Text(), DefaultDate());
    return date == NoDate ? DefaultDate() : date;
}

void TCustomDateEdit::SetDateValue(TDateTime value) {
    TDateTime before = GetDateValue();
    if (value == NoDate || !DateTimeFieldsValid(value))
        value = DefaultDate();
    value = std::floor(value);
    FInternalChange = true;
    SetText(value == NoDate ? String() : FormatDateTime(FDateFormat, value));
    FInternalChange = false;
    SetModified(value != before);
}

bool TCustomDateEdit::HasDateText() const {
    String text;
    for (char c : Text())
        if (c != FormatSettings.DateSeparator && c != FBlanksChar)
            text += c;
    return !Trim(text).empty();
}

void TCustomDateEdit::CheckDateText() {
    if (!HasDateText())
        return;
    TDateTime date = NoDate;
    try {
        FInternalChange = true;
        date = DateFromTextFmt(FDateFormat, Text());
        FInternalChange = false;
    } catch (const EConvertError&) {
        FInternalChange = false;
        if (CanFocus())
            SetFocus();
        throw;
    }
    SetDateValue(date);
}

void TCustomDateEdit::SetDateSelect(TDateTime value) {
    SetDateValue(value);
    SelectAll();
}

TDateTime TCustomDateEdit::DateOrToday() const {
    TDateTime date = GetDateValue();
    return date == NoDate ? Date() : date;
}

void TCustomDateEdit::SetBlanksChar(char value) {
    FBlanksChar = static_cast<unsigned char>(value) < ' ' ? ' ' : value;
    RefreshDateFormat();
}

void TCustomDateEdit::SetYearDigits(TYearDigits value) {
    FYearDigits = value;
    RefreshDateFormat();
}

TColor TCustomDateEdit::PopupColor() const {
    return Popup() ? Popup()->Color() : FPopupColor;
}

void TCustomDateEdit::SetPopupColor(TColor value) {
    FPopupColor = value;
    if (Popup())
        Popup()->SetColor(value);
}

void TCustomDateEdit::SetCalendarStyle(TCalendarStyle value) {
    if (value == FCalendarStyle)
        return;
    FCalendarStyle = value;
    if (value == csDialog) {
        delete Popup();
        SetPopup(nullptr);
    } else {
        CreatePopup();
    }
}

void TCustomDateEdit::SetStartOfWeek(TDayOfWeekName value) {
    FStartOfWeek = value;
    ApplyCalendarSettings();
}

void TCustomDateEdit::SetWeekends(TDaysOfWeek value) {
    FWeekends = value;
    ApplyCalendarSettings();
}

void TCustomDateEdit::SetWeekendColor(TColor value) {
    FWeekendColor = value;
    ApplyCalendarSettings();
}

void TCustomDateEdit::SetCalendarHints(const std::vector<String>& lines) {
    FCalendarHints.Clear();
    for (size_t i = 0; i < lines.size() && i < MaxCalendarHints; ++i)
        FCalendarHints.Add(lines[i]);
    ApplyCalendarSettings();
}

void TCustomDateEdit::ApplyCalendarSettings() {
    if (Popup())
        SetupPopupCalendar(Popup(), FStartOfWeek, FWeekends, UsesFourDigitYear(), FCalendarHints,
                           FWeekendColor);
}

// The calendar opens on the text's date, today when the text holds none.
void TCustomDateEdit::GivePopupValue(const TPopupValue& /*Value*/) {
    TDateTime date = DateFromTextFmtDef(FDateFormat, Text(), Date());
    TCustomComboEdit::GivePopupValue(date == NoDate ? Date() : date);
}

bool TCustomDateEdit::CanAcceptPopupValue(TPopupValue& Value) {
    if (!OnAcceptDate)
        return true;
    TDateTime date = NoDate;
    if (const auto* chosen = std::get_if<TDateTime>(&Value))
        date = *chosen;
    else if (const auto* text = std::get_if<String>(&Value))
        date = DateFromTextFmtDef(FDateFormat, *text, DefaultDate());
    bool accept = true;
    OnAcceptDate(this, date, accept);
    if (accept)
        Value = date;
    return accept;
}

void TCustomDateEdit::TakePopupValue(const TPopupValue& Value) {
    TDateTime date = NoDate;
    if (const auto* chosen = std::get_if<TDateTime>(&Value))
        date = *chosen;
    SetDateValue(date);
    if (Modified() && OnChange)
        OnChange(this);
}

// The pop-up's keys go to the calendar while it is shown; otherwise the pad's plus and minus step
// the date by a day.
void TCustomDateEdit::KeyDown(WORD& Key, TShiftState Shift) {
    bool calendarKey = Key == VK_PRIOR || Key == VK_NEXT || Key == VK_LEFT || Key == VK_RIGHT ||
                       Key == VK_UP || Key == VK_DOWN || Key == VK_ADD || Key == VK_SUBTRACT;
    if (calendarKey && PopupVisible() && Popup()) {
        Popup()->KeyDown(Key, Shift);
        Key = 0;
        return;
    }
    if (DirectInput() && Shift.Empty() && (Key == VK_ADD || Key == VK_SUBTRACT)) {
        SetDateSelect(DateOrToday() + (Key == VK_ADD ? 1 : -1));
        Key = 0;
        return;
    }
    TCustomComboEdit::KeyDown(Key, Shift);
}

void TCustomDateEdit::KeyPress(char& Key) {
    bool dateChar = Key == '+' || Key == '-' || Key == 'T' || Key == 't';
    if (dateChar && PopupVisible() && Popup()) {
        Popup()->KeyPress(Key);
        Key = 0;
        return;
    }
    if (dateChar && DirectInput()) {
        if (Key == 'T' || Key == 't')
            SetDateSelect(Date());
        Key = 0;
        return;
    }
    TCustomComboEdit::KeyPress(Key);
}

void TCustomDateEdit::Change() {
    if (!FInternalChange)
        TCustomComboEdit::Change();
}

void TCustomDateEdit::DoExit() {
    TCustomComboEdit::DoExit();
    if (FCheckOnExit)
        CheckDateText();
}

void TCustomDateEdit::DoButtonClick() {
    TCustomComboEdit::DoButtonClick();
    if (FCalendarStyle != csDialog)
        return;
    TDateTime date = GetDateValue();
    bool chosen = SelectDateDialog(date, FDialogTitle, FStartOfWeek, FWeekends, FWeekendColor,
                                   FCalendarHints);
    if (CanFocus())
        SetFocus();
    if (!chosen)
        return;
    bool accept = true;
    if (OnAcceptDate)
        OnAcceptDate(this, date, accept);
    if (!accept)
        return;
    SetDateValue(date);
    if (Focused())
        SelectAll();
}

TDateEdit::TDateEdit(TComponent* AOwner) : TCustomDateEdit(AOwner) {
    RefreshDateFormat();
}
