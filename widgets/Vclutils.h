#pragma once
// Drawing and window routines shared by the widget units: bitmaps drawn stretched and with a
// transparent colour, the engraved look of disabled glyphs, the checker pattern of pressed
// buttons, stepped gradients, text shortened with "...", a control's background taken from its
// parent, and questions about the message queue and the application.

#include "platform/Controls.h"
#include "platform/Graphics.h"
#include "platform/ImgList.h"

#include <cstddef>
#include <memory>

enum GradientDirection { gdTopToBottom, gdBottomToTop, gdLeftToRight, gdRightToLeft };

// The transparent-colour argument that asks for an opaque copy.
constexpr TColor NoTransparentColor = 0x1FFFFFFF;
// Marks a colour as taken from the palette nearest to it.
constexpr TColor PaletteColorFlag = 0x02000000;

// The colour as RGB with the palette flag added.
TColor ColourWithPaletteFlag(TColor colour);

// Paints into canvas what lies behind control: its parent's background and the windowless
// siblings placed before it that overlap it, in the control's coordinates.
void PaintBehindControl(TControl* control, TCanvas& canvas);

// Draws the source part of bitmap stretched over the destination, leaving out the pixels of the
// transparent colour (none with NoTransparentColor). A destination size of 0 or less is the
// bitmap's own; a source size of 0 or less means the whole bitmap.
void StretchBitmapWithTransparency(TCanvas& canvas, const TBitmap& bitmap, TColor transparent,
                                   int x, int y, int width, int height, int sourceX, int sourceY,
                                   int sourceWidth, int sourceHeight);
void DrawBitmapPartStretched(TCanvas& canvas, int x, int y, int width, int height,
                             const TRect& source, const TBitmap& bitmap, TColor transparent);
void DrawBitmapWithTransparency(TCanvas& canvas, int x, int y, const TBitmap& bitmap,
                                TColor transparent);
// The source area stretched onto the destination area, each destination pixel taking the source
// pixel it falls on; pixels of the transparent colour leave the destination as it is.
void MaskedStretchBlit(TCanvas& destination, int x, int y, int width, int height,
                       const TBitmap& source, int sourceX, int sourceY, int sourceWidth,
                       int sourceHeight, TColor transparent);

// The engraved look of a disabled glyph: the pixels of the mask colour drawn in the highlight
// colour one pixel down and right (withHighlight), then in the shadow colour in place, on the
// back colour.
std::unique_ptr<TBitmap> BuildDisabledGlyph(const TBitmap& bitmap, TColor maskColor,
                                            TColor backColor, TColor highlightColor,
                                            TColor shadowColor, bool withHighlight);
// In the button colours.
std::unique_ptr<TBitmap> BuildStandardDisabledGlyph(const TBitmap& bitmap, TColor maskColor);
// Draws one image of the list in the engraved look: its opaque pixels in the highlight colour at
// (x + 1, y + 1) (withHighlight), then in the shadow colour at (x, y).
void DrawEmbossedImage(const TImageList& images, TCanvas& canvas, int x, int y, int index,
                       TColor highlightColor, TColor shadowColor, bool withHighlight);

// 8 x 8 pixels: colour1 where x and y differ in parity, colour2 where they agree.
std::unique_ptr<TBitmap> BuildCheckerPattern(TColor colour1, TColor colour2);

// Fills rect in count bands (at most one per pixel) going from the start colour to the end one
// in the direction given; below 2 bands, the start colour alone. Pixels left over at the far end
// take the last band's colour.
void FillGradientBands(TCanvas& canvas, const TRect& rect, TColor startColor, TColor endColor,
                       GradientDirection direction, int count);

// The text, or as much of its start as fits the width with "..." after it ("..." alone when
// nothing does).
String FitTextWithEllipsis(const String& text, TCanvas& canvas, int width);

int WidthOfRect(const TRect& rect);
int HeightOfRect(const TRect& rect);

// Removes the first queued message of that number for the window (any window for nullptr); a
// quit request stays queued, so the program still ends. True when one was removed.
bool DropQueuedMessage(HWND handle, UINT Msg);
// Whether one of the program's windows is the active one.
bool IsActiveApplication();
// Tells the user that the command is not there yet and ends the command silently.
[[noreturn]] void ReportNotImplemented();
// A text of the program's string table; empty for a number it does not hold.
String LoadStringResource(int id);

// A zero-filled block of count bytes; nullptr for a count of 0 or less.
void* AllocZeroedGlobalBlock(long count);
// Frees a block of AllocZeroedGlobalBlock, if set, and clears the variable.
void FreeGlobalBlock(void*& block);
bool BlocksEqual(const void* block1, const void* block2, size_t length);
void* OffsetPointer(void* pointer, ptrdiff_t count);
// Copies count bytes; the blocks may overlap.
void CopyBlock(void* destination, const void* source, size_t count);
