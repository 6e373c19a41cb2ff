#include "widgets/QmToolbars.h"

#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/FormsExtra.h"
#include "platform/SysUtils.h"
#include "platform/Win32Draw.h"

#include <algorithm>
#include <climits>

namespace {

// Docks and toolbars belong to a form: they find their docks among its components.
TComponent* FormOwner(TComponent* owner, const char* message) {
    if (!dynamic_cast<TForm*>(owner))
        throw EInvalidOperation(message);
    return owner;
}

int ClampToInt(long long value) {
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// A control of a toolbar that changed its size or visibility asks the toolbar to lay its
// controls out again, as an aligned control asks its parent.
void RequestToolbarLayout(TControl& control) {
    if (auto* toolbar = dynamic_cast<TQmToolbar*>(control.Parent()))
        toolbar->Rearrange();
}

void DrawLine(TCanvas& canvas, TColor color, int x1, int y1, int x2, int y2) {
    canvas.Pen().SetColor(color);
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetWidth(1);
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
}

void FillWith(TCanvas& canvas, const TRect& rect, TColor color) {
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(color);
    canvas.FillRect(rect);
}

TRect Intersection(const TRect& a, const TRect& b) {
    return Rect(std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
                std::min(a.Bottom, b.Bottom));
}

// Draws the part of a tile placed at (x, y) that lies inside clip.
void DrawTileClipped(TCanvas& canvas, TBitmap& tile, int x, int y, const TRect& clip) {
    TRect part = Intersection(Bounds(x, y, tile.Width(), tile.Height()), clip);
    if (part.Width() <= 0 || part.Height() <= 0)
        return;
    if (part == Bounds(x, y, tile.Width(), tile.Height())) {
        canvas.Draw(x, y, tile);
        return;
    }
    TBitmap piece;
    piece.SetSize(part.Width(), part.Height());
    piece.Canvas().Draw(x - part.Left, y - part.Top, tile);
    canvas.Draw(part.Left, part.Top, piece);
}

} // namespace

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
                ResizeDock(across, Height());
            else
                ResizeDock(Width(), across);
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
            int at = ClampToInt(position);
            if (vertical)
                bar->SetTrueBounds(across, at, size.VertThickness, bar->Height());
            else
                bar->SetTrueBounds(at, across, bar->Width(), size.HorzThickness);
            position += LengthOf(bar);
        }
        across += thickness;
    }
    if (vertical)
        ResizeDock(across, ClientHeight());
    else
        ResizeDock(ClientWidth(), across);
}

// The dock's outer edge stays where it is; the edge facing the form's middle moves.
void TQmDock::ResizeDock(int width, int height) {
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
    TRect client = ClientRect();
    TRect tiles = Rect(client.Left - Left(), client.Top - Top(), client.Right, client.Bottom);
    DrawBackground(Canvas(), client, tiles);
}

// ---- Toolbars

namespace {

struct TMargins {
    int AcrossStart;
    int AcrossEnd;
    int AlongStart;
    int AlongEnd;
};

TMargins MarginsFor(int orientation, bool dragHandle) {
    if (orientation == 0)
        return TMargins{2, 1, 4, 4};
    return TMargins{2, 2, dragHandle ? 11 : 2, 2};
}

} // namespace

struct TQmToolbar::TControlGroup {
    int Width = 0;
    int Height = 0;
    std::vector<TControl*> Controls;
};

TQmToolbar::TQmToolbar(TComponent* AOwner)
    : TCustomControl(FormOwner(AOwner, "TQmToolbar must be owned by a form")) {
    ++FLayoutLock;
    TControlStyle style = ControlStyle();
    style << csAcceptsControls << csClickEvents << csSetCaption << csDoubleClicks;
    style >> csCaptureMouse >> csOpaque;
    SetControlStyle(style);
    FRowSize = TRowSizeInfo{8, 8, 12, 12};
    SetColor(clBtnFace);
    --FLayoutLock;
    Rearrange();
}

TQmToolbar::~TQmToolbar() {
    ++FLayoutLock;
    if (TQmDock* dock = DockedTo())
        dock->InsertRemoveBar(false, this, false);
}

TQmDock* TQmToolbar::DockedTo() const {
    return dynamic_cast<TQmDock*>(Parent());
}

void TQmToolbar::SetDefaultDock(TQmDock* value) {
    if (!Change(FDefaultDock, value))
        return;
    if (value)
        value->FreeNotification(this);
}

void TQmToolbar::SetDockRow(int value) {
    if (!Change(FDockRow, value))
        return;
    if (TQmDock* dock = DockedTo())
        dock->ArrangeToolbars();
}

