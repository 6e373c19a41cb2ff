#include "widgets/QmToolbars.h"

#include "platform/Win32Draw.h"

#include <algorithm>
#include <functional>

namespace {

// The one glyph cache, made when a glyph first needs it and freed once it holds no lists.
std::unique_ptr<TGlyphCache>& GlyphCacheSlot() {
    static std::unique_ptr<TGlyphCache> cache;
    return cache;
}

TGlyphCache& GlyphCache() {
    std::unique_ptr<TGlyphCache>& cache = GlyphCacheSlot();
    if (!cache)
        cache = std::make_unique<TGlyphCache>();
    return *cache;
}

void SetPixelsWhere(TBitmap& image, const TBitmap& source, int sourceLeft, int width, int height,
                    int dx, int dy, TColor color, const std::function<bool(TColor)>& ink) {
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (ink(source.PixelAt(sourceLeft + x, y)))
                image.Canvas().SetPixels(x + dx, y + dy, color);
}

} // namespace

// ---- Button glyphs

TButtonGlyph::TButtonGlyph() {
    FIndexes.fill(-1);
    FOriginal.OnChange = [this](TObject*) { GlyphChanged(); };
}

TButtonGlyph::~TButtonGlyph() {
    FOriginal.OnChange = nullptr;
    ReleaseImages();
    if (GlyphCacheSlot() && GlyphCacheSlot()->Empty())
        GlyphCacheSlot().reset();
}

void TButtonGlyph::SetGlyph(const TBitmap* value) {
    ReleaseImages();
    TBitmap none;
    FOriginal.Assign(value ? *value : none);
    const int width = FOriginal.Width();
    const int height = FOriginal.Height();
    if (FOriginal.Empty() || height <= 0)
        return;
    FTransparentColor = FOriginal.TransparentColor();
    if (width % height == 0) {
        int cells = width / height;
        SetNumGlyphs(cells >= 6 ? 1 : cells);
    }
}

void TButtonGlyph::SetNumGlyphs(int value) {
    if (value <= 0 || value == FNumGlyphs)
        return;
    ReleaseImages();
    FNumGlyphs = value;
    GlyphChanged();
}

void TButtonGlyph::SetOldDisabledStyle(bool value) {
    if (Change(FOldDisabledStyle, value))
        ReleaseImages();
}

void TButtonGlyph::GlyphChanged() {
    if (!FOriginal.Empty())
        FTransparentColor = FOriginal.TransparentColor();
    ReleaseImages();
    if (OnChange)
        OnChange(this);
}

void TButtonGlyph::ReleaseImages() {
    for (int& index : FIndexes) {
        if (index >= 0 && FList)
            FList->DeleteImage(index);
        index = -1;
    }
    if (FList && GlyphCacheSlot())
        GlyphCacheSlot()->ReturnList(FList);
    FList = nullptr;
}

TSize TButtonGlyph::GlyphSize() const {
    return TSize{FOriginal.Width() / FNumGlyphs, FOriginal.Height()};
}

// The cell's pixels at the image's top-left corner, the rest of the image filled.
void TButtonGlyph::CopyCell(TBitmap& target, int cell, TColor fill) const {
    FillWith(target.Canvas(), Rect(0, 0, target.Width(), target.Height()), fill);
    TBitmap source;
    source.Assign(FOriginal);
    source.SetTransparent(false);
    target.Canvas().Draw(-cell * GlyphSize().cx, 0, source);
}

int TButtonGlyph::GetStateImage(TToolbarButtonState state) {
    if (FOriginal.Empty())
        return -1;
    if (FIndexes[state] >= 0)
        return FIndexes[state];
    const TSize cell = GlyphSize();
    if (cell.cx <= 0 || cell.cy <= 0)
        return -1;
    if (!FList)
        FList = GlyphCache().ListOfSize(cell.cx + 1, cell.cy + 1);
    TBitmap image;
    image.SetSize(cell.cx + 1, cell.cy + 1);
    int index;
    if (state != bsDisabled) {
        CopyCell(image, state < FNumGlyphs ? state : bsUp, FTransparentColor);
        index = FList->AddMaskedImage(image, FTransparentColor);
    } else if (FNumGlyphs >= 2) {
        index = MakeDisabledFromCell(image);
    } else {
        index = MakeEmbossed(image);
    }
    FIndexes[state] = index;
    return index;
}

