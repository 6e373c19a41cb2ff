#include "widgets/QmCtrls.h"

#include "platform/Events.h"
#include "platform/Graphics.h"
#include "platform/Win32Draw.h"
#include "widgets/Vclutils.h"

#include <algorithm>

namespace {

// The gap between the panel's bevels (or its glyph) and its text.
const int TextMargin = 3;
// A line is drawn with at most this many characters.
const size_t MaxLineLength = 255;

bool IsBlank(const String& line) {
    return Trim(line).empty();
}

} // namespace

TSecretPanel::TSecretPanel(TComponent* AOwner) : TPanel(AOwner) {
    SetBevelOuter(bvLowered);
    FLines.OnChange = Handler(this, &TSecretPanel::LinesChanged);
    FGlyph.OnChange = Handler(this, &TSecretPanel::GlyphChanged);
    FTimer = new TQmTimer(this);
    FTimer->SetEnabled(false);
    FTimer->SetOnTimer(Handler(this, &TSecretPanel::ScrollStep));
    FTimer->SetInterval(30);
}

TSecretPanel::~TSecretPanel() {
    SetActive(false);
    FGlyph.OnChange = nullptr;
    FLines.OnChange = nullptr;
}

void TSecretPanel::SetActive(bool value) {
    if (value == FActive)
        return;
    if (value)
        Start();
    else
        Stop();
}

void TSecretPanel::SetAlignment(TAlignment value) {
    if (Change(FAlignment, value) && FActive)
        Invalidate();
}

void TSecretPanel::SetGlyph(const TBitmap& value) {
    FGlyph.Assign(value);
}

void TSecretPanel::SetGlyphLayout(TGlyphLayout value) {
    if (Change(FGlyphLayout, value))
        Relayout();
}

void TSecretPanel::SetInterval(unsigned value) {
    FTimer->SetInterval(value);
}

void TSecretPanel::SetLines(const TStrings& value) {
    FLines.Assign(value);
}

void TSecretPanel::SetScrollDirection(TScrollDirection value) {
    if (!Change(FScrollDirection, value) || !FActive)
        return;
    FScrollPos = 0;
    Relayout();
}

void TSecretPanel::SetTextStyle(TBevelCut value) {
    if (Change(FTextStyle, value))
        Relayout();
}

void TSecretPanel::Relayout() {
    if (!FActive)
        return;
    PrepareLines();
    Invalidate();
}

void TSecretPanel::LinesChanged(TObject* /*Sender*/) {
    if (FActive)
        FScrollPos = 0;
    Relayout();
}

void TSecretPanel::GlyphChanged(TObject* /*Sender*/) {
    Relayout();
}

void TSecretPanel::Start() {
    FActive = true;
    FScrollPos = 0;
    PrepareLines();
    try {
        FTimer->SetEnabled(true);
        NotifyStart();
    } catch (...) {
        FActive = false;
        FTimer->SetEnabled(false);
        FTextBitmap.reset();
        throw;
    }
    if (!IsDestroying())
        HideChildren();
    Invalidate();
}

void TSecretPanel::Stop() {
    FActive = false;
    FTimer->SetEnabled(false);
    FScrollPos = 0;
    FTextBitmap.reset();
    NotifyStop();
    ShowHiddenChildren();
    Invalidate();
}

void TSecretPanel::HideChildren() {
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* child = Controls(i);
        if (child->Visible()) {
            FHiddenChildren.push_back(child);
            child->SetVisible(false);
        }
    }
}

// A child freed or moved elsewhere during the play is no longer the panel's to show.
void TSecretPanel::ShowHiddenChildren() {
    for (TControl* child : FHiddenChildren)
        for (int i = 0; i < ControlCount(); ++i)
            if (Controls(i) == child) {
                child->SetVisible(true);
                child->Invalidate();
                break;
            }
    FHiddenChildren.clear();
}

void TSecretPanel::AlignControls(TControl* AControl, TRect& Rect) {
    TPanel::AlignControls(AControl, Rect);
    if (FActive && !AControl)
        PrepareLines();
}

