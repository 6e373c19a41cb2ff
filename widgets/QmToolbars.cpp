#include "widgets/QmToolbars.h"
#include "widgets/QmToolbarsPrivate.h"

#include "platform/Forms.h"
#include "platform/SysUtils.h"
#include "platform/Win32Draw.h"

#include <algorithm>
#include <climits>

using QmToolbars::ClampToInt;
using QmToolbars::FormOwner;

namespace {

// Draws the part of a tile placed at (x, y) that lies inside clip.
void DrawTileClipped(TCanvas& canvas, TBitmap& tile, int x, int y, const TRect& clip) {
    const TRect whole = Bounds(x, y, tile.Width(), tile.Height());
    TRect part = Intersection(whole, clip);
    if (IsRectEmpty(part))
        return;
    if (part == whole) {
        canvas.Draw(x, y, tile);
        return;
    }
    TBitmap piece;
    piece.SetSize(part.Width(), part.Height());
    piece.Canvas().Draw(x - part.Left, y - part.Top, tile);
    canvas.Draw(part.Left, part.Top, piece);
}

} // namespace

TComponent* QmToolbars::FormOwner(TComponent* owner, const char* message) {
    if (!dynamic_cast<TForm*>(owner))
        throw EInvalidOperation(message);
    return owner;
}

int QmToolbars::ClampToInt(long long value) {
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// ---- Docks

TQmDock::TQmDock(TComponent* AOwner)
    : TCustomControl(FormOwner(AOwner, "TQmDock must be owned by a form")) {
    BeginUpdate();
    TControlStyle style = ControlStyle();
    style << csAcceptsControls << csNoStdEvents;
    style >> csCaptureMouse >> csClickEvents >> csOpaque;
    SetControlStyle(style);
    FBackground.OnChange = [this](TObject*) { BackgroundChanged(); };
    SetAlign(alTop);
    SetColor(clBtnFace);
    EndUpdate();
    ArrangeToolbars();
}

// The toolbars go while the dock is still whole: each leaves the dock's list as it is freed.
TQmDock::~TQmDock() {
    while (ControlCount() > 0)
        Controls(ControlCount() - 1)->Free();
}

void TQmDock::SetAllowDrag(bool value) {
    if (!Change(FAllowDrag, value))
        return;
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* toolbar = dynamic_cast<TQmToolbar*>(Controls(i))) {
            toolbar->Invalidate();
            toolbar->Rearrange();
        }
}

void TQmDock::SetBackgroundTransparent(bool value) {
    if (Change(FBackgroundTransparent, value))
        BackgroundChanged();
}

// The window keeps its place and size; the client area inside it changes.
void TQmDock::SetBoundLines(TDockBoundLines value) {
    if (!Change(FBoundLines, value))
        return;
    ArrangeToolbars();
    Invalidate();
}

TPoint TQmDock::ClientOrigin() const {
    if (Width() < 2 || Height() < 2)
        return TPoint{0, 0};
    return TPoint{FBoundLines.Contains(blLeft) ? 1 : 0, FBoundLines.Contains(blTop) ? 1 : 0};
}

TRect TQmDock::ClientRect() const {
    if (Width() < 2 || Height() < 2)
        return TCustomControl::ClientRect();
    const TPoint origin = ClientOrigin();
    const int right = FBoundLines.Contains(blRight) ? 1 : 0;
    const int bottom = FBoundLines.Contains(blBottom) ? 1 : 0;
    return Rect(0, 0, Width() - origin.x - right, Height() - origin.y - bottom);
}

void TQmDock::SetFixAlign(bool value) {
    if (Change(FFixAlign, value))
        ArrangeToolbars();
}

void TQmDock::SetPosition(TDockPosition value) {
    if (value == FPosition)
        return;
    if (ControlCount() > 0)
        throw EInvalidOperation(
            "Cannot change Position of a TQmDock if it already contains controls");
    FPosition = value;
    static constexpr TAlign Aligns[] = {alTop, alBottom, alLeft, alRight};
    SetAlign(Aligns[value]);
}

void TQmDock::SetParent(TWinControl* value) {
    if (dynamic_cast<TQmToolbar*>(value) || dynamic_cast<TQmDock*>(value))
        throw EInvalidOperation(
            "A TQmDock control cannot be placed inside a TQmToolbar or another TQmDock");
    TCustomControl::SetParent(value);
}

void TQmDock::VisibleChanging() {
    if (Visible())
        throw EInvalidOperation("Cannot hide a TQmDock");
}

void TQmDock::Loaded() {
    TCustomControl::Loaded();
    ArrangeToolbars();
}

// The dock places its toolbars itself; the framework's alignment of children is not used.
void TQmDock::AlignControls(TControl* /*AControl*/, TRect& /*Rect*/) {
    ArrangeToolbars();
}

void TQmDock::WndProc(TMessage& Message) {
    TCustomControl::WndProc(Message);
    switch (Message.Msg) {
    case WM_MOVE:
        if (!FBackground.Empty())
            InvalidateBackgrounds();
        break;
    case CM_SYSCOLORCHANGE:
        BackgroundChanged();
        break;
    default:
        break;
    }
}

