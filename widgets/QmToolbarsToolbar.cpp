#include "widgets/QmToolbars.h"
#include "widgets/QmToolbarsPrivate.h"

#include "platform/Forms.h"
#include "platform/SysUtils.h"
#include "platform/ToolWindow.h"
#include "platform/Win32Draw.h"

#include <algorithm>
#include <climits>

using QmToolbars::ClampToInt;
using QmToolbars::FormOwner;

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
    FAppHook = HookMainWindow([this](TMessage& Message) {
        if (Message.Msg == CM_ACTIVATE || Message.Msg == CM_DEACTIVATE)
            ShowHideFloatingToolbars(Owner(), Message.Msg == CM_ACTIVATE);
        return false;
    });
    --FLayoutLock;
    Rearrange();
}

TQmToolbar::~TQmToolbar() {
    UnhookMainWindow(FAppHook);
    FDrag.reset();
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
        if (value)
            MoveIntoDock(value);
        else
            MoveToFloat();
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

// The children are laid out for the dock before the toolbar shows there.
void TQmToolbar::MoveIntoDock(TQmDock* dock) {
    if (Parent() || FFloating)
        ArrangeControls(true, false, FFloatingWrapWidth, dock);
    if (Parent() != dock) {
        TLayoutLock lock(FLayoutLock);
        SetParent(dock);
    }
}

// A toolbar that never floated starts at the top-left corner of the screen, as large as it was.
void TQmToolbar::MoveToFloat() {
    if (IsRectEmpty(FFloatingRect)) {
        const TRect grown = GrowRectByFloatingFrame(GetTrueBounds());
        FFloatingRect = Moved(grown, -grown.Left, -grown.Top);
    }
    if (!FFloating) {
        TLayoutLock lock(FLayoutLock);
        SetParent(nullptr);
        StartFloating();
    }
    ArrangeControls(true, false, FFloatingWrapWidth, nullptr);
    SetTrueBoundsRect(FFloatingRect);
}

// A toolbar put straight on its form floats; none leaves it without a window.
void TQmToolbar::SetParent(TWinControl* value) {
    const bool toForm = value && value == Owner();
    if (toForm)
        value = nullptr;
    if (value && !dynamic_cast<TQmDock*>(value))
        throw EInvalidOperation(
            "TQmToolbar can only be placed on a TQmDock or directly on the form");
    if (value == Parent() && !toForm)
        return;
    const bool destroying = IsDestroying();
    if (!destroying && OnRecreating)
        OnRecreating(this);
    if (TQmDock* old = DockedTo())
        old->InsertRemoveBar(false, this, false);
    FFloating = false;
    FHidden = false;
    TCustomControl::SetParent(value);
    if (TQmDock* dock = DockedTo())
        dock->InsertRemoveBar(true, this, Visible() || FHidingCount > 0);
    if (toForm)
        StartFloating();
    if (!destroying && OnRecreated)
        OnRecreated(this);
}

// The order comes from the places before the control's own loading arranges the children.
void TQmToolbar::Loaded() {
    SortOrderByPosition();
    TCustomControl::Loaded();
    if (FFloating)
        FloatAtFormPlace();
    Rearrange();
    ShowHideFloatingToolbars(Owner(), Application->Active());
}

// A toolbar that the form put straight on itself floats where it lay on the form, in full view.
void TQmToolbar::FloatAtFormPlace() {
    const TPoint screen = dynamic_cast<TControl*>(Owner())->ClientToScreen(TPoint{Left(), Top()});
    SetTrueBounds(screen.x, screen.y, Width(), Height());
    MoveOnScreen(false);
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
    case CM_TEXTCHANGED:
        TCustomControl::WndProc(Message);
        if (FFloating)
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
    ArrangeControls(true, true, FFloatingWrapWidth, DockedTo());
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
    const TPoint origin = dock ? TPoint{0, 0} : ClientOffset();
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
                const int pi = ClampToInt(p + (o == 2 ? origin.y : origin.x));
                const int ai = ClampToInt(a + (o == 2 ? origin.x : origin.y));
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
    if (FFloating)
        PaintFloatingFrame();
    if (!dock)
        return;
    TCanvas& canvas = Canvas();
    TRect client = ClientRect();
    TRect edge = client;
    DrawEdge(canvas, edge, BDR_RAISEDINNER, BF_RECT);
    TRect inner = Inset(client, 1);
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