void TQmToolbar::SetDockPos(int value) {
    if (!Change(FDockPos, value))
        return;
    if (TQmDock* dock = DockedTo())
        dock->ArrangeToolbars();
}

void TQmToolbar::SetTrueBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    SetBounds(ALeft, ATop, AWidth, AHeight);
}

// A docked toolbar's change of size makes its dock arrange its rows again.
void TQmToolbar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (TQmDock* dock = DockedTo())
        dock->ArrangeToolbars();
}

namespace {

// Holds a toolbar's layout back for a scope, however it ends.
class TLayoutLock {
public:
    explicit TLayoutLock(int& count) : FCount(count) { ++FCount; }
    ~TLayoutLock() { --FCount; }
    TLayoutLock(const TLayoutLock&) = delete;
    TLayoutLock& operator=(const TLayoutLock&) = delete;

private:
    int& FCount;
};

// Unlocks a dock at the end of a scope, however it ends.
struct TDockUpdate {
    TQmDock* Dock;
    explicit TDockUpdate(TQmDock* dock) : Dock(dock) {
        if (Dock)
            Dock->BeginUpdate();
    }
    ~TDockUpdate() {
        if (Dock)
            Dock->EndUpdate();
    }
    TDockUpdate(const TDockUpdate&) = delete;
    TDockUpdate& operator=(const TDockUpdate&) = delete;
};

} // namespace

void TQmToolbar::SetDockedTo(TQmDock* value) {
    TQmDock* old = DockedTo();
    const bool changing = value != old;
    if (changing && OnDockChanging)
        OnDockChanging(this);
    {
        TDockUpdate lock(value);
        // Hidden while it moves, so it is not seen half-way.
        const bool hiding = changing && Visible();
        if (hiding) {
            ++FHidingCount;
            TDockUpdate oldLock(old);
            SetVisible(false);
        }
        if (Parent())
            ArrangeControls(true, false, 0, value);
        if (Parent() != value) {
            TLayoutLock lock(FLayoutLock);
            SetParent(value);
        }
        Rearrange();
        if (hiding) {
            SetVisible(true);
            --FHidingCount;
        }
    }
    if (value)
        value->ArrangeToolbars();
    if (changing && OnDockChanged)
        OnDockChanged(this);
}

// A toolbar put straight on its form is not docked; without a floating window it has no parent.
void TQmToolbar::SetParent(TWinControl* value) {
    if (value == Owner())
        value = nullptr;
    if (value && !dynamic_cast<TQmDock*>(value))
        throw EInvalidOperation(
            "TQmToolbar can only be placed on a TQmDock or directly on the form");
    if (value == Parent())
        return;
    const bool destroying = IsDestroying();
    if (!destroying && OnRecreating)
        OnRecreating(this);
    if (TQmDock* old = DockedTo())
        old->InsertRemoveBar(false, this, false);
    TCustomControl::SetParent(value);
    if (TQmDock* dock = DockedTo())
        dock->InsertRemoveBar(true, this, Visible() || FHidingCount > 0);
    if (!destroying && OnRecreated)
        OnRecreated(this);
}

void TQmToolbar::Loaded() {
    TCustomControl::Loaded();
    SortOrderByPosition();
    Rearrange();
}

void TQmToolbar::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FDefaultDock)
        FDefaultDock = nullptr;
}

void TQmToolbar::AlignControls(TControl* /*AControl*/, TRect& /*Rect*/) {
    Rearrange();
}

void TQmToolbar::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case CM_VISIBLECHANGED:
        if (TQmDock* dock = DockedTo(); dock && FHidingCount == 0)
            dock->InsertRemoveBar(Visible(), this, Visible());
        TCustomControl::WndProc(Message);
        return;
    case CM_CONTROLLISTCHANGE: {
        TCustomControl::WndProc(Message);
        auto* control = reinterpret_cast<TControl*>(Message.WParam);
        std::erase(FOrder, control);
        if (Message.LParam != 0)
            FOrder.push_back(control);
        Rearrange();
        return;
    }
    case WM_MOVE:
        TCustomControl::WndProc(Message);
        if (TQmDock* dock = DockedTo(); dock && !dock->Background().Empty())
            Invalidate();
        return;
    default:
        TCustomControl::WndProc(Message);
        return;
    }
}

// The order of the controls as a form resource placed them; from then on only the list counts.
void TQmToolbar::SortOrderByPosition() {
    const bool vertical = DockOrientation(DockedTo()) == 2;
    std::stable_sort(FOrder.begin(), FOrder.end(), [vertical](TControl* a, TControl* b) {
        return vertical ? a->Top() < b->Top() : a->Left() < b->Left();
    });
}

