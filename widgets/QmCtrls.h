#pragma once
// The speed button with its drop-down menu, auto-repeat and exclusive groups, the painter of its
// glyph, and the scrolling credits panel of the about box.

#include "platform/Buttons.h"
#include "platform/Classes.h"
#include "platform/ExtCtrls.h"
#include "platform/ImgList.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"
#include "widgets/GlyphList.h"
#include "widgets/QmTimer.h"

#include <array>
#include <functional>
#include <memory>
#include <vector>

// The looks of a speed button, also the order of the cells of its glyph strip; inactive (a flat
// button without the mouse over it) is only painted, never kept as the button's state.
enum SpeedButtonState { sbsUp, sbsDisabled, sbsDown, sbsExclusive, sbsInactive };

// Told to the buttons of a parent when one of a group goes down (WParam the group index, LParam
// the button).
constexpr UINT CM_QMBUTTONPRESSED = 0xB051;

namespace QmCtrls {

// The cache of the glyph painters; nullptr while none is needed.
TGlyphCache* GlyphCache();

} // namespace QmCtrls

// Where PaintFace put the glyph and the caption.
struct TFaceLayout {
    TPoint GlyphPos;
    TSize GlyphSize;
    TRect TextRect;
    TSize TextSize;
    String Caption; // as it fits the room
};

// Holds a speed button's glyph strip, cuts it into an image for each state (making the disabled
// and inactive looks when the strip has none), and lays out and draws glyph, caption and
// drop-down mark.
class TQmButtonGlyph : public TObject {
public:
    TQmButtonGlyph();
    ~TQmButtonGlyph() override;
    TQmButtonGlyph(const TQmButtonGlyph&) = delete;
    TQmButtonGlyph& operator=(const TQmButtonGlyph&) = delete;

    TBitmap& Glyph() { return FGlyph; }
    void SetGlyph(const TBitmap& value);
    int NumGlyphs() const { return FNumGlyphs; }
    // 0 and the current count change nothing.
    void SetNumGlyphs(int value);
    TColor TransparentColor() const { return FTransparentColor; }

    // The index of the state's image in ImageList, made when first asked for; -1 without glyph.
    int GetStateImage(SpeedButtonState state);
    void ReleaseImages();
    TGlyphList* ImageList() const { return FList; }
    // A colour as the inactive look shows it: grey of the same lightness, except the transparent
    // colour and the button face.
    TColor GrayedColor(TColor colour) const;

    // Draws the face in client and returns the caption's rectangle. textFlags: DT_LEFT, DT_CENTER
    // or DT_RIGHT. Margin and spacing of -1 spread glyph and caption evenly.
    TRect PaintFace(TCanvas& canvas, const TRect& client, const String& caption,
                    TButtonLayout layout, int margin, int spacing, bool drawMark,
                    SpeedButtonState state, UINT textFlags);
    TFaceLayout LayOutFace(TCanvas& canvas, const TRect& client, const String& caption,
                           TButtonLayout layout, int margin, int spacing, bool drawMark,
                           UINT textFlags);

    bool WordWrap = false;
    TAlignment Alignment = taCenter;
    TNotifyEvent OnChange;

private:
    void GlyphBitmapChanged();
    TSize CellSize() const;
    void CopyCell(TBitmap& target, int cell);
    String FitCaptionLines(TCanvas& canvas, const String& caption, int width) const;
    UINT CaptionFlags(UINT textFlags) const;
    TSize PaintStateImage(TCanvas& canvas, TPoint at, SpeedButtonState state);
    void PaintCaption(TCanvas& canvas, const String& caption, const TRect& rect,
                      SpeedButtonState state, UINT textFlags);
    void PaintDropMark(TCanvas& canvas, int x, int y, SpeedButtonState state);

    TBitmap FGlyph;
    TGlyphList* FList = nullptr;
    std::array<int, 5> FIndexes;
    TColor FTransparentColor = clFuchsia;
    int FNumGlyphs = 1;
};

enum TQmDropDownMenuPos { dmpBottom, dmpRight };

// A button without a window that draws a glyph and a caption, can drop its menu down from itself,
// repeat its click while held, be one of an exclusive group, and look flat until the mouse comes.
class TQmSpeedButton : public TGraphicControl {
public:
    explicit TQmSpeedButton(TComponent* AOwner);
    ~TQmSpeedButton() override;