// The disabled cell drawn by the glyph's author, its white and grey in the system's colours.
int TButtonGlyph::MakeDisabledFromCell(TBitmap& image) {
    const TSize cell = GlyphSize();
    const TColor transparent = ColorToRGB(FTransparentColor);
    CopyCell(image, bsDisabled, FTransparentColor);
    SetPixelsWhere(image, FOriginal, cell.cx, cell.cx, cell.cy, 0, 0, clBtnHighlight,
                   [](TColor c) { return c == clWhite; });
    SetPixelsWhere(image, FOriginal, cell.cx, cell.cx, cell.cy, 0, 0, clBtnShadow,
                   [](TColor c) { return c == clGray; });
    TBitmap mask;
    mask.SetSize(image.Width(), image.Height());
    FillWith(mask.Canvas(), Rect(0, 0, mask.Width(), mask.Height()), clWhite);
    SetPixelsWhere(mask, FOriginal, cell.cx, cell.cx, cell.cy, 0, 0, clBlack,
                   [transparent](TColor c) { return c != transparent; });
    return FList->AddImage(image, mask);
}

// The glyph's outline embossed: its ink in the highlight colour one pixel down and right, then
// in the shadow colour in place. The new style leaves white and silver out of the ink.
int TButtonGlyph::MakeEmbossed(TBitmap& image) {
    const TSize cell = GlyphSize();
    const TColor transparent = ColorToRGB(FTransparentColor);
    const bool oldStyle = FOldDisabledStyle;
    auto ink = [transparent, oldStyle](TColor c) {
        if (c == transparent)
            return false;
        return oldStyle || (c != clWhite && c != clSilver);
    };
    FillWith(image.Canvas(), Rect(0, 0, image.Width(), image.Height()), clBtnFace);
    SetPixelsWhere(image, FOriginal, 0, cell.cx, cell.cy, 1, 1, clBtnHighlight, ink);
    SetPixelsWhere(image, FOriginal, 0, cell.cx, cell.cy, 0, 0, clBtnShadow, ink);
    return FList->AddMaskedImage(image, clBtnFace);
}

TContentLayout TButtonGlyph::CalcLayout(TCanvas& canvas, const TRect& client, TPoint offset,
                                        const TButtonContent& content) {
    const TSize glyph = content.DrawGlyph && !FOriginal.Empty() ? GlyphSize() : TSize{0, 0};
    const TSize arrow = content.DrawArrow ? TSize{9, 3} : TSize{0, 0};
    TButtonLayout layout = content.Layout;
    if ((layout == blGlyphTop || layout == blGlyphBottom) && glyph.cx == 0)
        layout = blGlyphLeft;
    const bool sideways = layout == blGlyphLeft || layout == blGlyphRight;
    const int clientWidth = client.Width();
    const int clientHeight = client.Height();

    TSize text{0, 0};
    if (content.DrawText && !content.Caption.empty()) {
        int width = clientWidth - (sideways ? arrow.cx : 0);
        UINT format = DT_CALCRECT;
        if (content.WordWrap) {
            format |= DT_WORDBREAK;
            if (sideways && glyph.cx > 0) {
                int margin = content.Margin != -1    ? content.Margin
                             : content.Spacing != -1 ? content.Spacing
                                                     : 4;
                width -= glyph.cx + (content.Spacing == -1 ? 4 : content.Spacing) + 2 * margin;
            } else {
                width -= 8;
            }
        }
        TRect bounds = Rect(0, 0, width, 0);
        DrawText(canvas, content.Caption, bounds, format);
        text = TSize{bounds.Width(), bounds.Height()};
    }

    TPoint glyphPos;
    TPoint textPos;
    TPoint arrowPos;
    if (sideways) {
        glyphPos.y = (clientHeight - glyph.cy + 1) / 2;
        textPos.y = (clientHeight - text.cy + 1) / 2;
    } else {
        glyphPos.x = (clientWidth - glyph.cx - arrow.cx + 1) / 2;
        textPos.x = (clientWidth - text.cx + 1) / 2;
    }

    int margin = content.Margin;
    int spacing = content.Spacing;
    if (glyph.cx == 0 || text.cx == 0)
        spacing = 0;
    const int space = sideways ? clientWidth : clientHeight;
    const int glyphLength = sideways ? glyph.cx : glyph.cy;
    const int textLength = sideways ? text.cx : text.cy;
    const int arrowLength = sideways ? arrow.cx : 0;
    if (margin == -1 && spacing == -1) {
        margin = (space - glyphLength - textLength - arrowLength) / 3;
        spacing = margin;
    } else if (margin == -1) {
        margin = (space - (spacing + glyphLength + textLength + arrowLength) + 1) / 2;
    } else if (spacing == -1) {
        spacing = (space - margin - glyphLength - arrowLength - textLength) / 2;
    }

    switch (layout) {
    case blGlyphLeft:
        glyphPos.x = margin;
        textPos.x = glyphPos.x + glyph.cx + spacing;
        arrowPos.x = textPos.x + text.cx;
        break;
    case blGlyphRight:
        arrowPos.x = clientWidth - margin - arrow.cx;
        glyphPos.x = arrowPos.x - glyph.cx;
        textPos.x = glyphPos.x - spacing - text.cx;
        break;
    case blGlyphTop:
        glyphPos.y = margin;
        textPos.y = glyphPos.y + glyph.cy + spacing;
        arrowPos.x = glyphPos.x + glyph.cx;
        break;
    case blGlyphBottom:
        glyphPos.y = clientHeight - margin - glyph.cy;
        textPos.y = glyphPos.y - spacing - text.cy;
        arrowPos.x = glyphPos.x + glyph.cx;
        break;
    }
    if (glyph.cx > 0)
        arrowPos.y = glyphPos.y + (glyph.cy - 3) / 2;
    else
        arrowPos.y = textPos.y + (text.cy - 3) / 2;

    const int dx = client.Left + offset.x;
    const int dy = client.Top + offset.y;
    return TContentLayout{Point(glyphPos.x + dx, glyphPos.y + dy),
                          Bounds(textPos.x + dx, textPos.y + dy, text.cx, text.cy),
                          Point(arrowPos.x + dx, arrowPos.y + dy)};
}