TQmToolbar* TQmDock::Toolbars(int index) const {
    if (index < 0 || index >= ToolbarCount())
        throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    return FToolbars[index];
}

int DockOrientation(const TQmDock* dock) {
    if (!dock)
        return 0;
    return dock->Vertical() ? 2 : 1;
}

int TQmDock::LengthOf(const TQmToolbar* bar) const {
    return Vertical() ? bar->Height() : bar->Width();
}

void TQmDock::InsertRemoveBar(bool inserting, TQmToolbar* bar, bool visible) {
    auto listed = std::find(FToolbars.begin(), FToolbars.end(), bar);
    bool changed = listed != FToolbars.end();
    if (changed)
        FToolbars.erase(listed);
    if (inserting && visible) {
        FToolbars.push_back(bar);
        changed = true;
    }
    if (!changed)
        return;
    ArrangeToolbars();
    bar->Rearrange();
    if (OnInsertRemoveBar)
        OnInsertRemoveBar(this, inserting, bar);
}

TRowSizeInfo TQmDock::GetRowSize(int row, const TQmToolbar* bar) const {
    if (auto found = FRowSizes.find(row); found != FRowSizes.end())
        return found->second;
    if (bar)
        return bar->RowSizeInfo();
    return TRowSizeInfo{};
}

void TQmDock::BuildRowSizes() {
    FRowSizes.clear();
    for (int row = 0; row <= LastRowIndex(); ++row) {
        TRowSizeInfo size{8, 8, 0, 0};
        for (const TQmToolbar* bar : FToolbars)
            if (bar->DockRow() == row) {
                size.LargestHeight = std::max(size.LargestHeight, bar->RowSizeInfo().LargestHeight);
                size.LargestWidth = std::max(size.LargestWidth, bar->RowSizeInfo().LargestWidth);
            }
        size.HorzThickness = size.LargestHeight + 4;
        size.VertThickness = size.LargestWidth + 4;
        FRowSizes[row] = size;
    }
}

int TQmDock::LastRowIndex() const {
    int last = -1;
    for (const TQmToolbar* bar : FToolbars)
        last = std::max(last, bar->DockRow());
    return last;
}

int TQmDock::RowAtPosition(int across, bool& insert) const {
    int last = LastRowIndex();
    long long start = 0;
    for (int row = 0; row <= last; ++row) {
        TRowSizeInfo size = GetRowSize(row, nullptr);
        long long end = start + (Vertical() ? size.VertThickness : size.HorzThickness);
        if (across <= start + 5) {
            insert = true;
            return row;
        }
        if (across <= end - 5) {
            insert = false;
            return row;
        }
        start = end;
    }
    insert = across <= start + 5;
    return last + 1;
}

void TQmDock::OpenRow(int row) {
    for (TQmToolbar* bar : FToolbars)
        if (bar->FDockRow >= row)
            ++bar->FDockRow;
}

void TQmDock::ArrangeToolbars() {
    if (FUpdateLock > 0 || FArranging || IsLoading() || IsDestroying())
        return;
    FArranging = true;
    try {
        if (FToolbars.empty()) {
            int across = FFixAlign ? 1 : 0;
            if (Vertical())
                ResizeDock(across - (Width() - ClientWidth()), ClientHeight());
            else
                ResizeDock(ClientWidth(), across - (Height() - ClientHeight()));
        } else {
            SortToolbars();
            if (FLimitToOneRow)
                for (TQmToolbar* bar : FToolbars)
                    bar->FDockRow = 0;
            RemoveBlankRows();
            BuildRowSizes();
            RemoveOverlaps();
            PullBackOverflowingRows();
            PlaceToolbars();
        }
    } catch (...) {
        FArranging = false;
        throw;
    }
    FArranging = false;
}

// Rows first, then the place in the row; toolbars at the same place keep their list order.
void TQmDock::SortToolbars() {
    std::stable_sort(FToolbars.begin(), FToolbars.end(),
                     [](const TQmToolbar* a, const TQmToolbar* b) {
                         if (a->DockRow() != b->DockRow())
                             return a->DockRow() < b->DockRow();
                         return a->DockPos() < b->DockPos();
                     });
}

// Numbers the rows in use 0, 1, 2... in their order. Rows come from the registry too, so a huge
// or negative row number must not cost a step per missing row.
void TQmDock::RemoveBlankRows() {
    int rank = -1;
    int previous = 0;
    for (TQmToolbar* bar : FToolbars) {
        if (rank < 0 || bar->FDockRow != previous) {
            previous = bar->FDockRow;
            ++rank;
        }
        bar->FDockRow = rank;
    }
}

void TQmDock::RemoveOverlaps() {
    for (int row = 0; row <= LastRowIndex(); ++row) {
        long long position = 0;
        for (TQmToolbar* bar : FToolbars) {
            if (bar->FDockRow != row)
                continue;
            if (bar->FDockPos > position)
                position = bar->FDockPos;
            else
                bar->FDockPos = ClampToInt(position);
            position += LengthOf(bar);
        }
    }
}

