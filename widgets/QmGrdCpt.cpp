#include "widgets/QmGrdCpt.h"

#include "platform/Events.h"
#include "platform/Win32Draw.h"
#include "widgets/QmHook.h"
#include "widgets/Vclutils.h"

namespace {

bool IsToolWindow(TFormBorderStyle style) {
    return style == bsToolWindow || style == bsSizeToolWin;
}

// A text's width in a font, as the screen measures it.
int WidthInFont(const String& text, const TFont& font) {
    static TBitmap* screen = new TBitmap;
    screen->Canvas().Font().Assign(font);
    return screen->Canvas().TextWidth(text);
}

} // namespace

// ---- TQmCaption

TQmCaption::TQmCaption(TQmCaptionList* Collection) : FCollection(Collection) {
    if (TQmGradientCaption* owner = OwnerCaption())
        FFont.Assign(owner->Font());
    else
        FFont.SetColor(clCaptionText);
    FFont.OnChange = Handler(this, &TQmCaption::SegmentFontChanged);
}

TQmCaption::~TQmCaption() {
    FFont.OnChange = nullptr;
}

TQmGradientCaption* TQmCaption::OwnerCaption() const {
    return FCollection ? FCollection->Owner() : nullptr;
}

void TQmCaption::Changed() {
    if (FCollection)
        FCollection->Update(this);
}

void TQmCaption::ResetDefaults() {
    FInactiveColor = clInactiveCaptionText;
    FVisible = true;
    FParentFont = true;
}

void TQmCaption::Assign(const TQmCaption& source) {
    if (FCollection)
        FCollection->BeginUpdate();
    ResetDefaults();
    SetCaption(source.FCaption);
    SetParentFont(source.FParentFont);
    if (!source.FParentFont)
        SetFont(source.FFont);
    SetInactiveColor(source.FInactiveColor);
    SetGlueNext(source.FGlueNext);
    SetVisible(source.FVisible);
    if (FCollection)
        FCollection->EndUpdate();
}

void TQmCaption::SetCaption(const String& value) {
    if (Change(FCaption, value))
        Changed();
}

void TQmCaption::SetVisible(bool value) {
    if (Change(FVisible, value))
        Changed();
}

void TQmCaption::SetGlueNext(bool value) {
    if (Change(FGlueNext, value))
        Changed();
}

// An inactive colour shows only while the form is inactive.
void TQmCaption::SetInactiveColor(TColor value) {
    if (!Change(FInactiveColor, value))
        return;
    TQmGradientCaption* owner = OwnerCaption();
    if (!owner || !owner->FormActive())
        Changed();
}

void TQmCaption::SetParentFont(bool value) {
    if (value) {
        if (TQmGradientCaption* owner = OwnerCaption()) {
            TNotifyEvent handler = std::move(FFont.OnChange);
            FFont.OnChange = nullptr;
            FFont.Assign(owner->Font());
            FFont.OnChange = std::move(handler);
        }
    }
    FParentFont = value;
    Changed();
}

void TQmCaption::SegmentFontChanged(TObject* /*Sender*/) {
    FParentFont = false;
    Changed();
}

int TQmCaption::MeasureWidth() const {
    return WidthInFont(FCaption, FFont);
}

// ---- TQmCaptionList

TQmCaptionList::~TQmCaptionList() {
    FOwner = nullptr;
}

TQmCaption& TQmCaptionList::Add() {
    FItems.push_back(std::make_unique<TQmCaption>(this));
    Changed(nullptr);
    return *FItems.back();
}

void TQmCaptionList::Delete(int index) {
    FItems.erase(FItems.begin() + index);
    Changed(nullptr);
}

void TQmCaptionList::Clear() {
    FItems.clear();
    Changed(nullptr);
}

void TQmCaptionList::Assign(const TQmCaptionList& source) {
    BeginUpdate();
    FItems.clear();
    for (const auto& item : source.FItems)
        Add().Assign(*item);
    EndUpdate();
}

void TQmCaptionList::BeginUpdate() {
    ++FUpdateCount;
}

void TQmCaptionList::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0)
        Changed(nullptr);
}

void TQmCaptionList::Changed(TQmCaption* item) {
    if (FUpdateCount == 0)
        Update(item);
}

void TQmCaptionList::Update(TQmCaption* /*item*/) {
    if (FOwner && !FOwner->IsLoading() && FOwner->EffectiveActive())
        FOwner->RepaintCaption();
}

// ---- TQmGradientCaption

