// The glyph painter of the speed buttons and the image lists its state images share.

#include "widgets/QmCtrls.h"

#include "platform/SysUtils.h"
#include "platform/Win32Draw.h"
#include "widgets/Maxmin.h"
#include "widgets/Vclutils.h"

namespace QmCtrls {

namespace {

std::unique_ptr<TGlyphCache>& CacheSlot() {
    static std::unique_ptr<TGlyphCache> cache;
    return cache;
}

TGlyphCache& MadeGlyphCache() {
    if (!CacheSlot())
        CacheSlot() = std::make_unique<TGlyphCache>();
    return *CacheSlot();
}

void FreeGlyphCacheWhenEmpty() {
    if (CacheSlot() && CacheSlot()->Empty())
        CacheSlot().reset();
}

} // namespace

TGlyphCache* GlyphCache() {
    return CacheSlot().get();
}

} // namespace QmCtrls

namespace {

// The caption is drawn from at most this many characters.
const size_t MaxCaptionLength = 255;
// The drop-down mark's width and the room it takes beside a caption or a glyph.
const int MarkWidth = 7;
const int MarkRoomBesideText = 9;
const int MarkRoomBesideGlyph = 6;

bool Sideways(TButtonLayout layout) {
    return layout == blGlyphLeft || layout == blGlyphRight;
}

int UnlessSpread(int value) {
    return value == -1 ? 0 : value;
}

} // namespace

// ---- The glyph strip and its state images

TQmButtonGlyph::TQmButtonGlyph() {
    FIndexes.fill(-1);
    FGlyph.OnChange = [this](TObject*) { GlyphBitmapChanged(); };
    QmCtrls::MadeGlyphCache();
}

TQmButtonGlyph::~TQmButtonGlyph() {
    FGlyph.OnChange = nullptr;
    ReleaseImages();
    QmCtrls::FreeGlyphCacheWhenEmpty();
}

void TQmButtonGlyph::SetGlyph(const TBitmap& value) {
    ReleaseImages();
    FGlyph.Assign(value);
}

void TQmButtonGlyph::SetNumGlyphs(int value) {
    if (value <= 0 || value == FNumGlyphs)
        return;
    ReleaseImages();
    FNumGlyphs = value;
    if (OnChange)
        OnChange(this);
}

void TQmButtonGlyph::GlyphBitmapChanged() {
    ReleaseImages();
    if (FGlyph.Height() > 0) {
        FTransparentColor = FGlyph.TransparentColor() & ~PaletteColorFlag;
        if (FGlyph.Width() % FGlyph.Height() == 0) {
            const int cells = FGlyph.Width() / FGlyph.Height();
            SetNumGlyphs(cells > 5 ? 1 : cells);
        }
    }
    if (OnChange)
        OnChange(this);
}

void TQmButtonGlyph::ReleaseImages() {
    for (int& index : FIndexes) {
        if (index != -1 && FList)
            FList->DeleteImage(index);
        index = -1;
    }
    if (FList && QmCtrls::GlyphCache())
        QmCtrls::GlyphCache()->ReturnList(FList);
    FList = nullptr;
}

TSize TQmButtonGlyph::CellSize() const {
    return TSize{FGlyph.Width() / FNumGlyphs, FGlyph.Height()};
}

void TQmButtonGlyph::CopyCell(TBitmap& target, int cell) {
    target.Canvas().Draw(-cell * CellSize().cx, 0, FGlyph);
}

TColor TQmButtonGlyph::GrayedColor(TColor colour) const {
    if (colour == FTransparentColor || ColorToRGB(colour) == ColorToRGB(clBtnFace))
        return colour;
    const int l = (77 * GetRValue(colour) + 150 * GetGValue(colour) + 29 * GetBValue(colour)) >> 8;
    return RGB(l, l, l);
}