std::vector<TQmToolbar::TControlGroup> TQmToolbar::BuildGroups() const {
    std::vector<TControl*> controls;
    for (TControl* control : FOrder)
        if (control->Visible() && control->Parent() == this)
            controls.push_back(control);
    std::vector<TControlGroup> groups;
    bool startGroup = true;
    for (TControl* control : controls) {
        if (startGroup)
            groups.emplace_back();
        TControlGroup& group = groups.back();
        group.Controls.push_back(control);
        startGroup = dynamic_cast<TQmToolbarSep*>(control) != nullptr;
        if (!startGroup) {
            group.Width += control->Width();
            group.Height += control->Height();
        }
    }
    return groups;
}

bool TQmToolbar::LayoutSkipped() const {
    if (FLayoutLock > 0 || IsLoading() || IsDestroying())
        return true;
    return Parent() && Parent()->IsDestroying();
}

void TQmToolbar::Rearrange() {
    ArrangeControls(true, true, 0, DockedTo());
}

TRowSizeInfo TQmToolbar::MeasureControls() const {
    TRowSizeInfo own{8, 8, 0, 0};
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* control = Controls(i);
        if (!control->Visible() || dynamic_cast<TQmToolbarSep*>(control))
            continue;
        own.LargestHeight = std::max(own.LargestHeight, control->Height());
        own.LargestWidth = std::max(own.LargestWidth, control->Width());
    }
    own.HorzThickness = own.LargestHeight + 4;
    own.VertThickness = own.LargestWidth + 4;
    return own;
}

TSize TQmToolbar::ArrangeControls(bool apply, bool resize, int wrapWidth, TQmDock* dock) {
    if (LayoutSkipped())
        return TSize{ClientWidth(), ClientHeight()};
    const int o = DockOrientation(dock);
    const long long wrap = (o != 0 || wrapWidth == 0) ? LLONG_MAX / 4 : wrapWidth;
    const TMargins m = MarginsFor(o, !dock || dock->AllowDrag());
    TLayoutLock lock(FLayoutLock);
    const TRowSizeInfo own = MeasureControls();
    FRowSize = own;
    TRowSizeInfo sizes = own;
    if (apply && dock && dock == DockedTo()) {
        dock->BuildRowSizes();
        sizes = dock->GetRowSize(FDockRow, this);
    }

    std::vector<TControlGroup> groups = BuildGroups();
    if (apply)
        FLineSeparators.clear();

    long long p = 0;
    long long extent = 0;
    long long a = m.AcrossStart;
    long long thickness = o == 2 ? sizes.LargestWidth : sizes.LargestHeight;
    bool fitted = true;
    bool first = true;
    TQmToolbarSep* endingSeparator = nullptr;
    long long extentBeforeSeparator = 0;
    for (const TControlGroup& group : groups) {
        const long long length = o == 2 ? group.Height : group.Width;
        bool newLine = true;
        if (o != 0 || fitted) {
            if (first)
                p += m.AlongStart;
            if (p + length + m.AlongEnd <= wrap) {
                extent = std::max(extent, p);
                newLine = false;
            }
        }
        if (newLine) {
            p = m.AlongStart;
            extent = std::max(extent, p);
            if (!first) {
                a += thickness + 6;
                if (endingSeparator) {
                    extent = extentBeforeSeparator;
                    if (apply) {
                        endingSeparator->SetBounds(endingSeparator->Left(), endingSeparator->Top(),
                                                   0, endingSeparator->Height());
                        FLineSeparators.push_back(
                            TLineSeparator{ClampToInt(a), endingSeparator->Blank()});
                    }
                }
            }
        }
        first = false;
        fitted = true;
        long long extentBeforeControl = extent;
        for (TControl* control : group.Controls) {
            auto* separator = dynamic_cast<TQmToolbarSep*>(control);
            int along;
            if (separator)
                along = o == 2 ? separator->SizeVert() : separator->SizeHorz();
            else
                along = o == 2 ? control->Height() : control->Width();
            if (!separator && p + along + m.AlongEnd > wrap) {
                p = m.AlongStart;
                extent = std::max(extent, p);
                a += own.LargestHeight;
                fitted = false;
            }
            if (apply) {
                const int pi = ClampToInt(p);
                const int ai = ClampToInt(a);
                if (o != 2 && separator)
                    control->SetBounds(pi, ai, along, sizes.LargestHeight);
                else if (o != 2)
                    control->SetBounds(pi, ai + (sizes.LargestHeight - control->Height()) / 2,
                                       control->Width(), control->Height());
                else if (separator)
                    control->SetBounds(ai, pi, sizes.LargestWidth, along);
                else
                    control->SetBounds(ai + (sizes.LargestWidth - control->Width()) / 2, pi,
                                       control->Width(), control->Height());
            }
            extentBeforeControl = extent;
            p += along;
            extent = std::max(extent, p);
        }
        endingSeparator = dynamic_cast<TQmToolbarSep*>(group.Controls.back());
        extentBeforeSeparator = extentBeforeControl;
    }
    if (groups.empty()) {
        if (o != 0) {
            extent = m.AlongStart + 8;
            a = m.AcrossStart;
            thickness = o == 2 ? sizes.LargestWidth : sizes.LargestHeight;
        } else {
            extent = 4 + 8;
            a = 2;
            thickness = 8;
        }
    }

    long long along = extent + m.AlongEnd;
    long long across = a + thickness + m.AcrossEnd;
    if (o != 0)
        across = std::max<long long>(across, o == 2 ? sizes.VertThickness : sizes.HorzThickness);
    TSize client = o == 2 ? TSize{ClampToInt(across), ClampToInt(along)}
                          : TSize{ClampToInt(along), ClampToInt(across)};
    if (resize && (client.cx != ClientWidth() || client.cy != ClientHeight()))
        SetTrueBounds(Left(), Top(), client.cx + Width() - ClientWidth(),
                      client.cy + Height() - ClientHeight());
    return client;
}