// A row that runs past the end of the dock moves back by the overflow of its last toolbar.
void TQmDock::PullBackOverflowingRows() {
    const int length = Vertical() ? ClientHeight() : ClientWidth();
    for (int row = 0; row <= LastRowIndex(); ++row) {
        for (size_t t = 0; t < FToolbars.size(); ++t) {
            TQmToolbar* bar = FToolbars[t];
            if (bar->FDockRow != row)
                continue;
            for (size_t l = FToolbars.size(); l-- > t;) {
                const TQmToolbar* last = FToolbars[l];
                long long end = static_cast<long long>(last->FDockPos) + LengthOf(last);
                if (last->FDockRow == row && end > length) {
                    bar->FDockPos = ClampToInt(bar->FDockPos - (end - length));
                    break;
                }
            }
        }
    }
}

void TQmDock::PlaceToolbars() {
    const bool vertical = Vertical();
    int across = 0;
    for (int row = 0; row <= LastRowIndex(); ++row) {
        long long position = 0;
        int thickness = 8;
        for (TQmToolbar* bar : FToolbars) {
            if (bar->FDockRow != row)
                continue;
            TRowSizeInfo size = GetRowSize(row, bar);
            thickness = std::max(thickness, vertical ? size.VertThickness : size.HorzThickness);
            if (bar->FDockPos > position)
                position = bar->FDockPos;
            else
                bar->FDockPos = ClampToInt(position);
            const TPoint origin = ClientOrigin();
            const int at = ClampToInt(position);
            if (vertical)
                bar->SetTrueBounds(origin.x + across, origin.y + at, size.VertThickness,
                                   bar->Height());
            else
                bar->SetTrueBounds(origin.x + at, origin.y + across, bar->Width(),
                                   size.HorzThickness);
            position += LengthOf(bar);
        }
        across += thickness;
    }
    if (vertical)
        ResizeDock(across, ClientHeight());
    else
        ResizeDock(ClientWidth(), across);
}

// Client sizes become outer ones with the bound lines; the dock's outer edge stays where it is
// and the edge facing the form's middle moves.
void TQmDock::ResizeDock(int width, int height) {
    width += Width() - ClientWidth();
    height += Height() - ClientHeight();
    switch (Align()) {
    case alTop:
    case alLeft:
        TCustomControl::SetBounds(Left(), Top(), width, height);
        break;
    case alBottom:
        TCustomControl::SetBounds(Left(), Top() + Height() - height, width, height);
        break;
    case alRight:
        TCustomControl::SetBounds(Left() + Width() - width, Top(), width, height);
        break;
    default:
        break;
    }
}

void TQmDock::BackgroundChanged() {
    FTransparentCache.reset();
    InvalidateBackgrounds();
}

void TQmDock::InvalidateBackgrounds() {
    Invalidate();
    for (TQmToolbar* bar : FToolbars)
        bar->Invalidate();
}

// With a transparent background the tile is a copy whose transparent colour shows Color.
TBitmap& TQmDock::BackgroundTile() {
    if (!FBackgroundTransparent)
        return FBackground;
    if (!FTransparentCache) {
        auto cache = std::make_unique<TBitmap>();
        cache->SetSize(FBackground.Width(), FBackground.Height());
        FillWith(cache->Canvas(), Rect(0, 0, cache->Width(), cache->Height()), Color());
        TBitmap source;
        source.Assign(FBackground);
        source.SetTransparent(true);
        cache->Canvas().Draw(0, 0, source);
        FTransparentCache = std::move(cache);
    }
    return *FTransparentCache;
}

void TQmDock::DrawBackground(TCanvas& canvas, const TRect& clip, const TRect& tiles) {
    if (FBackground.Empty())
        return;
    TBitmap& tile = BackgroundTile();
    for (int y = tiles.Top; y < tiles.Bottom; y += tile.Height())
        for (int x = tiles.Left; x < tiles.Right; x += tile.Width())
            DrawTileClipped(canvas, tile, x, y, clip);
}

// The tiles start at the parent's client origin, so neighbouring docks show one pattern.
void TQmDock::Paint() {
    const TPoint origin = ClientOrigin();
    TRect client = Moved(ClientRect(), origin.x, origin.y);
    TRect tiles = Rect(-Left(), -Top(), client.Right, client.Bottom);
    DrawBackground(Canvas(), client, tiles);
    PaintBoundLines();
}

void TQmDock::PaintBoundLines() {
    if (Width() < 2 || Height() < 2)
        return;
    const int w = Width();
    const int h = Height();
    TCanvas& canvas = Canvas();
    if (FBoundLines.Contains(blTop))
        FillWith(canvas, Rect(0, 0, w, 1), clBtnShadow);
    if (FBoundLines.Contains(blBottom))
        FillWith(canvas, Rect(0, h - 1, w, h), clBtnHighlight);
    if (FBoundLines.Contains(blLeft))
        FillWith(canvas, Rect(0, 0, 1, h), clBtnShadow);
    if (FBoundLines.Contains(blRight))
        FillWith(canvas, Rect(w - 1, 0, w, h), clBtnHighlight);
}