    TAlignment Alignment() const { return FGlyph->Alignment; }
    void SetAlignment(TAlignment value);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool value);
    bool AllowTimer() const { return FAllowTimer; }
    void SetAllowTimer(bool value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int value);
    bool Down() const { return FDown; }
    void SetDown(bool value);
    TPopupMenu* DropDownMenu() const { return FDropDownMenu; }
    void SetDropDownMenu(TPopupMenu* value);
    TQmDropDownMenuPos MenuPosition() const { return FMenuPosition; }
    void SetMenuPosition(TQmDropDownMenuPos value) { FMenuPosition = value; }
    bool Flat() const { return FFlat; }
    void SetFlat(bool value);
    TBitmap& Glyph() { return FGlyph->Glyph(); }
    void SetGlyph(const TBitmap& value);
    bool GrayedInactive() const { return FGrayedInactive; }
    void SetGrayedInactive(bool value);
    int InitPause() const { return FInitPause; }
    void SetInitPause(int value) { FInitPause = value; }
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout value);
    int Margin() const { return FMargin; }
    void SetMargin(int value);
    bool MarkDropDown() const { return FMarkDropDown; }
    void SetMarkDropDown(bool value);
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult value) { FModalResult = value; }
    int NumGlyphs() const { return FGlyph->NumGlyphs(); }
    void SetNumGlyphs(int value);
    int RepeatInterval() const { return FRepeatInterval; }
    void SetRepeatInterval(int value) { FRepeatInterval = value; }
    int Spacing() const { return FSpacing; }
    void SetSpacing(int value);
    TButtonStyle Style() const { return FStyle; }
    void SetStyle(TButtonStyle value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    bool WordWrap() const { return FGlyph->WordWrap; }
    void SetWordWrap(bool value);

    // The look the button keeps (derived buttons draw less while it is down).
    SpeedButtonState State() const { return FState; }
    // Whether the mouse is over the button, as the flat look follows it.
    bool MouseInside() const { return FMouseInside; }
    TQmButtonGlyph& ButtonGlyph() const { return *FGlyph; }
    // The repeat timer; nullptr until a press with AllowTimer made it.
    TTimer* RepeatTimer() const { return FRepeatTimer.get(); }
    // Where the drop-down menu opens, in the button's coordinates.
    TPoint MenuAnchorPoint() const;
    // Pops the menu up at point (the button's coordinates) unless its AutoPopup is off and not
    // forced; returns when it closes. False when it was not shown.
    bool ShowDropDownMenu(const TPoint& point, bool forced);

    void Click() override;
    void WndProc(TMessage& Message) override;

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Paint() override;
    virtual void PaintContent(TCanvas& canvas, const TRect& rect, SpeedButtonState state,
                              bool drawMark);
    virtual void NotifyMouseIn();
    virtual void NotifyMouseOut();

private:
    bool OnButton(int X, int Y) const;
    void FinishPress(TMouseButton Button, int X, int Y);
    void DropClosingClick();
    void StartRepeat();
    void RepeatTick(TObject* Sender);
    void NotifyGroup();
    void GroupButtonPressed(const TMessage& Message);
    void CheckMouseOver();
    void MouseCameIn();
    void MouseWentOut();
    void PrepareStateImage();
    void FillExclusivePattern(TCanvas& canvas, const TRect& rect);

    std::unique_ptr<TQmButtonGlyph> FGlyph;
    TBitmap FFace;
    bool FDragging = false;
    bool FMouseInside = false;
    bool FMenuTracking = false;
    std::unique_ptr<TTimer> FRepeatTimer;
    SpeedButtonState FState = sbsUp;

    bool FAllowAllUp = false;
    bool FAllowTimer = false;
    int FGroupIndex = 0;
    bool FDown = false;
    TPopupMenu* FDropDownMenu = nullptr;
    TQmDropDownMenuPos FMenuPosition = dmpBottom;
    bool FFlat = false;
    bool FGrayedInactive = true;
    int FInitPause = 500;
    TButtonLayout FLayout = blGlyphTop;
    int FMargin = -1;
    bool FMarkDropDown = true;
    TModalResult FModalResult = 0;
    int FRepeatInterval = 100;
    int FSpacing = 1;
    TButtonStyle FStyle = bsAutoDetect;
    bool FTransparent = false;
};

