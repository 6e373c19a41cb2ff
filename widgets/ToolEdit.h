#pragma once
// An edit with a button at its right edge that drops a window down below (or up above) it, and
// on it the date edit, whose window is a month calendar or, as the other style, a date dialog.

#include "platform/Classes.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"
#include "widgets/PickDate.h"
#include "widgets/QmCtrls.h"

#include <memory>

enum TGlyphKind { gkCustom, gkDefault, gkDropDown, gkEllipsis };
enum TPopupAlign { epaRight, epaLeft };
enum TCalendarStyle { csPopup, csDialog };
enum TYearDigits { dyDefault, dyFour, dyTwo };

using TExecDateDialog = std::function<void(TObject* Sender, TDateTime& ADate, bool& Action)>;

// The button inside the edit: a click runs the edit's button action, except the click of a press
// that closed the shown pop-up.
class TEditButton : public TQmSpeedButton {
public:
    explicit TEditButton(TComponent* AOwner, TCustomComboEdit* AEditor);
    void Click() override;

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Paint() override;

private:
    TCustomComboEdit* FEditor;
    bool FNoAction = false;
};

// Where a pop-up of a size goes for an edit at a place of the screen: below it, or above it when
// it would pass the screen's bottom; its right edge at the edit's (epaRight) or its left edge at
// the edit's (epaLeft), kept on the screen.
TPoint PopupPosition(const TRect& editOnScreen, const TSize& popup, const TSize& screen,
                     TPopupAlign align);

class TCustomComboEdit : public TEdit {
public:
    explicit TCustomComboEdit(TComponent* AOwner);
    ~TCustomComboEdit() override;

    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value);
    // Off: no typing, while the button still drops the pop-up down.
    bool DirectInput() const { return FDirectInput; }
    void SetDirectInput(bool value);
    // The key that acts as the button (Alt+Down).
    TShortCut ClickKey() const { return FClickKey; }
    void SetClickKey(TShortCut value) { FClickKey = value; }
    TPopupAlign PopupAlign() const { return FPopupAlign; }
    void SetPopupAlign(TPopupAlign value) { FPopupAlign = value; }
    TGlyphKind GlyphKind() const { return FGlyphKind; }
    void SetGlyphKind(TGlyphKind value);
    // The edit's own mask of the text ("!99/99/9999;1;_" for a date), as the framework writes it.
    const String& EditMask() const { return FEditMask; }
    void SetEditMask(const String& value) { FEditMask = value; }
    bool Modified() const { return FModified; }
    void SetModified(bool value) { FModified = value; }
    bool PopupVisible() const { return FPopupVisible; }
    TPopupWindow* Popup() const { return FPopup; }
    TEditButton* Button() const { return FButton; }
    // The button's width; 1 or less hides it. A width the edit cannot hold beside some text is
    // refused.
    int ButtonWidth() const { return FButton->Width(); }
    void SetButtonWidth(int value);
    // The width the button's picture asks for.
    int NaturalButtonWidth() const;
    void SetGlyph(const TBitmap& value);
    int NumGlyphs() const { return FButton->NumGlyphs(); }
    void SetNumGlyphs(int value);
    void SetButtonHint(const String& value) { FButton->SetHint(value); }

    // The button: OnButtonClick, then a shown pop-up closes accepting and a hidden one drops down.
    virtual void DoButtonClick();
    // Closes a shown pop-up, taking its value when accepted.
    void ClosePopup(TObject* Sender, bool Accept);

    TNotifyEvent OnButtonClick;

protected:
    virtual void DropDownPopup(bool DisableEdit);
    virtual void ShowPopupAt(const TPoint& point);
    virtual void HidePopupWindow();
    virtual bool CanAcceptPopupValue(TPopupValue& Value);
    virtual void TakePopupValue(const TPopupValue& Value);
    virtual void GivePopupValue(const TPopupValue& Value);
    virtual TPopupValue ReadPopupValue();
    virtual void PopupValueChanged() {}
    virtual bool IsReadOnly() const { return FReadOnly; }
    // The picture of gkDefault; none in this class.
    virtual const TBitmap* DefaultGlyph() const { return nullptr; }
    // The glyph count of the default picture.
    virtual int DefaultGlyphCount() const { return 1; }
    void RecreateGlyph();
    void Resize() override;
    void SetEnabled(bool value) override;
    void SetPopup(TPopupWindow* popup) { FPopup = popup; }
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void Change() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DoExit() override;
    // Typing is refused while the edit is read-only, without direct input, or while a pop-up
    // dropped with the edit disabled is shown.
    void ApplyReadOnly();

