#include "widgets/Vclutils.h"

#include "platform/Forms.h"
#include "platform/SysUtils.h"
#include "platform/Win32Draw.h"

#include <cstdlib>
#include <cstring>
#include <map>

namespace {

// The program's string table: the framework's own texts the widget units show.
const std::map<int, String>& StringTable() {
    static const std::map<int, String> table{
        {61257, "Function not yet implemented"},
    };
    return table;
}

bool Overlap(const TRect& a, const TRect& b) {
    return !IsRectEmpty(Intersection(a, b));
}

// Paints every pixel of the bitmap for which ink holds, moved by (dx, dy), in colour.
void PaintWhere(TBitmap& target, const TBitmap& source, int dx, int dy, TColor colour,
                const std::function<bool(TColor)>& ink) {
    for (int y = 0; y < source.Height(); ++y)
        for (int x = 0; x < source.Width(); ++x)
            if (ink(source.PixelAt(x, y)))
                target.Canvas().SetPixels(x + dx, y + dy, colour);
}

int MulDivRounded(int number, int numerator, int denominator) {
    const long long product = static_cast<long long>(number) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator
                                         : (product - half) / denominator);
}

TColor BandColour(TColor from, int deltaR, int deltaG, int deltaB, int band, int last) {
    return RGB(GetRValue(from) + MulDivRounded(deltaR, band, last),
               GetGValue(from) + MulDivRounded(deltaG, band, last),
               GetBValue(from) + MulDivRounded(deltaB, band, last));
}

} // namespace

TColor ColourWithPaletteFlag(TColor colour) {
    return ColorToRGB(colour) | PaletteColorFlag;
}

// ---- Backgrounds

void PaintBehindControl(TControl* control, TCanvas& canvas) {
    if (!control || !control->Parent())
        return;
    TWinControl& parent = *control->Parent();
    PaintBackgroundTo(parent, canvas, -control->Left(), -control->Top());
    for (int i = 0; i < parent.ControlCount(); ++i) {
        TControl* sibling = parent.Controls(i);
        if (sibling == control)
            break;
        if (dynamic_cast<TGraphicControl*>(sibling) && sibling->Visible() &&
            Overlap(sibling->BoundsRect(), control->BoundsRect()))
            PaintTo(*sibling, canvas, sibling->Left() - control->Left(),
                    sibling->Top() - control->Top());
    }
}

// ---- Bitmaps

void StretchBitmapWithTransparency(TCanvas& canvas, const TBitmap& bitmap, TColor transparent,
                                   int x, int y, int width, int height, int sourceX, int sourceY,
                                   int sourceWidth, int sourceHeight) {
    if (width <= 0)
        width = bitmap.Width();
    if (height <= 0)
        height = bitmap.Height();
    if (sourceWidth <= 0 || sourceHeight <= 0) {
        sourceX = 0;
        sourceY = 0;
        sourceWidth = bitmap.Width();
        sourceHeight = bitmap.Height();
    }
    MaskedStretchBlit(canvas, x, y, width, height, bitmap, sourceX, sourceY, sourceWidth,
                      sourceHeight,
                      transparent == NoTransparentColor ? transparent : ColorToRGB(transparent));
}

void DrawBitmapPartStretched(TCanvas& canvas, int x, int y, int width, int height,
                             const TRect& source, const TBitmap& bitmap, TColor transparent) {
    StretchBitmapWithTransparency(canvas, bitmap, transparent, x, y, width, height, source.Left,
                                  source.Top, WidthOfRect(source), HeightOfRect(source));
}

void DrawBitmapWithTransparency(TCanvas& canvas, int x, int y, const TBitmap& bitmap,
                                TColor transparent) {
    StretchBitmapWithTransparency(canvas, bitmap, transparent, x, y, bitmap.Width(),
                                  bitmap.Height(), 0, 0, bitmap.Width(), bitmap.Height());
}

void MaskedStretchBlit(TCanvas& destination, int x, int y, int width, int height,
                       const TBitmap& source, int sourceX, int sourceY, int sourceWidth,
                       int sourceHeight, TColor transparent) {
    if (width <= 0 || height <= 0 || sourceWidth <= 0 || sourceHeight <= 0)
        return;
    for (int row = 0; row < height; ++row) {
        const int fromY = sourceY + row * sourceHeight / height;
        for (int column = 0; column < width; ++column) {
            const TColor pixel = source.PixelAt(sourceX + column * sourceWidth / width, fromY);
            if (pixel != transparent)
                destination.SetPixels(x + column, y + row, pixel);
        }
    }
}

// ---- Disabled and embossed glyphs

std::unique_ptr<TBitmap> BuildDisabledGlyph(const TBitmap& bitmap, TColor maskColor,
                                            TColor backColor, TColor highlightColor,
                                            TColor shadowColor, bool withHighlight) {
    auto result = std::make_unique<TBitmap>();
    result->SetSize(bitmap.Width(), bitmap.Height());
    FillWith(result->Canvas(), Rect(0, 0, bitmap.Width(), bitmap.Height()), backColor);
    const TColor mask = ColorToRGB(maskColor);
    auto set = [mask](TColor pixel) { return pixel == mask; };
    if (withHighlight)
        PaintWhere(*result, bitmap, 1, 1, highlightColor, set);
    PaintWhere(*result, bitmap, 0, 0, shadowColor, set);
    return result;
}