int TQmButtonGlyph::GetStateImage(SpeedButtonState state) {
    if (state == sbsDown && FNumGlyphs < 3)
        state = sbsUp;
    int& cached = FIndexes[state];
    if (cached != -1)
        return cached;
    if (FGlyph.Width() == 0 || FGlyph.Height() == 0 || FGlyph.Empty())
        return -1;
    const TSize size = CellSize();
    if (!FList)
        FList = QmCtrls::MadeGlyphCache().ListOfSize(size.cx, size.cy);
    TBitmap work;
    work.SetSize(size.cx, size.cy);
    FillWith(work.Canvas(), Rect(0, 0, size.cx, size.cy), clBtnFace);
    const int cell = static_cast<int>(state) < FNumGlyphs ? static_cast<int>(state) : 0;
    if (state == sbsDisabled && FNumGlyphs == 1) {
        std::unique_ptr<TBitmap> disabled = BuildStandardDisabledGlyph(FGlyph, clBlack);
        cached = FList->AddMaskedImage(*disabled, clBtnFace);
    } else if (state == sbsInactive && FNumGlyphs <= 4) {
        for (int y = 0; y < size.cy; ++y)
            for (int x = 0; x < size.cx; ++x)
                work.Canvas().SetPixels(x, y, GrayedColor(FGlyph.PixelAt(x, y)));
        cached = FList->AddMaskedImage(work, FTransparentColor);
    } else {
        CopyCell(work, cell);
        cached = FList->AddMaskedImage(work, FTransparentColor);
    }
    return cached;
}

// ---- Layout

String TQmButtonGlyph::FitCaptionLines(TCanvas& canvas, const String& caption, int width) const {
    const String text = caption.substr(0, MaxCaptionLength);
    if (WordWrap)
        return text;
    TStringList lines;
    lines.SetText(text);
    String fitted;
    for (int i = 0; i < lines.Count(); ++i) {
        if (i > 0)
            fitted += "\r\n";
        fitted += FitTextWithEllipsis(lines[i], canvas, width);
    }
    return TrimRight(fitted);
}

UINT TQmButtonGlyph::CaptionFlags(UINT textFlags) const {
    return textFlags | (WordWrap ? UINT{DT_WORDBREAK} : UINT{0}) | DT_VCENTER;
}

TFaceLayout TQmButtonGlyph::LayOutFace(TCanvas& canvas, const TRect& client, const String& caption,
                                       TButtonLayout layout, int margin, int spacing, bool drawMark,
                                       UINT textFlags) {
    const TSize clientSize{WidthOfRect(client), HeightOfRect(client)};
    TFaceLayout face;
    face.GlyphSize = FGlyph.Empty() ? TSize{0, 0} : CellSize();
    TSize& glyph = face.GlyphSize;
    TSize room;
    if (Sideways(layout)) {
        room.cx = clientSize.cx - glyph.cx - UnlessSpread(margin) - UnlessSpread(spacing) -
                  (drawMark ? MarkRoomBesideText : 0);
        room.cy = clientSize.cy;
    } else {
        room.cx = clientSize.cx;
        room.cy = clientSize.cy - glyph.cy - UnlessSpread(margin) - UnlessSpread(spacing);
    }
    room.cx = IntMax(room.cx, 0);
    room.cy = IntMax(room.cy, 0);

    TRect text = Rect(0, 0, 0, 0);
    const String fitted = FitCaptionLines(canvas, caption, room.cx);
    if (!fitted.empty()) {
        text = Rect(0, 0, room.cx, 0);
        DrawText(canvas, fitted, text, DT_CALCRECT | CaptionFlags(textFlags));
        text.Bottom = text.Top + IntMax(0, IntMin(room.cy, HeightOfRect(text)));
        text.Right = text.Left + IntMax(0, IntMin(room.cx, WidthOfRect(text)));
    }
    TSize textSize{WidthOfRect(text), HeightOfRect(text)};

    if (drawMark) {
        if (glyph.cx == 0 || glyph.cy == 0 || layout == blGlyphLeft)
            textSize.cx += MarkRoomBesideText;
        else
            glyph.cx += MarkRoomBesideGlyph;
    }

    TPoint glyphPos{0, 0};
    TPoint textPos{0, 0};
    if (Sideways(layout)) {
        glyphPos.y = clientSize.cy / 2 - glyph.cy / 2;
        textPos.y = clientSize.cy / 2 - textSize.cy / 2;
    } else {
        glyphPos.x = clientSize.cx / 2 - glyph.cx / 2;
        textPos.x = clientSize.cx / 2 - textSize.cx / 2;
    }

    if (textSize.cx == 0 || glyph.cx == 0)
        spacing = 0;

    const int clientAlong = Sideways(layout) ? clientSize.cx : clientSize.cy;
    const int glyphAlong = Sideways(layout) ? glyph.cx : glyph.cy;
    const int textAlong = Sideways(layout) ? textSize.cx : textSize.cy;
    if (margin == -1 && spacing == -1) {
        margin = (clientAlong - (glyphAlong + textAlong)) / 3;
        spacing = margin;
    } else if (margin == -1) {
        const int total = glyphAlong + spacing + textAlong;
        margin = clientAlong / 2 - total / 2;
    } else if (spacing == -1) {
        const int free = clientAlong - (margin + glyphAlong);
        spacing = free / 2 - textAlong / 2;
    }

    switch (layout) {
    case blGlyphLeft:
        glyphPos.x = margin;
        textPos.x = glyphPos.x + glyph.cx + spacing;
        break;
    case blGlyphRight:
        glyphPos.x = clientSize.cx - margin - glyph.cx;
        textPos.x = glyphPos.x - spacing - textSize.cx;
        break;
    case blGlyphTop:
        glyphPos.y = margin;
        textPos.y = glyphPos.y + glyph.cy + spacing;
        break;
    case blGlyphBottom:
        glyphPos.y = clientSize.cy - margin - glyph.cy;
        textPos.y = glyphPos.y - spacing - textSize.cy;
        break;
    }

    face.GlyphPos = Point(glyphPos.x + client.Left, glyphPos.y + client.Top);
    face.TextRect = Moved(text, textPos.x + client.Left, textPos.y + client.Top);
    face.TextSize = textSize;
    face.Caption = fitted;
    return face;
}