TRect TButtonGlyph::Draw(TCanvas& canvas, const TRect& client, TPoint offset,
                         const TButtonContent& content) {
    TContentLayout layout = CalcLayout(canvas, client, offset, content);
    if (content.DrawGlyph)
        DrawGlyph(canvas, layout.GlyphPos, content.State, content.Transparent);
    if (content.DrawText && !content.Caption.empty())
        DrawCaption(canvas, content.Caption, layout.TextBounds, content.State, content.WordWrap);
    if (content.DrawArrow)
        DrawArrow(canvas, layout.ArrowPos.x, content.State, layout.ArrowPos.y);
    return layout.TextBounds;
}

void TButtonGlyph::DrawGlyph(TCanvas& canvas, TPoint pos, TToolbarButtonState state,
                             bool transparent) {
    int index = GetStateImage(state);
    if (index < 0)
        return;
    TColor background = transparent || state == bsExclusive ? clNone : clBtnFace;
    FList->Draw(canvas, pos.x, pos.y, index, background);
}

void TButtonGlyph::DrawCaption(TCanvas& canvas, const String& caption, TRect bounds,
                               TToolbarButtonState state, bool wordWrap) {
    canvas.Brush().SetStyle(bsClear);
    const UINT format = DT_CENTER | DT_VCENTER | (wordWrap ? DT_WORDBREAK : DT_SINGLELINE);
    if (state != bsDisabled) {
        DrawText(canvas, caption, bounds, format);
        return;
    }
    const TColor color = canvas.Font().Color();
    TRect raised = Moved(bounds, 1, 1);
    canvas.Font().SetColor(clBtnHighlight);
    DrawText(canvas, caption, raised, format);
    canvas.Font().SetColor(clBtnShadow);
    DrawText(canvas, caption, bounds, format);
    canvas.Font().SetColor(color);
}

void TButtonGlyph::DrawArrow(TCanvas& canvas, int x, TToolbarButtonState state, int y) {
    auto triangle = [&canvas](TColor color, int left, int top) {
        canvas.Pen().SetColor(color);
        canvas.Pen().SetStyle(psSolid);
        canvas.Brush().SetColor(color);
        canvas.Brush().SetStyle(bsSolid);
        canvas.Polygon({Point(left + 4, top), Point(left + 8, top), Point(left + 6, top + 2)});
    };
    if (state == bsDisabled) {
        triangle(clBtnHighlight, x + 1, y + 1);
        triangle(clBtnShadow, x, y);
    } else {
        triangle(canvas.Font().Color(), x, y);
    }
}
