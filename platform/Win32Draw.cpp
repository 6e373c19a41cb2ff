#include "platform/Win32Draw.h"
#include "platform/StdPeers.h"

#include <algorithm>
#include <vector>

// ---- Rectangles

void FillWith(TCanvas& canvas, const TRect& rect, TColor color) {
    if (IsRectEmpty(rect))
        return;
    canvas.Brush().SetColor(color);
    canvas.Brush().SetStyle(bsSolid);
    canvas.FillRect(rect);
}

TRect Intersection(const TRect& a, const TRect& b) {
    return Rect(std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
                std::min(a.Bottom, b.Bottom));
}

bool IsRectEmpty(const TRect& rect) {
    return rect.Width() <= 0 || rect.Height() <= 0;
}

TRect Moved(const TRect& rect, int dx, int dy) {
    return Rect(rect.Left + dx, rect.Top + dy, rect.Right + dx, rect.Bottom + dy);
}

TRect Inset(const TRect& rect, int by) {
    return Rect(rect.Left + by, rect.Top + by, rect.Right - by, rect.Bottom - by);
}

// ---- Edges

namespace {

struct EdgeColors {
    TColor TopLeft;
    TColor BottomRight;
};

// Soft edges swap the two light colours of a raised edge and the two dark ones of a sunken
// edge, so a pushed button looks rounder.
EdgeColors OuterEdgeColors(UINT edge, bool soft) {
    if (edge & BDR_RAISEDOUTER)
        return {soft ? clBtnHighlight : cl3DLight, cl3DDkShadow};
    return {soft ? cl3DDkShadow : clBtnShadow, clBtnHighlight};
}

EdgeColors InnerEdgeColors(UINT edge, bool soft) {
    if (edge & BDR_RAISEDINNER)
        return {soft ? cl3DLight : clBtnHighlight, clBtnShadow};
    return {soft ? clBtnShadow : cl3DDkShadow, cl3DLight};
}

// One line along each side asked for; the dark lines go last, so they own the corners they
// share with the light ones. The sides drawn come off rect.
void DrawEdgeLine(TCanvas& canvas, TRect& rect, EdgeColors colors, UINT flags) {
    const TRect r = rect;
    if (flags & BF_LEFT)
        FillWith(canvas, Rect(r.Left, r.Top, r.Left + 1, r.Bottom), colors.TopLeft);
    if (flags & BF_TOP)
        FillWith(canvas, Rect(r.Left, r.Top, r.Right, r.Top + 1), colors.TopLeft);
    if (flags & BF_RIGHT)
        FillWith(canvas, Rect(r.Right - 1, r.Top, r.Right, r.Bottom), colors.BottomRight);
    if (flags & BF_BOTTOM)
        FillWith(canvas, Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom), colors.BottomRight);
    if (flags & BF_LEFT)
        ++rect.Left;
    if (flags & BF_TOP)
        ++rect.Top;
    if (flags & BF_RIGHT)
        --rect.Right;
    if (flags & BF_BOTTOM)
        --rect.Bottom;
}

} // namespace

BOOL DrawEdge(TCanvas& canvas, TRect& rect, UINT edge, UINT flags) {
    TColor brushColor = canvas.Brush().Color();
    TBrushStyle brushStyle = canvas.Brush().Style();
    bool soft = (flags & BF_SOFT) != 0;
    TRect inside = rect;
    if (edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER))
        DrawEdgeLine(canvas, inside, OuterEdgeColors(edge, soft), flags);
    if (edge & (BDR_RAISEDINNER | BDR_SUNKENINNER))
        DrawEdgeLine(canvas, inside, InnerEdgeColors(edge, soft), flags);
    if (flags & BF_MIDDLE)
        FillWith(canvas, inside, clBtnFace);
    if (flags & BF_ADJUST)
        rect = inside;
    canvas.Brush().SetColor(brushColor);
    canvas.Brush().SetStyle(brushStyle);
    return 1;
}

// ---- Text

namespace {

std::vector<String> SplitLines(const String& text) {
    std::vector<String> lines(1);
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            lines.emplace_back();
        } else {
            lines.back() += c;
        }
    }
    return lines;
}

