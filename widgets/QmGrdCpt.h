#pragma once
// The gradient title bar: a component that gives the title bar of the form owning it a colour
// gradient behind the form's small icon and a caption made of coloured segments followed by its
// own caption text, shortened with "..." where it does not fit. Where the desktop draws the title
// bar itself, the title bar shows the component's caption text.

#include "platform/Component.h"
#include "platform/Forms.h"
#include "platform/Graphics.h"
#include "platform/Menus.h"

#include <memory>
#include <vector>

class TQmGradientCaption;
class TQmCaptionList;
class TQmWindowHook;

enum THideDirection { hdLeftToRight, hdRightToLeft };

// One segment of the caption.
class TQmCaption : public TObject {
public:
    explicit TQmCaption(TQmCaptionList* Collection);
    ~TQmCaption() override;
    TQmCaption(const TQmCaption&) = delete;
    TQmCaption& operator=(const TQmCaption&) = delete;

    void Assign(const TQmCaption& source);
    void ResetDefaults();

    const String& Caption() const { return FCaption; }
    void SetCaption(const String& value);
    // The segment's own font, used while ParentFont is off; changing it turns ParentFont off.
    TFont& Font() { return FFont; }
    const TFont& Font() const { return FFont; }
    void SetFont(const TFont& value) { FFont.Assign(value); }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool value);
    TColor InactiveColor() const { return FInactiveColor; }
    void SetInactiveColor(TColor value);
    // The next segment belongs to this one: they give way together.
    bool GlueNext() const { return FGlueNext; }
    void SetGlueNext(bool value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool value);

    // The width of the caption in the segment's font.
    int MeasureWidth() const;

private:
    void Changed();
    void SegmentFontChanged(TObject* Sender);
    TQmGradientCaption* OwnerCaption() const;

    TQmCaptionList* FCollection;
    String FCaption;
    TFont FFont;
    bool FParentFont = true;
    TColor FInactiveColor = clInactiveCaptionText;
    bool FGlueNext = false;
    bool FVisible = true;
};

// The segments, in the order they are drawn.
class TQmCaptionList : public TObject {
public:
    explicit TQmCaptionList(TQmGradientCaption* owner) : FOwner(owner) {}
    ~TQmCaptionList() override;
    TQmCaptionList(const TQmCaptionList&) = delete;
    TQmCaptionList& operator=(const TQmCaptionList&) = delete;

    TQmGradientCaption* Owner() const { return FOwner; }
    int Count() const { return static_cast<int>(FItems.size()); }
    TQmCaption& CaptionAt(int index) const { return *FItems.at(static_cast<size_t>(index)); }
    TQmCaption& Add();
    void Delete(int index);
    void Clear();
    void Assign(const TQmCaptionList& source);
    // Changes made between these report once, at the end.
    void BeginUpdate();
    void EndUpdate();
    // An item (nullptr: the whole list) changed.
    void Update(TQmCaption* item);

private:
    void Changed(TQmCaption* item);

    TQmGradientCaption* FOwner;
    std::vector<std::unique_ptr<TQmCaption>> FItems;
    int FUpdateCount = 0;
};

class TQmGradientCaption : public TComponent {
public:
    explicit TQmGradientCaption(TComponent* AOwner);
    ~TQmGradientCaption() override;

    // As stored; painting also needs a form as owner.
    bool Active() const { return FActive; }
    void SetActive(bool value);
    bool EffectiveActive() const;
    TQmCaptionList& Captions() { return *FCaptions; }
    void SetCaptions(const TQmCaptionList& value);
    bool DefaultFont() const { return FDefaultFont; }
    void SetDefaultFont(bool value);
    const String& FormCaption() const { return FFormCaption; }
    void SetFormCaption(const String& value);
    TColor FontInactiveColor() const { return FFontInactiveColor; }
    void SetFontInactiveColor(TColor value);
    TFont& Font() { return FFont; }
    void SetFont(const TFont& value) { FFont.Assign(value); }
    bool GradientActive() const { return FGradientActive; }
    void SetGradientActive(bool value);
    bool GradientInactive() const { return FGradientInactive; }
    void SetGradientInactive(bool value);
    int GradientSteps() const { return FGradientSteps; }
    void SetGradientSteps(int value);
    THideDirection HideDirection() const { return FHideDirection; }
    void SetHideDirection(THideDirection value);
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* value);
    TColor StartColor() const { return FStartColor; }
    void SetStartColor(TColor value);

    // Whether the owner form is the active window, as last seen.
    bool FormActive() const { return FFormActive; }
    // The caption strip of the owner form in screen coordinates, and the title-bar buttons the
    // form shows.
    TRect GetTitleBarRect(TBorderIcons& icons) const;
    // Paints the title bar onto canvas, which covers the whole window, frame included.
    void PaintTitleBar(TCanvas& canvas);
    // Shows the caption's menu at the screen point; false when there is none to show.
    bool PopupCaptionMenu(int x, int y);
    void RepaintCaption();
    int MeasureFormCaption() const;

    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;

protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TForm* OwnerForm() const;
    bool UsesGradient() const;
    void RepaintWhenEffective();
    void UpdateHook();
    void UseSystemCaptionFont();
    void CaptionFontChanged(TObject* Sender);
    void BeforeHookedMessage(TObject* Sender, TMessage& Msg, bool& Handled);
    // Caption text drawing on the title bar's bitmap; Left is where the next text goes.
    void PaintCaptionText(TCanvas& canvas, int width, int height);
    void SelectSegmentFont(TCanvas& canvas, int index);
    bool DrawSegmentText(TCanvas& canvas, const String& text, bool ellipsisAllowed, bool glued,
                         int previous, int width, int height);
    int VisibleWidth(int index) const;

    bool FActive = true;
    bool FFormActive = false;
    TQmWindowHook* FHook = nullptr;
    bool FRightButtonDown = false;
    std::unique_ptr<TQmCaptionList> FCaptions;
    bool FDefaultFont = true;
    String FFormCaption;
    TColor FFontInactiveColor = clInactiveCaptionText;
    TFont FFont;
    bool FGradientActive = true;
    bool FGradientInactive = false;
    int FGradientSteps = 64;
    THideDirection FHideDirection = hdLeftToRight;
    TPopupMenu* FPopupMenu = nullptr;
    TColor FStartColor = clWindowText;
    int FLeft = 0; // while painting: where the next text goes
};