TQmGradientCaption::TQmGradientCaption(TComponent* AOwner)
    : TComponent(AOwner), FCaptions(std::make_unique<TQmCaptionList>(this)) {
    FHook = new TQmWindowHook(this);
    FHook->BeforeMessage = Handler(this, &TQmGradientCaption::BeforeHookedMessage);
    UseSystemCaptionFont();
}

TQmGradientCaption::~TQmGradientCaption() {
    OnActivate = nullptr;
    OnDeactivate = nullptr;
    FHook->SetWinControl(nullptr);
    FFont.OnChange = nullptr;
    FCaptions.reset();
}

TForm* TQmGradientCaption::OwnerForm() const {
    return dynamic_cast<TForm*>(Owner());
}

// Every desktop this runs on is of the new style; what is left to ask is whether there is a
// form to paint on.
bool TQmGradientCaption::EffectiveActive() const {
    return FActive && OwnerForm();
}

void TQmGradientCaption::RepaintWhenEffective() {
    if (EffectiveActive())
        RepaintCaption();
}

bool TQmGradientCaption::UsesGradient() const {
    return FFormActive ? FGradientActive : FGradientInactive;
}

void TQmGradientCaption::SetActive(bool value) {
    if (!Change(FActive, value))
        return;
    FRightButtonDown = false;
    RepaintCaption();
    if (ComponentState().Contains(csReading) || IsDestroying())
        return;
    if (value) {
        if (OnActivate)
            OnActivate(this);
    } else if (OnDeactivate) {
        OnDeactivate(this);
    }
}

void TQmGradientCaption::SetCaptions(const TQmCaptionList& value) {
    FCaptions->Assign(value);
}

void TQmGradientCaption::SetDefaultFont(bool value) {
    if (!Change(FDefaultFont, value))
        return;
    if (value)
        UseSystemCaptionFont();
    RepaintWhenEffective();
}

void TQmGradientCaption::SetFormCaption(const String& value) {
    if (Change(FFormCaption, value))
        RepaintWhenEffective();
}

void TQmGradientCaption::SetFontInactiveColor(TColor value) {
    if (Change(FFontInactiveColor, value) && !FFormActive)
        RepaintWhenEffective();
}

void TQmGradientCaption::SetGradientActive(bool value) {
    if (Change(FGradientActive, value) && FFormActive)
        RepaintWhenEffective();
}

void TQmGradientCaption::SetGradientInactive(bool value) {
    if (Change(FGradientInactive, value) && !FFormActive)
        RepaintWhenEffective();
}

void TQmGradientCaption::SetGradientSteps(int value) {
    if (Change(FGradientSteps, value) && UsesGradient())
        RepaintWhenEffective();
}

void TQmGradientCaption::SetHideDirection(THideDirection value) {
    if (Change(FHideDirection, value))
        RepaintWhenEffective();
}

void TQmGradientCaption::SetPopupMenu(TPopupMenu* value) {
    if (!Change(FPopupMenu, value))
        return;
    if (value)
        value->FreeNotification(this);
}

void TQmGradientCaption::SetStartColor(TColor value) {
    if (Change(FStartColor, value))
        RepaintWhenEffective();
}

void TQmGradientCaption::Loaded() {
    bool wasLoading = IsLoading();
    TComponent::Loaded();
    if (wasLoading && OwnerForm())
        RepaintCaption();
}

void TQmGradientCaption::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FPopupMenu)
        FPopupMenu = nullptr;
}

// The desktop does not tell its title font; the classic one stands in.
void TQmGradientCaption::UseSystemCaptionFont() {
    FFont.OnChange = nullptr;
    FFont.SetName("MS Sans Serif");
    FFont.SetSize(8);
    FFont.SetStyle(TFontStyles{fsBold});
    FFont.SetColor(clCaptionText);
    FFont.OnChange = Handler(this, &TQmGradientCaption::CaptionFontChanged);
    FDefaultFont = true;
}

void TQmGradientCaption::CaptionFontChanged(TObject* /*Sender*/) {
    FDefaultFont = false;
    if (FCaptions->Count() == 0) {
        RepaintWhenEffective();
        return;
    }
    FCaptions->BeginUpdate();
    for (int i = 0; i < FCaptions->Count(); ++i)
        if (FCaptions->CaptionAt(i).ParentFont())
            FCaptions->CaptionAt(i).SetParentFont(true);
    FCaptions->EndUpdate();
}

void TQmGradientCaption::UpdateHook() {
    FHook->SetWinControl(EffectiveActive() ? OwnerForm() : nullptr);
}