void TSecretPanel::WndProc(TMessage& Message) {
    TPanel::WndProc(Message);
    switch (Message.Msg) {
    case WM_SIZE:
        Relayout();
        break;
    case CM_FONTCHANGED:
    case CM_COLORCHANGED:
        if (FActive)
            PrepareLines();
        break;
    default:
        break;
    }
}

// The line height is kept whole: a tall font gets its own height, not one cut to eight bits.
void TSecretPanel::PrepareLines() {
    if (!FTextBitmap)
        FTextBitmap = std::make_unique<TBitmap>();
    FFirstLine = FLines.Count();
    for (int i = 0; i < FLines.Count(); ++i)
        if (!IsBlank(FLines[i])) {
            FFirstLine = i;
            break;
        }
    TCanvas& canvas = Canvas();
    canvas.Font().Assign(Font());
    FLineHeight = std::max(canvas.TextHeight("Wg") + (FTextStyle != bvNone ? 1 : 0), 1);
    LayOutTextArea();
    if (FScrollDirection == sdHorizontal) {
        int widest = 0;
        for (int i = FFirstLine; i < FLines.Count(); ++i)
            widest = std::max(widest, canvas.TextWidth(FLines[i].substr(0, MaxLineLength)));
        FScrollLength = widest + FTextRect.Width();
    } else {
        FScrollLength = FTextRect.Height() + (FLines.Count() - FFirstLine) * FLineHeight;
    }
    FTextBitmap->SetSize(FTextRect.Width(), FTextRect.Height());
    FTextBitmap->Canvas().Font().Assign(Font());
    FTextBitmap->Canvas().Brush().SetColor(Color());
    PaintScrollText();
}

int TSecretPanel::BevelInset() const {
    return BorderWidth() + (BevelOuter() != bvNone ? BevelWidth() : 0) +
           (BevelInner() != bvNone ? BevelWidth() : 0);
}

// The last line that is not blank; below the first line when all are blank.
int TSecretPanel::LastTextLine() const {
    int last = FLines.Count() - 1;
    while (last >= FFirstLine && IsBlank(FLines[last]))
        --last;
    return last;
}

void TSecretPanel::LayOutTextArea() {
    const int inset = BevelInset();
    const TRect client = ClientRect();
    FPaintRect = Inset(client, inset);
    TRect text = Inset(client, inset + TextMargin);
    const int gap = inset + TextMargin;
    const int glyphWidth = FGlyph.Empty() ? 0 : FGlyph.Width();
    const int glyphHeight = FGlyph.Empty() ? 0 : FGlyph.Height();
    TPoint& origin = FGlyphOrigin;
    switch (FGlyphLayout) {
    case glGlyphLeft:
    case glGlyphRight:
        origin.y = std::max((text.Top + text.Bottom - glyphHeight) / 2, text.Top);
        if (FGlyphLayout == glGlyphLeft) {
            origin.x = text.Left;
            if (glyphWidth > 0) {
                origin.x += 3;
                text.Left = origin.x + glyphWidth + gap;
            }
        } else {
            origin.x = text.Right - glyphWidth;
            if (glyphWidth > 0) {
                origin.x = std::max(origin.x - 3, text.Left);
                text.Right = origin.x - gap;
            }
        }
        break;
    case glGlyphTop:
    case glGlyphBottom:
        origin.x = std::max((text.Left + text.Right - glyphWidth) / 2, text.Left);
        if (FGlyphLayout == glGlyphTop) {
            origin.y = text.Top;
            if (glyphHeight > 0) {
                origin.y += 3;
                text.Top = origin.y + glyphHeight + gap + 3;
            }
        } else {
            origin.y = text.Bottom - glyphHeight;
            if (glyphHeight > 0) {
                origin.y = std::max(origin.y - 3, text.Top);
                text.Bottom = origin.y - (gap + 3);
            }
        }
        break;
    }
    if (FScrollDirection == sdHorizontal) {
        int free = text.Height() - (LastTextLine() - FFirstLine + 1) * FLineHeight;
        if (free > 0) {
            text.Top += free / 2;
            text.Bottom -= free / 2;
        }
    }
    FTextRect = text.Left >= text.Right || text.Top >= text.Bottom ? TRect{} : text;
}