private:
    void UpdateButtonBounds();
    void UpdateTextArea();

    bool FReadOnly = false;
    bool FDirectInput = true;
    bool FEditDisabled = false;
    TShortCut FClickKey = 0x8028;
    TPopupAlign FPopupAlign = epaRight;
    TGlyphKind FGlyphKind = gkCustom;
    String FEditMask;
    bool FModified = false;
    bool FPopupVisible = false;
    TPopupWindow* FPopup = nullptr;
    TWinControl* FButtonHolder = nullptr;
    TEditButton* FButton = nullptr;
};

class TCustomDateEdit : public TCustomComboEdit {
public:
    explicit TCustomDateEdit(TComponent* AOwner);
    ~TCustomDateEdit() override;

    // The date the text shows; the null date (today with DefaultToday) for empty or wrong text.
    TDateTime GetDateValue() const;
    // An invalid or null date becomes the null date (today with DefaultToday), shown as an
    // empty text; the edit is marked modified exactly when the date changed.
    void SetDateValue(TDateTime value);
    const String& DateFormat() const { return FDateFormat; }
    // The text holds more than blanks and date separators.
    bool HasDateText() const;
    // Reads the text strictly as a date and shows it again; a text that is no date keeps the
    // focus here and raises EConvertError.
    void CheckDateText();
    // The format and mask again from the locale, keeping the date.
    void RefreshDateFormat();

    char BlanksChar() const { return FBlanksChar; }
    void SetBlanksChar(char value);
    bool CheckOnExit() const { return FCheckOnExit; }
    void SetCheckOnExit(bool value) { FCheckOnExit = value; }
    bool DefaultToday() const { return FDefaultToday; }
    void SetDefaultToday(bool value) { FDefaultToday = value; }
    const String& DialogTitle() const { return FDialogTitle; }
    void SetDialogTitle(const String& value) { FDialogTitle = value; }
    TColor PopupColor() const;
    void SetPopupColor(TColor value);
    TCalendarStyle CalendarStyle() const { return FCalendarStyle; }
    void SetCalendarStyle(TCalendarStyle value);
    TDayOfWeekName StartOfWeek() const { return FStartOfWeek; }
    void SetStartOfWeek(TDayOfWeekName value);
    TDaysOfWeek Weekends() const { return FWeekends; }
    void SetWeekends(TDaysOfWeek value);
    TColor WeekendColor() const { return FWeekendColor; }
    void SetWeekendColor(TColor value);
    TYearDigits YearDigits() const { return FYearDigits; }
    void SetYearDigits(TYearDigits value);
    // Hints of the pop-up's previous-year, previous-month, next-month and next-year buttons; an
    // empty line keeps a button's own. At most four lines are kept.
    const TStringList& CalendarHints() const { return FCalendarHints; }
    void SetCalendarHints(const std::vector<String>& lines);

    void DoButtonClick() override;

    // May change the date chosen in the pop-up or the dialog, or refuse it.
    TExecDateDialog OnAcceptDate;

protected:
    const TBitmap* DefaultGlyph() const override;
    int DefaultGlyphCount() const override { return 2; }
    bool CanAcceptPopupValue(TPopupValue& Value) override;
    void TakePopupValue(const TPopupValue& Value) override;
    void GivePopupValue(const TPopupValue& Value) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void Change() override;
    void DoExit() override;

private:
    bool UsesFourDigitYear() const;
    void UpdateDateFormat();
    void ApplyCalendarSettings();
    void CreatePopup();
    void SetDateSelect(TDateTime value);
    TDateTime DefaultDate() const;
    // The date of the text, for stepping by day: today when it holds none.
    TDateTime DateOrToday() const;

    // Follows the system's settings: the date order and year digits may change with them.
    int FSettingsHook = 0;
    String FDateFormat;
    char FBlanksChar = ' ';
    String FDialogTitle = "Select a Date";
    TColor FPopupColor = clBtnFace;
    TCalendarStyle FCalendarStyle = csPopup;
    TDayOfWeekName FStartOfWeek = Mon;
    TDaysOfWeek FWeekends{Sun};
    TColor FWeekendColor = clRed;
    TYearDigits FYearDigits = dyDefault;
    TStringList FCalendarHints;
    bool FDefaultToday = false;
    bool FCheckOnExit = false;
    bool FInternalChange = false;
};

class TDateEdit : public TCustomDateEdit {
public:
    explicit TDateEdit(TComponent* AOwner);
};