// Where the desktop draws the title bar (as it does wherever this runs) there is no frame to paint
// the title bar on after the desktop: the title bar is given the component's caption text in
// place of the form's own title instead.
void TQmGradientCaption::RepaintCaption() {
    TForm* form = OwnerForm();
    if (!form || IsLoading())
        return;
    UpdateHook();
    FFormActive = false;
    if (form->Visible() && EffectiveActive())
        FFormActive = form->Active() && IsActiveApplication();
    form->SetTitleBarText(EffectiveActive() && !IsDestroying() ? FFormCaption : String());
}

void TQmGradientCaption::BeforeHookedMessage(TObject* /*Sender*/, TMessage& Msg, bool& Handled) {
    if (!EffectiveActive())
        return;
    switch (Msg.Msg) {
    case WM_NCACTIVATE:
        FFormActive = Msg.WParam != 0;
        break;
    case WM_NCRBUTTONDOWN:
        if (FPopupMenu && FPopupMenu->AutoPopup()) {
            FRightButtonDown = true;
            Msg.Result = 0;
            Handled = true;
        }
        break;
    case WM_NCRBUTTONUP:
        if (FRightButtonDown) {
            FRightButtonDown = false;
            if (PopupCaptionMenu(GET_X_LPARAM(Msg.LParam), GET_Y_LPARAM(Msg.LParam))) {
                Msg.Result = 0;
                Handled = true;
            }
        }
        break;
    default:
        break;
    }
}

bool TQmGradientCaption::PopupCaptionMenu(int x, int y) {
    TForm* form = OwnerForm();
    if (!FPopupMenu || !FPopupMenu->AutoPopup() || !form)
        return false;
    FPopupMenu->SetPopupComponent(this);
    FPopupMenu->Popup(x, y);
    return true;
}

int TQmGradientCaption::MeasureFormCaption() const {
    return WidthInFont(FFormCaption, FFont);
}

TRect TQmGradientCaption::GetTitleBarRect(TBorderIcons& icons) const {
    TForm* form = OwnerForm();
    if (!form)
        return TRect{};
    const TFormBorderStyle style = form->BorderStyle();
    TRect rect = form->BoundsRect();
    icons = form->BorderIcons();
    if (style == bsDialog) {
        icons = icons & TBorderIcons{biSystemMenu, biHelp};
    } else if (IsToolWindow(style)) {
        icons = icons & TBorderIcons{biSystemMenu};
    } else {
        if (!icons.Contains(biSystemMenu))
            icons = icons - TBorderIcons{biMinimize, biMaximize};
        if (icons.Contains(biMinimize) || icons.Contains(biMaximize))
            icons = icons - TBorderIcons{biHelp};
    }
    int count = 0;
    for (TBorderIcon icon : {biSystemMenu, biMinimize, biMaximize, biHelp})
        count += icons.Contains(icon) ? 1 : 0;
    if (icons.Contains(biMinimize) != icons.Contains(biMaximize))
        ++count; // the desktop then shows both
    const bool sizing = style == bsSizeable || style == bsSizeToolWin;
    rect = Inset(rect, GetSystemMetrics(sizing ? SM_CXFRAME : SM_CXFIXEDFRAME));
    const bool tool = IsToolWindow(style);
    rect.Bottom = rect.Top + GetSystemMetrics(tool ? SM_CYSMCAPTION : SM_CYCAPTION) - 1;
    rect.Right -= count * GetSystemMetrics(tool ? SM_CXSMSIZE : SM_CXSIZE);
    return rect;
}

void TQmGradientCaption::PaintTitleBar(TCanvas& canvas) {
    TForm* form = OwnerForm();
    if (!form || form->BorderStyle() == bsNone)
        return;
    TBorderIcons icons;
    const TRect caption = Moved(GetTitleBarRect(icons), -form->Left(), -form->Top());
    if (IsRectEmpty(caption))
        return;
    TBitmap bitmap;
    bitmap.SetSize(caption.Width(), caption.Height());
    TCanvas& strip = bitmap.Canvas();
    const int width = bitmap.Width();
    const int height = bitmap.Height();
    // The gradient starts a quarter of the width to the left, so it is under way at the edge.
    const TRect background{-(width / 4), 0, width, height};
    const TColor endColor = FFormActive ? clGradientActiveCaption : clGradientInactiveCaption;
    if (UsesGradient())
        FillGradientBands(strip, background, FStartColor, endColor, gdLeftToRight,
                          FGradientSteps % 256);
    else
        FillWith(strip, background, endColor);

    FLeft = 0;
    const TFormBorderStyle style = form->BorderStyle();
    if (icons.Contains(biSystemMenu) && (style == bsSingle || style == bsSizeable)) {
        TBitmap icon;
        icon.LoadFromResourceName(HInstance, "MAINICON");
        const int iconWidth = GetSystemMetrics(SM_CXSMICON);
        const int iconHeight = GetSystemMetrics(SM_CYSMICON);
        if (!icon.Empty())
            StretchBitmapWithTransparency(
                strip, icon, icon.TransparentColor(), FLeft + 1 + (height - iconWidth) / 2,
                (height - iconHeight) / 2, iconWidth, iconHeight, 0, 0, 0, 0);
        FLeft += height;
    }
    if (!FFormCaption.empty() || FCaptions->Count() > 0)
        PaintCaptionText(strip, width, height);
    canvas.Draw(caption.Left, caption.Top, bitmap);
}