void TQmToolbar::Paint() {
    TQmDock* dock = DockedTo();
    if (!dock)
        return;
    TCanvas& canvas = Canvas();
    TRect client = ClientRect();
    TRect edge = client;
    DrawEdge(canvas, edge, BDR_RAISEDINNER, BF_RECT);
    TRect inner = Rect(client.Left + 1, client.Top + 1, client.Right - 1, client.Bottom - 1);
    TRect tiles = Rect(client.Left - dock->Left() - Left(), client.Top - dock->Top() - Top(),
                       inner.Right, inner.Bottom);
    dock->DrawBackground(canvas, inner, tiles);
    if (dock->AllowDrag())
        PaintDragHandle();
}

void TQmToolbar::PaintDragHandle() {
    TCanvas& canvas = Canvas();
    const int w = Width();
    const int h = Height();
    const bool vertical = DockOrientation(DockedTo()) == 2;
    TRect bars[2] = {vertical ? Rect(2, 4, w - 2, 7) : Rect(4, 2, 7, h - 2),
                     vertical ? Rect(2, 7, w - 2, 10) : Rect(7, 2, 10, h - 2)};
    for (TRect& bar : bars)
        DrawEdge(canvas, bar, BDR_RAISEDINNER, BF_RECT | BF_MIDDLE);
    if (vertical) {
        canvas.SetPixels(w - 3, 4, clBtnHighlight);
        canvas.SetPixels(w - 3, 7, clBtnHighlight);
    } else {
        canvas.SetPixels(4, h - 3, clBtnHighlight);
        canvas.SetPixels(7, h - 3, clBtnHighlight);
    }
}

TQmToolbar* ToolbarOfControl(TControl* control) {
    for (TWinControl* parent = control ? control->Parent() : nullptr; parent;
         parent = parent->Parent())
        if (auto* toolbar = dynamic_cast<TQmToolbar*>(parent))
            return toolbar;
    return nullptr;
}

// ---- Glyph lists and the glyph cache

TGlyphList::TGlyphList(int width, int height) : TImageList(width, height) {}

int TGlyphList::AllocateIndex() {
    auto free = std::find(FUsed.begin(), FUsed.end(), false);
    int index = static_cast<int>(free - FUsed.begin());
    if (free == FUsed.end()) {
        AddEmpty();
        FUsed.push_back(false);
    }
    FUsed[index] = true;
    return index;
}

int TGlyphList::AddImage(const TBitmap& image, const TBitmap& mask) {
    int index = AllocateIndex();
    try {
        Replace(index, image, &mask);
    } catch (...) {
        FUsed[index] = false;
        throw;
    }
    ++FUsedCount;
    return index;
}

int TGlyphList::AddMaskedImage(const TBitmap& image, TColor maskColor) {
    int index = AllocateIndex();
    try {
        ReplaceMasked(index, image, maskColor);
    } catch (...) {
        FUsed[index] = false;
        throw;
    }
    ++FUsedCount;
    return index;
}

void TGlyphList::DeleteImage(int index) {
    if (index < 0 || index >= static_cast<int>(FUsed.size()) || !FUsed[index])
        return;
    FUsed[index] = false;
    --FUsedCount;
}