// ---- Painting

TSize TQmButtonGlyph::PaintStateImage(TCanvas& canvas, TPoint at, SpeedButtonState state) {
    if (FGlyph.Empty())
        return TSize{0, 0};
    const int index = GetStateImage(state);
    if (index == -1 || !FList)
        return TSize{0, 0};
    FList->Draw(canvas, at.x, at.y, index);
    return TSize{FList->Width(), FList->Height()};
}

void TQmButtonGlyph::PaintCaption(TCanvas& canvas, const String& caption, const TRect& rect,
                                  SpeedButtonState state, UINT textFlags) {
    canvas.Brush().SetStyle(bsClear);
    const UINT flags = CaptionFlags(textFlags);
    const TColor fontColour = canvas.Font().Color();
    TRect place = rect;
    if (state == sbsDisabled) {
        TRect lit = Moved(rect, 1, 1);
        canvas.Font().SetColor(clBtnHighlight);
        DrawText(canvas, caption, lit, flags);
        canvas.Font().SetColor(clBtnShadow);
    }
    DrawText(canvas, caption, place, flags);
    canvas.Font().SetColor(fontColour);
}

void TQmButtonGlyph::PaintDropMark(TCanvas& canvas, int x, int y, SpeedButtonState state) {
    auto rows = [&canvas](int left, int top, TColor colour) {
        for (int row = 0; row < 4; ++row)
            FillWith(canvas, Rect(left + row, top - 1 + row, left + MarkWidth - row, top + row),
                     colour);
    };
    if (state == sbsDisabled) {
        rows(x + 1, y + 1, clBtnHighlight);
        rows(x, y, clBtnShadow);
    } else {
        rows(x, y, clBtnText);
    }
}

TRect TQmButtonGlyph::PaintFace(TCanvas& canvas, const TRect& client, const String& caption,
                                TButtonLayout layout, int margin, int spacing, bool drawMark,
                                SpeedButtonState state, UINT textFlags) {
    const TFaceLayout face =
        LayOutFace(canvas, client, caption, layout, margin, spacing, drawMark, textFlags);
    const TSize drawn = PaintStateImage(canvas, face.GlyphPos, state);
    PaintCaption(canvas, face.Caption, face.TextRect, state, textFlags);
    if (drawMark) {
        int x;
        int y;
        if (layout != blGlyphLeft && drawn.cx > 0) {
            x = face.GlyphPos.x + drawn.cx + 1;
            y = face.GlyphPos.y + drawn.cy / 2;
        } else {
            x = caption.empty() ? (client.Left + client.Right - MarkWidth) / 2
                                : face.TextRect.Right + 3;
            y = face.TextRect.Top + face.TextSize.cy / 2;
        }
        PaintDropMark(canvas, x, y, state);
    }
    return face.TextRect;
}