String WithoutLineBreaks(const String& text) {
    String result;
    std::copy_if(text.begin(), text.end(), std::back_inserter(result),
                 [](char c) { return c != '\r' && c != '\n'; });
    return result;
}

// Words stay whole: a word wider than the room gets a line of its own and passes the edge.
void AppendWrapped(TCanvas& canvas, const String& line, int width, std::vector<String>& lines) {
    String current;
    size_t i = 0;
    while (i < line.size()) {
        size_t end = line.find(' ', i);
        if (end == String::npos)
            end = line.size();
        String word = line.substr(i, end - i);
        String candidate = current.empty() ? word : current + " " + word;
        if (!current.empty() && canvas.TextWidth(candidate) > width) {
            lines.push_back(current);
            current = word;
        } else {
            current = candidate;
        }
        i = end + 1;
    }
    lines.push_back(current);
}

std::vector<String> LayOutLines(TCanvas& canvas, const String& text, const TRect& rect,
                                UINT format) {
    if (format & DT_SINGLELINE)
        return {WithoutLineBreaks(text)};
    std::vector<String> lines;
    for (const String& line : SplitLines(text)) {
        if (format & DT_WORDBREAK)
            AppendWrapped(canvas, line, rect.Width(), lines);
        else
            lines.push_back(line);
    }
    return lines;
}

// The longest start of line that fits width with "..." after it.
String EndEllipsis(TCanvas& canvas, const String& line, int width) {
    if (canvas.TextWidth(line) <= width)
        return line;
    size_t low = 0;
    size_t high = line.size();
    while (low < high) {
        size_t middle = (low + high + 1) / 2;
        if (canvas.TextWidth(line.substr(0, middle) + "...") <= width)
            low = middle;
        else
            high = middle - 1;
    }
    return line.substr(0, low) + "...";
}

} // namespace

int DrawText(TCanvas& canvas, const String& text, TRect& rect, UINT format) {
    String shown = (format & DT_NOPREFIX) ? text : WithoutAccelerator(text);
    std::vector<String> lines = LayOutLines(canvas, shown, rect, format);
    int lineHeight = canvas.TextHeight("Wg");
    int height = lineHeight * static_cast<int>(lines.size());
    if (format & DT_CALCRECT) {
        int width = 0;
        for (const String& line : lines)
            width = std::max(width, canvas.TextWidth(line));
        rect.Right = rect.Left + width;
        rect.Bottom = rect.Top + height;
        return height;
    }
    int y = rect.Top;
    if ((format & DT_SINGLELINE) && (format & DT_VCENTER))
        y = rect.Top + (rect.Height() - lineHeight) / 2;
    else if ((format & DT_SINGLELINE) && (format & DT_BOTTOM))
        y = rect.Bottom - lineHeight;
    for (String& line : lines) {
        if (format & DT_END_ELLIPSIS)
            line = EndEllipsis(canvas, line, rect.Width());
        int width = canvas.TextWidth(line);
        int x = rect.Left;
        if (format & DT_CENTER)
            x = rect.Left + (rect.Width() - width) / 2;
        else if (format & DT_RIGHT)
            x = rect.Right - width;
        if (format & DT_NOCLIP)
            canvas.TextOut(x, y, line);
        else if (TRect clip = Intersection(rect, Bounds(x, y, width, lineHeight));
                 !IsRectEmpty(clip))
            canvas.TextRect(clip, x, y, line);
        y += lineHeight;
    }
    return height;
}

// ---- Pictures of windows

void PaintTo(TControl& control, TCanvas& canvas, int x, int y) {
    TBitmap picture;
    control.Peer().RenderTo(picture);
    canvas.Draw(x, y, picture);
}

void PaintBackgroundTo(TWinControl& control, TCanvas& canvas, int x, int y) {
    TBitmap picture;
    control.Peer().RenderBackgroundTo(picture);
    canvas.Draw(x, y, picture);
}

UINT AlignmentFormat(TAlignment alignment) {
    switch (alignment) {
    case taLeftJustify:
        return DT_LEFT;
    case taRightJustify:
        return DT_RIGHT;
    case taCenter:
        break;
    }
    return DT_CENTER;
}