TGlyphList* TGlyphCache::ListOfSize(int width, int height) {
    for (auto list = FLists.rbegin(); list != FLists.rend(); ++list)
        if ((*list)->Width() == width && (*list)->Height() == height)
            return list->get();
    FLists.push_back(std::make_unique<TGlyphList>(width, height));
    return FLists.back().get();
}

void TGlyphCache::ReturnList(TGlyphList* list) {
    if (!list || list->UsedCount() > 0)
        return;
    std::erase_if(FLists,
                  [list](const std::unique_ptr<TGlyphList>& held) { return held.get() == list; });
}

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
    TRect raised = Rect(bounds.Left + 1, bounds.Top + 1, bounds.Right + 1, bounds.Bottom + 1);
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

// ---- Toolbar buttons

namespace {

// The button the pointer is over, watched by the hover timer, and the hook that takes its
// highlight off when the application loses the user's attention.
struct THoverState {
    TQmToolbarButton* Button = nullptr;
    std::unique_ptr<TTimer> Timer;
    int Hook = 0;
};

THoverState& Hover() {
    static THoverState state;
    return state;
}

} // namespace

TQmToolbarButton* TQmToolbarButton::HoverButton() {
    return Hover().Button;
}

TTimer* TQmToolbarButton::HoverTimer() {
    THoverState& hover = Hover();
    if (!hover.Timer) {
        hover.Timer = std::make_unique<TTimer>(nullptr);
        hover.Timer->SetEnabled(false);
        hover.Timer->SetInterval(125);
        hover.Timer->OnTimer = [](TObject*) { HoverTimerTick(); };
        hover.Hook = HookMainWindow(ButtonAppHook);
    }
    return hover.Timer.get();
}

void TQmToolbarButton::HoverTimerTick() {
    TQmToolbarButton* button = Hover().Button;
    if (!button)
        return;
    TPoint cursor;
    GetCursorPos(&cursor);
    if (FindDragTarget(cursor, true) != button)
        button->MouseExited();
}

bool TQmToolbarButton::ButtonAppHook(TMessage& Message) {
    if (Message.Msg == CM_DEACTIVATE && Hover().Button)
        Hover().Button->MouseExited();
    return false;
}

TQmToolbarButton::TQmToolbarButton(TComponent* AOwner)
    : TGraphicControl(AOwner), FGlyph(std::make_unique<TButtonGlyph>()) {
    HoverTimer();
    SetBounds(Left(), Top(), 23, 22);
    SetControlStyle(TControlStyle{csCaptureMouse, csDoubleClicks, csOpaque});
    SetColor(clBtnFace);
    FGlyph->OnChange = [this](TObject*) { Redraw(); };
}

TQmToolbarButton::~TQmToolbarButton() {
    if (Hover().Button == this) {
        HoverTimer()->SetEnabled(false);
        Hover().Button = nullptr;
    }
}

void TQmToolbarButton::Redraw() {
    Invalidate();
}

void TQmToolbarButton::NotifyGroup() {
    if (FGroupIndex == 0 || !Parent())
        return;
    TMessage message{CM_BUTTONPRESSED, static_cast<WPARAM>(FGroupIndex),
                     reinterpret_cast<LPARAM>(this), 0};
    Parent()->Broadcast(message);
}

bool TQmToolbarButton::UnderPointer(const TPoint& screenPoint) const {
    return FindDragTarget(screenPoint, true) == this;
}

void TQmToolbarButton::CheckMouseOver() {
    if (!Enabled())
        return;
    TPoint cursor;
    GetCursorPos(&cursor);
    if (UnderPointer(cursor)) {
        FMouseInside = false;
        MouseEntered();
    } else {
        FMouseInside = true;
        MouseExited();
    }
}

void TQmToolbarButton::MouseEntered() {
    if (!Enabled() || FMouseInside)
        return;
    FMouseInside = true;
    if (FState == bsUp)
        FState = bsHot;
    Redraw();
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TQmToolbarButton::MouseExited() {
    if (!Enabled() || !FMouseInside || FTracking)
        return;
    if (FState == bsHot || (FState == bsDown && !FInClick))
        FState = bsUp;
    FMouseInside = false;
    Redraw();
    if (Hover().Button == this) {
        HoverTimer()->SetEnabled(false);
        Hover().Button = nullptr;
    }
    if (OnMouseExit)
        OnMouseExit(this);
}

int TQmToolbarButton::MainPartWidth() const {
    return ClientWidth() - (HasComboArrow() ? 11 : 0);
}

void TQmToolbarButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (!Enabled())
        return;
    if (Button != mbLeft) {
        MouseEntered();
        return;
    }
    if (!FMouseInside) {
        FMouseInside = true;
        if (OnMouseEnter)
            OnMouseEnter(this);
    }
    FDropdownPartPressed = FDropdownMenu && (!FDropdownCombo || X >= Width() - 11);
    if (!FDown) {
        FState = bsDown;
        Redraw();
    } else if (FAllowAllUp) {
        Redraw();
    }
    try {
        if (FDropdownPartPressed)
            Click();
        else
            FTracking = true;
    } catch (...) {
        FDropdownPartPressed = false;
        throw;
    }
    FDropdownPartPressed = false;
}

