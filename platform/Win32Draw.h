#pragma once
// The system's drawing calls that the framework's canvas does not offer, drawn through a canvas:
// rectangles, three-dimensional edges, formatted text, and a window's picture as the screen
// shows it.

#include "platform/Controls.h"
#include "platform/Graphics.h"
#include "platform/Messages.h"
#include "platform/Types.h"

// ---- Rectangles

// Fills rect with color; the canvas keeps that solid brush. An empty rect is left alone.
void FillWith(TCanvas& canvas, const TRect& rect, TColor color);
// The part both rectangles cover; empty when they do not meet.
TRect Intersection(const TRect& a, const TRect& b);
// No width or no height.
bool IsRectEmpty(const TRect& rect);
TRect Moved(const TRect& rect, int dx, int dy);
// rect with by pixels taken off every side.
TRect Inset(const TRect& rect, int by);

// ---- Edges

// Lines of one pixel along the edges of rect, topLeft above and left, bottomRight below and
// right, width times, each inside the last; rect ends inside them.
void Frame3D(TCanvas& canvas, TRect& rect, TColor topLeft, TColor bottomRight, int width);

// Edges of DrawEdge: an outer and an inner line, raised or sunken.
enum : UINT {
    BDR_RAISEDOUTER = 0x0001,
    BDR_SUNKENOUTER = 0x0002,
    BDR_RAISEDINNER = 0x0004,
    BDR_SUNKENINNER = 0x0008,
    EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER,
    EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER,
    EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER,
    EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER,
};

// Sides and options of DrawEdge.
enum : UINT {
    BF_LEFT = 0x0001,
    BF_TOP = 0x0002,
    BF_RIGHT = 0x0004,
    BF_BOTTOM = 0x0008,
    BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM,
    BF_MIDDLE = 0x0800, // the inside filled with the button face
    BF_SOFT = 0x1000,   // the lighter colours outside, as pushed buttons have them
    BF_ADJUST = 0x2000, // rect comes back without the edges
};

// Draws the edges on the sides asked for, each line one pixel wide and lying inside rect: the
// outer line on the rectangle's border, the inner one within it. Raised lines are light above
// and left and dark below and right, sunken ones the other way round.
BOOL DrawEdge(TCanvas& canvas, TRect& rect, UINT edge, UINT flags);

// ---- Text

// Formats of DrawText.
enum : UINT {
    DT_TOP = 0x0000,
    DT_LEFT = 0x0000,
    DT_CENTER = 0x0001,
    DT_RIGHT = 0x0002,
    DT_VCENTER = 0x0004,
    DT_BOTTOM = 0x0008,
    DT_WORDBREAK = 0x0010,
    DT_SINGLELINE = 0x0020,
    DT_EXPANDTABS = 0x0040,
    DT_NOCLIP = 0x0100,
    DT_CALCRECT = 0x0400,
    DT_NOPREFIX = 0x0800,
    DT_END_ELLIPSIS = 0x8000,
};

// Draws text in rect with the canvas's font (and, unless its brush is clear, its background),
// line by line: lines end at line breaks unless DT_SINGLELINE, and with DT_WORDBREAK also before
// a word that would pass the rectangle's right edge. "&&" shows "&" and a single "&" is left
// out, unless DT_NOPREFIX. With DT_END_ELLIPSIS a line wider than rect ends in "..." within it.
// DT_VCENTER and DT_BOTTOM place a single line only. With DT_CALCRECT nothing is drawn: rect's
// right and bottom are moved to hold the text. Returns the height of the text.
int DrawText(TCanvas& canvas, const String& text, TRect& rect, UINT format);
// The DrawText format that places a line as the alignment says.
UINT AlignmentFormat(TAlignment alignment);
// A caption as the system draws it: "&&" shows "&", and the "&" that marks the accelerator is
// left out.
String WithoutAccelerator(const String& caption);

// ---- Pictures of windows

// Draws the control with its children, as the screen shows it, on the canvas at x, y.
void PaintTo(TControl& control, TCanvas& canvas, int x, int y);
// Draws the window's client area as it erases and paints itself, without its children, on the
// canvas at x, y.
void PaintBackgroundTo(TWinControl& control, TCanvas& canvas, int x, int y);