// The frame of a speed button drawn inside rect; returns the face inside it.
TRect DrawSpeedButtonFrame(TCanvas& canvas, TRect rect, bool down, bool flat, TButtonStyle style);

enum TGlyphLayout { glGlyphLeft, glGlyphRight, glGlyphTop, glGlyphBottom };
enum TScrollDirection { sdVertical, sdHorizontal };

// Paints the background of a panel's client area in place of the plain fill.
using TPanelDrawEvent = std::function<void(TObject* Sender, TCanvas& Canvas, const TRect& Rect)>;

// A panel that scrolls its lines through itself, the credits of the about box: while active its
// child controls are hidden and the text moves one pixel per tick of its timer, rising from below
// or coming in from the right, beside an optional glyph, until it has scrolled out (or, cycled,
// starts again).
class TSecretPanel : public TPanel {
public:
    explicit TSecretPanel(TComponent* AOwner);
    ~TSecretPanel() override;

    bool Active() const { return FActive; }
    void SetActive(bool value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    // After the last step, start over instead of stopping.
    bool Cycled() const { return FCycled; }
    void SetCycled(bool value) { FCycled = value; }
    // Drawn beside the text while active; its bottom-left pixel is transparent.
    TBitmap& Glyph() { return FGlyph; }
    void SetGlyph(const TBitmap& value);
    TGlyphLayout GlyphLayout() const { return FGlyphLayout; }
    void SetGlyphLayout(TGlyphLayout value);
    // Milliseconds per step.
    unsigned Interval() const { return FTimer->Interval(); }
    void SetInterval(unsigned value);
    TStrings& Lines() { return FLines; }
    void SetLines(const TStrings& value);
    TScrollDirection ScrollDirection() const { return FScrollDirection; }
    void SetScrollDirection(TScrollDirection value);
    // Engraved text: a highlight copy one pixel down-right (lowered) or up-left (raised).
    TBevelCut TextStyle() const { return FTextStyle; }
    void SetTextStyle(TBevelCut value);

    // Pixels scrolled so far, and the position at which the text has gone.
    int ScrollPosition() const { return FScrollPos; }
    int ScrollLength() const { return FScrollLength; }
    int LineHeight() const { return FLineHeight; }
    // Where the text scrolls and where the glyph goes, for the lines and size as they are.
    const TRect& TextRect() const { return FTextRect; }
    const TPoint& GlyphOrigin() const { return FGlyphOrigin; }
    TQmTimer* Timer() const { return FTimer; }

    TPanelDrawEvent OnPaintClient;
    TNotifyEvent OnStartPlay;
    TNotifyEvent OnStopPlay;

protected:
    void AlignControls(TControl* AControl, TRect& Rect) override;
    void Paint() override;
    void WndProc(TMessage& Message) override;
    virtual void FillClient(TCanvas& canvas, const TRect& rect);
    // One timer tick: the text moves a pixel, or the play ends.
    virtual void ScrollStep(TObject* Sender);
    virtual void NotifyStart();
    virtual void NotifyStop();

private:
    void Start();
    void Stop();
    // Line height, first shown line, text area and scroll length, for the lines as they are.
    void PrepareLines();
    void LayOutTextArea();
    int BevelInset() const;
    int LastTextLine() const;
    void LinesChanged(TObject* Sender);
    void GlyphChanged(TObject* Sender);
    void Relayout();
    void HideChildren();
    void ShowHiddenChildren();
    void PaintScrollText();
    void PaintPanelGlyph(TCanvas& canvas);

    bool FActive = false;
    TAlignment FAlignment = taCenter;
    bool FCycled = false;
    TGlyphLayout FGlyphLayout = glGlyphLeft;
    TScrollDirection FScrollDirection = sdVertical;
    TBevelCut FTextStyle = bvNone;
    TStringList FLines;
    TBitmap FGlyph;
    int FScrollPos = 0;
    int FScrollLength = 0;
    int FLineHeight = 1;
    int FFirstLine = 0;
    TQmTimer* FTimer = nullptr;
    TRect FTextRect;
    TRect FPaintRect;
    TPoint FGlyphOrigin;
    std::unique_ptr<TBitmap> FTextBitmap; // only while active
    std::vector<TControl*> FHiddenChildren;
};