void TQmToolbarButton::MouseMove(TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseMove(Shift, X, Y);
    THoverState& hover = Hover();
    if (UnderPointer(ClientToScreen(Point(X, Y))) && hover.Button != this) {
        if (hover.Button)
            hover.Button->MouseExited();
        TForm* active = Screen ? Screen->ActiveForm() : nullptr;
        if (Application && Application->Active() && (!active || active == GetParentForm(this))) {
            hover.Button = this;
            HoverTimer()->SetEnabled(true);
            MouseEntered();
        }
    }
    if (!FTracking)
        return;
    TToolbarButtonState state;
    if (FDown)
        state = bsExclusive;
    else if (X >= 0 && X < MainPartWidth() && Y >= 0 && Y < ClientHeight())
        state = bsDown;
    else
        state = bsUp;
    if (state != FState) {
        FState = state;
        Redraw();
    }
}

void TQmToolbarButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbRight && Enabled()) {
        FTracking = false;
        MouseExited();
    }
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft || !FTracking)
        return;
    FTracking = false;
    const bool inside = X >= 0 && X < MainPartWidth() && Y >= 0 && Y < ClientHeight();
    if (FGroupIndex != 0) {
        if (inside)
            SetDown(!FDown);
        else if (FDown)
            FState = bsExclusive;
    }
    if (inside)
        Click();
    else
        CheckMouseOver();
}

void TQmToolbarButton::Click() {
    FInClick = true;
    if (FState == bsUp || FState == bsHot) {
        FState = bsDown;
        Redraw();
    }
    try {
        MouseExited();
        if (!FDropdownMenu || (FDropdownCombo && !FDropdownPartPressed))
            TGraphicControl::Click();
        else
            ShowDropdownMenu();
    } catch (...) {
        EndClick();
        throw;
    }
    EndClick();
}

void TQmToolbarButton::EndClick() {
    FInClick = false;
    if (FState == bsDown)
        FState = bsUp;
    if (IsDestroying())
        return;
    Redraw();
    CheckMouseOver();
}

// The menu opens below the button, or beside it, away from the edge, in a side dock.
void TQmToolbarButton::ShowDropdownMenu() {
    SetMouseCapture(false);
    TPopupMenu* menu = FDropdownMenu;
    const TPopupAlignment alignment = menu->Alignment();
    menu->SetAlignment(paLeft);
    TPoint at = Point(0, Height());
    TQmToolbar* toolbar = ToolbarOfControl(this);
    TQmDock* dock = toolbar ? toolbar->DockedTo() : nullptr;
    if (dock && dock->Vertical()) {
        if (dock->Position() == dpLeft) {
            at = Point(Width(), 0);
        } else {
            at = Point(0, 0);
            menu->SetAlignment(paRight);
        }
    }
    at = ClientToScreen(at);
    menu->SetPopupComponent(this);
    try {
        menu->Popup(at.x, at.y);
    } catch (...) {
        menu->SetAlignment(alignment);
        throw;
    }
    menu->SetAlignment(alignment);
}

void TQmToolbarButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TGraphicControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    RequestToolbarLayout(*this);
}

void TQmToolbarButton::Loaded() {
    TGraphicControl::Loaded();
    PrepareStateImage();
}

void TQmToolbarButton::PrepareStateImage() {
    FGlyph->GetStateImage(Enabled() ? bsUp : bsDisabled);
}

void TQmToolbarButton::Notification(TComponent* AComponent, TOperation Operation) {
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FDropdownMenu)
        FDropdownMenu = nullptr;
}

void TQmToolbarButton::ButtonPressed(TMessage& Message) {
    auto* sender = reinterpret_cast<TQmToolbarButton*>(Message.LParam);
    if (static_cast<int>(Message.WParam) != FGroupIndex || !sender || sender == this)
        return;
    if (sender->FDown && FDown) {
        FDown = false;
        FState = bsUp;
        Redraw();
    }
    FAllowAllUp = sender->FAllowAllUp;
}