int TQmGradientCaption::VisibleWidth(int index) const {
    const TQmCaption& segment = FCaptions->CaptionAt(index);
    return segment.Visible() ? segment.MeasureWidth() : 0;
}

void TQmGradientCaption::PaintCaptionText(TCanvas& canvas, int width, int height) {
    canvas.Brush().SetStyle(bsClear);
    FLeft += 2;
    const int count = FCaptions->Count();
    if (FHideDirection == hdLeftToRight) {
        int total = 2 + MeasureFormCaption();
        for (int i = 0; i < count; ++i)
            total += VisibleWidth(i);
        int first = 0;
        while (total > width - FLeft && first < count) {
            total -= VisibleWidth(first);
            while (FCaptions->CaptionAt(first).GlueNext() && first < count - 1)
                total -= VisibleWidth(++first);
            ++first;
        }
        for (int i = first; i < count; ++i) {
            const TQmCaption& segment = FCaptions->CaptionAt(i);
            if (!segment.Visible())
                continue;
            SelectSegmentFont(canvas, i);
            DrawSegmentText(canvas, segment.Caption(), false, false, -1, width, height);
        }
        SelectSegmentFont(canvas, -1);
        DrawSegmentText(canvas, FFormCaption, true, false, -1, width, height);
        return;
    }
    int total = 2;
    int last = 0;
    while (total < width - FLeft && last < count) {
        if (FCaptions->CaptionAt(last).Visible()) {
            total += VisibleWidth(last);
            while (FCaptions->CaptionAt(last).GlueNext() && last < count - 1)
                total += VisibleWidth(++last);
        }
        ++last;
    }
    bool goOn = true;
    for (int j = 0; j < last && goOn; ++j) {
        const TQmCaption& segment = FCaptions->CaptionAt(j);
        if (!segment.Visible() || segment.Caption().empty())
            continue;
        SelectSegmentFont(canvas, j);
        const bool ellipsis = j == 0 || FCaptions->CaptionAt(j - 1).GlueNext();
        const bool whole = DrawSegmentText(canvas, segment.Caption(), ellipsis, segment.GlueNext(),
                                           j - 1, width, height);
        goOn = whole && (segment.GlueNext() || FLeft < width);
    }
    if (FLeft < width && goOn && !FFormCaption.empty()) {
        SelectSegmentFont(canvas, -1);
        DrawSegmentText(canvas, FFormCaption, false, false, -1, width, height);
    }
}

void TQmGradientCaption::SelectSegmentFont(TCanvas& canvas, int index) {
    const TQmCaption* segment = index >= 0 ? &FCaptions->CaptionAt(index) : nullptr;
    canvas.Font().Assign(!segment || segment->ParentFont() ? FFont : segment->Font());
    if (!FFormActive)
        canvas.Font().SetColor(segment ? segment->InactiveColor() : FFontInactiveColor);
}

bool TQmGradientCaption::DrawSegmentText(TCanvas& canvas, const String& text, bool ellipsisAllowed,
                                         bool glued, int previous, int width, int height) {
    if (text.empty())
        return true;
    const int room = width - FLeft;
    String shown = FitTextWithEllipsis(text, canvas, room);
    if (glued && shown == text) {
        if (canvas.TextWidth(shown + ".") >= room) {
            shown = "...";
            ellipsisAllowed = true;
        } else {
            shown += "...";
        }
    }
    if (shown == "..." && !ellipsisAllowed)
        return false;
    if (shown == "...") {
        SelectSegmentFont(canvas, -1);
        if (previous >= 0) {
            const TQmCaption& before = FCaptions->CaptionAt(previous);
            canvas.Font().SetColor(FFormActive ? before.Font().Color() : before.InactiveColor());
        }
    }
    TRect rect{FLeft, 0, width, height};
    DrawText(canvas, shown, rect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    FLeft += canvas.TextWidth(shown);
    return shown == text;
}