void TSecretPanel::ScrollStep(TObject* /*Sender*/) {
    if (FScrollPos < FScrollLength) {
        ++FScrollPos;
    } else if (FCycled) {
        FScrollPos = 0;
    } else {
        SetActive(false);
        return;
    }
    if (FTextBitmap)
        PaintScrollText();
}

// The text is drawn over the background it has on the panel into the text bitmap, and only the
// text area of the panel is painted again, from that bitmap.
void TSecretPanel::PaintScrollText() {
    if (FLines.Count() == 0 || IsRectEmpty(FTextRect))
        return;
    TCanvas& canvas = FTextBitmap->Canvas();
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(Color());
    FillClient(canvas, Moved(FPaintRect, -FTextRect.Left, -FTextRect.Top));
    canvas.Brush().SetStyle(bsClear);
    canvas.Font().Assign(Font());

    const int width = FTextRect.Width();
    const int height = FTextRect.Height();
    TRect line{0, 0, width, height};
    if (FScrollDirection == sdHorizontal) {
        line.Left = width - FScrollPos;
        line.Right = line.Left + FScrollLength - width;
    } else {
        line.Top = height - FScrollPos;
    }
    line.Bottom = line.Top + FLineHeight;
    const UINT flags =
        AlignmentFormat(FAlignment) | DT_NOCLIP | DT_SINGLELINE | DT_EXPANDTABS | DT_NOPREFIX;
    const TColor textColor = Font().Color();
    // The index past the last line stands for one blank line after the text.
    for (int i = FFirstLine; i <= FLines.Count(); ++i) {
        if (line.Top >= height)
            break;
        if (line.Bottom > 0 && i < FLines.Count()) {
            const String text = FLines[i].substr(0, MaxLineLength);
            if (FTextStyle == bvLowered || FTextStyle == bvRaised) {
                const int shift = FTextStyle == bvLowered ? 1 : -1;
                TRect engraved = Moved(line, shift, shift);
                canvas.Font().SetColor(clBtnHighlight);
                DrawText(canvas, text, engraved, flags);
                canvas.Font().SetColor(textColor);
            }
            TRect drawn = line;
            DrawText(canvas, text, drawn, flags);
        }
        line = Moved(line, 0, FLineHeight);
    }
    InvalidateRect(FTextRect);
}

void TSecretPanel::Paint() {
    TCanvas& canvas = Canvas();
    TRect rect = ClientRect();
    auto bevel = [&](TBevelCut cut) {
        if (cut == bvNone)
            return;
        const bool raised = cut == bvRaised;
        Frame3D(canvas, rect, raised ? clBtnHighlight : clBtnShadow,
                raised ? clBtnShadow : clBtnHighlight, BevelWidth());
    };
    bevel(BevelOuter());
    Frame3D(canvas, rect, Color(), Color(), BorderWidth());
    bevel(BevelInner());
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(Color());
    FillClient(canvas, rect);
    if (!FActive)
        return;
    PaintPanelGlyph(canvas);
    if (FTextBitmap && !IsRectEmpty(FTextRect) && FLines.Count() > 0)
        canvas.Draw(FTextRect.Left, FTextRect.Top, *FTextBitmap);
}

void TSecretPanel::PaintPanelGlyph(TCanvas& canvas) {
    if (FGlyph.Empty())
        return;
    LayOutTextArea();
    DrawBitmapWithTransparency(canvas, FGlyphOrigin.x, FGlyphOrigin.y, FGlyph,
                               FGlyph.TransparentColor() & ~PaletteColorFlag);
}

void TSecretPanel::FillClient(TCanvas& canvas, const TRect& rect) {
    if (OnPaintClient)
        OnPaintClient(this, canvas, rect);
    else
        canvas.FillRect(rect);
}

void TSecretPanel::NotifyStart() {
    if (OnStartPlay)
        OnStartPlay(this);
}

void TSecretPanel::NotifyStop() {
    if (OnStopPlay)
        OnStopPlay(this);
}