std::unique_ptr<TBitmap> BuildStandardDisabledGlyph(const TBitmap& bitmap, TColor maskColor) {
    return BuildDisabledGlyph(bitmap, maskColor, clBtnFace, clBtnHighlight, clBtnShadow, true);
}

// An image list tells its opaque pixels only by drawing: drawn over black and over white, a
// left-out pixel shows the two backgrounds, a drawn one the same colour twice.
void DrawEmbossedImage(const TImageList& images, TCanvas& canvas, int x, int y, int index,
                       TColor highlightColor, TColor shadowColor, bool withHighlight) {
    TBitmap overBlack;
    TBitmap overWhite;
    overBlack.SetSize(images.Width(), images.Height());
    overWhite.SetSize(images.Width(), images.Height());
    images.Draw(overBlack.Canvas(), 0, 0, index, clBlack);
    images.Draw(overWhite.Canvas(), 0, 0, index, clWhite);
    const TColor brush = canvas.Brush().Color();
    auto paint = [&](int dx, int dy, TColor colour) {
        for (int row = 0; row < images.Height(); ++row)
            for (int column = 0; column < images.Width(); ++column)
                if (overBlack.PixelAt(column, row) == overWhite.PixelAt(column, row))
                    canvas.SetPixels(x + column + dx, y + row + dy, colour);
    };
    if (withHighlight)
        paint(1, 1, highlightColor);
    paint(0, 0, shadowColor);
    canvas.Brush().SetColor(brush);
}

std::unique_ptr<TBitmap> BuildCheckerPattern(TColor colour1, TColor colour2) {
    auto pattern = std::make_unique<TBitmap>();
    pattern->SetSize(8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            pattern->Canvas().SetPixels(x, y, (x + y) % 2 ? colour1 : colour2);
    return pattern;
}

// ---- Gradients and text

void FillGradientBands(TCanvas& canvas, const TRect& rect, TColor startColor, TColor endColor,
                       GradientDirection direction, int count) {
    if (IsRectEmpty(rect))
        return;
    if (count < 2) {
        FillWith(canvas, rect, startColor);
        return;
    }
    const bool downward = direction == gdTopToBottom || direction == gdLeftToRight;
    const bool vertical = direction == gdTopToBottom || direction == gdBottomToTop;
    const TColor from = ColorToRGB(downward ? startColor : endColor);
    const TColor to = ColorToRGB(downward ? endColor : startColor);
    const int deltaR = GetRValue(to) - GetRValue(from);
    const int deltaG = GetGValue(to) - GetGValue(from);
    const int deltaB = GetBValue(to) - GetBValue(from);
    const int length = vertical ? HeightOfRect(rect) : WidthOfRect(rect);
    count = std::max(2, std::min(count, length));
    const int size = length / count;
    canvas.Pen().SetStyle(psSolid);
    auto band = [&rect, vertical](int from, int pixels) {
        return vertical ? Rect(rect.Left, rect.Top + from, rect.Right, rect.Top + from + pixels)
                        : Rect(rect.Left + from, rect.Top, rect.Left + from + pixels, rect.Bottom);
    };
    if (size > 0)
        for (int i = 0; i < count; ++i)
            FillWith(canvas, band(i * size, size),
                     BandColour(from, deltaR, deltaG, deltaB, i, count - 1));
    const int rest = length % count;
    if (rest > 0)
        FillWith(canvas, band(length - rest, rest), to);
}

String FitTextWithEllipsis(const String& text, TCanvas& canvas, int width) {
    String result = text;
    const int length = static_cast<int>(text.size());
    for (int attempt = 2; canvas.TextWidth(result) > width && attempt <= length + 1; ++attempt)
        result = text.substr(0, static_cast<size_t>(std::max(0, length - attempt))) + "...";
    return result;
}

int WidthOfRect(const TRect& rect) {
    return rect.Right - rect.Left;
}

int HeightOfRect(const TRect& rect) {
    return rect.Bottom - rect.Top;
}

// ---- Messages and the application

bool DropQueuedMessage(HWND handle, UINT Msg) {
    return Msg != WM_QUIT && RemovePostedMessage(handle, Msg);
}

bool IsActiveApplication() {
    return Application && Application->Active();
}

void ReportNotImplemented() {
    if (Screen)
        Screen->SetCursor(crDefault);
    if (Application)
        Application->MessageBox(LoadStringResource(61257), "", MB_OK | MB_ICONINFORMATION);
    throw EAbort("");
}

String LoadStringResource(int id) {
    const auto found = StringTable().find(id);
    return found != StringTable().end() ? found->second : String();
}

// ---- Blocks

void* AllocZeroedGlobalBlock(long count) {
    return count > 0 ? std::calloc(static_cast<size_t>(count), 1) : nullptr;
}

void FreeGlobalBlock(void*& block) {
    if (!block)
        return;
    std::free(block);
    block = nullptr;
}

bool BlocksEqual(const void* block1, const void* block2, size_t length) {
    return std::memcmp(block1, block2, length) == 0;
}

void* OffsetPointer(void* pointer, ptrdiff_t count) {
    return static_cast<char*>(pointer) + count;
}

void CopyBlock(void* destination, const void* source, size_t count) {
    std::memmove(destination, source, count);
}