void TQmToolbarButton::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_LBUTTONDBLCLK:
        TGraphicControl::WndProc(Message);
        if (FDown && OnDblClick)
            OnDblClick(this);
        return;
    case CM_DIALOGCHAR:
        if (IsAccel(static_cast<WORD>(Message.WParam), Caption()) && Enabled() && Visible()) {
            Click();
            Message.Result = 1;
            return;
        }
        break;
    case CM_BUTTONPRESSED:
        ButtonPressed(Message);
        return;
    default:
        break;
    }
    TGraphicControl::WndProc(Message);
    switch (Message.Msg) {
    case CM_ENABLEDCHANGED:
        PrepareStateImage();
        CheckMouseOver();
        Redraw();
        break;
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED:
        Redraw();
        break;
    case CM_MOUSELEAVE:
        MouseExited();
        break;
    case CM_SYSCOLORCHANGE:
        FGlyph->ReleaseImages();
        PrepareStateImage();
        break;
    case CM_VISIBLECHANGED:
        RequestToolbarLayout(*this);
        break;
    default:
        break;
    }
}

void TQmToolbarButton::DrawFrames(TCanvas& canvas, TRect& content) {
    const bool pushed = FState == bsDown || FState == bsExclusive;
    const bool combo = HasComboArrow();
    const int w = Width();
    TRect main = Rect(0, 0, combo ? w - 11 : w, Height());
    if (!FFlat || pushed || (FMouseInside && FState != bsDisabled)) {
        auto frame = [this, &canvas](TRect rect, bool pressed) {
            if (FFlat)
                DrawEdge(canvas, rect, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
            else
                DrawEdge(canvas, rect, pressed ? EDGE_SUNKEN : EDGE_RAISED,
                         BF_RECT | BF_SOFT | BF_MIDDLE);
        };
        if (combo)
            frame(Rect(w - 11, 0, w - 2, Height()), pushed && FDropdownPartPressed);
        frame(main, pushed && !(combo && FDropdownPartPressed));
    }
    const int inset = FFlat ? 1 : 2;
    content = Rect(main.Left + inset, main.Top + inset, main.Right - inset, main.Bottom - inset);
}

void TQmToolbarButton::Paint() {
    const bool buffered = FOpaque || !FFlat;
    TBitmap buffer;
    TCanvas* canvas = &Canvas();
    if (buffered) {
        buffer.SetSize(Width(), Height());
        canvas = &buffer.Canvas();
        FillWith(*canvas, Rect(0, 0, Width(), Height()), Color());
    }
    canvas->Font().Assign(Font());

    if (!Enabled()) {
        FState = bsDisabled;
        FTracking = false;
    } else if (FState == bsDisabled) {
        FState = FDown && FGroupIndex != 0 ? bsExclusive : bsUp;
    }

    TRect content;
    DrawFrames(*canvas, content);
    const bool pushed = FState == bsDown || FState == bsExclusive;
    const bool arrowPressed = HasComboArrow() && FDropdownPartPressed;
    TPoint offset = pushed && !arrowPressed ? Point(1, 1) : Point(0, 0);
    if (FState == bsExclusive && (!FFlat || !FMouseInside))
        for (int y = content.Top; y < content.Bottom; ++y)
            for (int x = content.Left; x < content.Right; ++x)
                canvas->SetPixels(x, y, (x + y) % 2 == 0 ? clBtnFace : clBtnHighlight);

    TButtonContent what;
    what.Caption = Caption();
    what.Layout = FLayout;
    what.Margin = FMargin;
    what.Spacing = FSpacing;
    what.State = FState;
    what.Transparent = true;
    what.DrawArrow = FDropdownArrow && !FDropdownCombo && FDropdownMenu;
    what.DrawGlyph = FDisplayMode != dmTextOnly;
    what.DrawText = FDisplayMode != dmGlyphOnly;
    what.WordWrap = FWordWrap;
    FGlyph->Draw(*canvas, content, offset, what);
    if (HasComboArrow())
        FGlyph->DrawArrow(*canvas, Width() - 13, FState, Height() / 2 - 1);

    if (buffered)
        Canvas().Draw(0, 0, buffer);
}

void TQmToolbarButton::SetAllowAllUp(bool value) {
    if (Change(FAllowAllUp, value))
        NotifyGroup();
}

void TQmToolbarButton::SetGroupIndex(int value) {
    if (Change(FGroupIndex, value))
        NotifyGroup();
}

void TQmToolbarButton::SetDown(bool value) {
    if (FGroupIndex == 0)
        value = false;
    if (value == FDown || (FDown && !FAllowAllUp))
        return;
    FDown = value;
    FState = value ? bsExclusive : bsUp;
    Redraw();
    if (value)
        NotifyGroup();
}

void TQmToolbarButton::SetDisplayMode(TButtonDisplayMode value) {
    if (Change(FDisplayMode, value))
        Redraw();
}

void TQmToolbarButton::SetDropdownArrow(bool value) {
    if (Change(FDropdownArrow, value))
        Redraw();
}

void TQmToolbarButton::SetDropdownCombo(bool value) {
    if (!Change(FDropdownCombo, value))
        return;
    if (IsLoading())
        return;
    if (value)
        SetWidth(Width() + 11);
    else
        SetWidth(Width() < 12 ? 1 : Width() - 11);
}

void TQmToolbarButton::SetDropdownMenu(TPopupMenu* value) {
    if (!Change(FDropdownMenu, value))
        return;
    if (value)
        value->FreeNotification(this);
    if (FDropdownArrow)
        Redraw();
}

void TQmToolbarButton::SetFlat(bool value) {
    if (Change(FFlat, value))
        SetOpaqueStyle();
}

void TQmToolbarButton::SetOpaque(bool value) {
    if (Change(FOpaque, value))
        SetOpaqueStyle();
}

void TQmToolbarButton::SetOpaqueStyle() {
    TControlStyle style = ControlStyle();
    if (FOpaque || !FFlat)
        style << csOpaque;
    else
        style >> csOpaque;
    SetControlStyle(style);
    Redraw();
}

void TQmToolbarButton::SetLayout(TButtonLayout value) {
    if (Change(FLayout, value))
        Redraw();
}

void TQmToolbarButton::SetMargin(int value) {
    if (value == FMargin || value < -1)
        return;
    FMargin = value;
    Redraw();
}

void TQmToolbarButton::SetNumGlyphs(int value) {
    FGlyph->SetNumGlyphs(std::clamp(value, 0, 5));
}

void TQmToolbarButton::SetOldDisabledStyle(bool value) {
    FGlyph->SetOldDisabledStyle(value);
    Redraw();
}

void TQmToolbarButton::SetSpacing(int value) {
    if (Change(FSpacing, value))
        Redraw();
}

void TQmToolbarButton::SetWordWrap(bool value) {
    if (Change(FWordWrap, value))
        Redraw();
}

// ---- Separators

TQmToolbarSep::TQmToolbarSep(TComponent* AOwner) : TGraphicControl(AOwner) {
    TControlStyle style = ControlStyle();
    style >> csCaptureMouse >> csOpaque;
    SetControlStyle(style);
}

void TQmToolbarSep::SetParent(TWinControl* value) {
    if (value && !dynamic_cast<TQmToolbar*>(value))
        throw EInvalidOperation("TQmToolbarSep can only be placed on a TQmToolbar");
    TGraphicControl::SetParent(value);
}

void TQmToolbarSep::SetBlank(bool value) {
    if (Change(FBlank, value))
        Invalidate();
}

void TQmToolbarSep::SetSizeHorz(int value) {
    value = std::max(1, value);
    if (Change(FSizeHorz, value))
        RequestToolbarLayout(*this);
}

void TQmToolbarSep::SetSizeVert(int value) {
    value = std::max(1, value);
    if (Change(FSizeVert, value))
        RequestToolbarLayout(*this);
}

// A press on a separator is a press on the toolbar, which can then be dragged by it.
void TQmToolbarSep::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (auto* toolbar = dynamic_cast<TQmToolbar*>(Parent()))
        toolbar->MouseDown(Button, Shift, X + Left(), Y + Top());
}

void TQmToolbarSep::WndProc(TMessage& Message) {
    TGraphicControl::WndProc(Message);
    if (Message.Msg == CM_VISIBLECHANGED)
        RequestToolbarLayout(*this);
}

void TQmToolbarSep::Paint() {
    auto* toolbar = dynamic_cast<TQmToolbar*>(Parent());
    if (!toolbar || FBlank)
        return;
    TCanvas& canvas = Canvas();
    if (DockOrientation(toolbar->DockedTo()) == 2) {
        const int y = Height() / 2;
        DrawLine(canvas, clBtnShadow, 0, y - 1, Width(), y - 1);
        DrawLine(canvas, clBtnHighlight, 0, y, Width(), y);
    } else {
        const int x = Width() / 2;
        DrawLine(canvas, clBtnShadow, x - 1, 0, x - 1, Height());
        DrawLine(canvas, clBtnHighlight, x, 0, x, Height());
    }
}
