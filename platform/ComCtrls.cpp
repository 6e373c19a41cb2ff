#include "platform/ComCtrls.h"
#include "platform/DateTime.h"
#include "platform/StdPeers.h"

#include <QFontMetrics>
#include <QProgressBar>
#include <QSignalBlocker>
#include <QSizeGrip>
#include <QTabBar>

#include <algorithm>
#include <cstdlib>

// ---- TTabSheet

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {
    SetColor(clBtnFace);
    SetVisible(false);
}

TTabSheet::~TTabSheet() {
    if (FPageControl)
        FPageControl->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* value) {
    if (value == FPageControl)
        return;
    if (FPageControl)
        FPageControl->RemovePage(this);
    SetParent(value);
    if (value)
        value->InsertPage(this);
}

int TTabSheet::PageIndex() const {
    if (!FPageControl)
        return -1;
    const std::vector<TTabSheet*>& pages = FPageControl->FPages;
    return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int value) {
    if (FPageControl)
        FPageControl->MovePage(this, value);
}

void TTabSheet::SetTabVisible(bool value) {
    if (!Change(FTabVisible, value))
        return;
    if (FPageControl)
        FPageControl->TabShownChanged(this);
}

int TTabSheet::TabIndex() const {
    if (!FTabVisible || !FPageControl)
        return -1;
    int index = 0;
    for (TTabSheet* page : FPageControl->FPages) {
        if (page == this)
            return index;
        if (page->FTabVisible)
            ++index;
    }
    return -1;
}

void TTabSheet::WndProc(TMessage& Message) {
    TWinControl::WndProc(Message);
    if (Message.Msg == CM_TEXTCHANGED && FPageControl)
        FPageControl->ShowTabs();
}

// ---- TPageControl

namespace {

// The tabs in a row along the top; the pages are the control's children below them.
class TPageControlPeer : public TControlPeer {
public:
    explicit TPageControlPeer(TControl& control)
        : TControlPeer(control, new QWidget), FBar(new QTabBar(Widget())) {
        Widget()->setAutoFillBackground(true);
        FBar->setFocusPolicy(Qt::NoFocus);
        FBar->setExpanding(false);
        FBar->setUsesScrollButtons(true);
        Watch(FBar);
    }

    void ShowTabs(const std::vector<String>& captions, int current) {
        QSignalBlocker blocker(FBar);
        while (FBar->count() > 0)
            FBar->removeTab(FBar->count() - 1);
        for (const String& caption : captions)
            FBar->addTab(DisplayText(caption));
        if (current >= 0)
            FBar->setCurrentIndex(current);
    }
    void SetTabWidth(int width) {
        FBar->setStyleSheet(width > 0 ? QString("QTabBar::tab { width: %1px; }").arg(width)
                                      : QString());
    }
    int TabHeight() const {
        return std::max(FBar->sizeHint().height(), QFontMetrics(FBar->font()).height() + 8);
    }
    void PlaceTabs(int width) { FBar->setGeometry(0, 0, width, TabHeight()); }
    int TabAt(int x, int y) const { return FBar->tabAt(QPoint(x, y) - FBar->pos()); }
    TRect TabRect(int index) const {
        QRect r = FBar->tabRect(index).translated(FBar->pos());
        return Bounds(r.x(), r.y(), r.width(), r.height());
    }

private:
    QTabBar* FBar;
};

TPageControlPeer& PagesPeer(const TPageControl& control) {
    return static_cast<TPageControlPeer&>(control.Peer());
}

} // namespace

TPageControl::TPageControl(TComponent* AOwner) : TWinControl(AOwner, MakePeer<TPageControlPeer>) {
    SetControlStyle(ControlStyle() - TControlStyle{csClickEvents});
    SetColor(clBtnFace);
    SetBounds(0, 0, 289, 193);
    SetTabStop(true);
}

// The pages outlive it as children being freed; they must not find it then.
TPageControl::~TPageControl() {
    for (TTabSheet* page : FPages)
        page->FPageControl = nullptr;
    FPages.clear();
}

TTabSheet* TPageControl::Pages(int index) const {
    if (index < 0 || index >= PageCount())
        throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    return FPages[index];
}

void TPageControl::InsertPage(TTabSheet* page) {
    FPages.push_back(page);
    page->FPageControl = this;
    if (page->TabVisible() && (!FActivePage || !FActivePage->TabVisible()))
        ChangeActivePage(page);
    ShowTabs();
}

void TPageControl::RemovePage(TTabSheet* page) {
    if (page == FActivePage) {
        TTabSheet* next = FindNextPage(page, true, true);
        ChangeActivePage(next != page ? next : nullptr);
    }
    std::erase(FPages, page);
    page->FPageControl = nullptr;
    ShowTabs();
}

void TPageControl::MovePage(TTabSheet* page, int index) {
    std::erase(FPages, page);
    index = std::clamp(index, 0, PageCount());
    FPages.insert(FPages.begin() + index, page);
    ShowTabs();
}

// A tab that shows while the active page has none takes over; the active page's tab hidden
// hands over to the tab that comes into its place, or the one before when it was the last. With
// no tab left the page stays active.
void TPageControl::TabShownChanged(TTabSheet* page) {
    if (page->TabVisible()) {
        if (!FActivePage || !FActivePage->TabVisible())
            ChangeActivePage(page);
    } else if (page == FActivePage) {
        int place = 0;
        for (TTabSheet* other : FPages) {
            if (other == page)
                break;
            if (other->TabVisible())
                ++place;
        }
        int tabs = static_cast<int>(std::count_if(FPages.begin(), FPages.end(),
                                                  [](TTabSheet* p) { return p->TabVisible(); }));
        if (tabs > 0)
            ChangeActivePage(PageOfTab(std::min(place, tabs - 1)));
    }
    ShowTabs();
}

TTabSheet* TPageControl::PageOfTab(int tabIndex) const {
    if (tabIndex < 0)
        return nullptr;
    for (TTabSheet* page : FPages)
        if (page->TabVisible() && tabIndex-- == 0)
            return page;
    return nullptr;
}

void TPageControl::ChangeActivePage(TTabSheet* page) {
    if (page == FActivePage)
        return;
    TTabSheet* previous = FActivePage;
    FActivePage = page;
    if (page) {
        page->SetBoundsRect(DisplayRect());
        page->SetVisible(true);
        page->BringToFront();
    }
    if (previous)
        previous->SetVisible(false);
}

void TPageControl::SetActivePage(TTabSheet* value) {
    if (value && value->FPageControl != this)
        return;
    ChangeActivePage(value);
    ShowTabs();
}

int TPageControl::ActivePageIndex() const {
    return FActivePage ? FActivePage->PageIndex() : -1;
}

void TPageControl::SetActivePageIndex(int value) {
    SetActivePage(value >= 0 && value < PageCount() ? FPages[value] : nullptr);
}

int TPageControl::TabIndex() const {
    return FActivePage ? FActivePage->TabIndex() : -1;
}

void TPageControl::SetTabIndex(int value) {
    if (TTabSheet* page = PageOfTab(value))
        SetActivePage(page);
}

void TPageControl::SetTabWidth(int value) {
    FTabWidth = value;
    PagesPeer(*this).SetTabWidth(value);
    Realign();
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* current, bool goForward,
                                      bool checkTabVisible) const {
    int count = PageCount();
    if (count == 0)
        return nullptr;
    auto it = std::find(FPages.begin(), FPages.end(), current);
    int start =
        it == FPages.end() ? (goForward ? count - 1 : 0) : static_cast<int>(it - FPages.begin());
    int index = start;
    for (int i = 0; i < count; ++i) {
        index = (index + (goForward ? 1 : count - 1)) % count;
        if (!checkTabVisible || FPages[index]->TabVisible())
            return FPages[index];
    }
    return nullptr;
}

void TPageControl::SelectNextPage(bool goForward) {
    SelectByUser(FindNextPage(FActivePage, goForward, true));
}

void TPageControl::SelectByUser(TTabSheet* page) {
    if (!page || page == FActivePage || !CanChange())
        return;
    ChangeActivePage(page);
    ShowTabs();
    Change();
}

bool TPageControl::CanChange() {
    bool allow = true;
    if (OnChanging)
        OnChanging(this, allow);
    return allow;
}

void TPageControl::Change() {
    if (OnChange)
        OnChange(this);
}

int TPageControl::IndexOfTabAt(int X, int Y) const {
    return PagesPeer(*this).TabAt(X, Y);
}

TRect TPageControl::TabRect(int index) const {
    return PagesPeer(*this).TabRect(index);
}

TRect TPageControl::DisplayRect() const {
    int top = PagesPeer(*this).TabHeight() + 4;
    return Rect(4, top, std::max(4, Width() - 4), std::max(top, Height() - 4));
}

void TPageControl::ShowTabs() {
    std::vector<String> captions;
    for (TTabSheet* page : FPages)
        if (page->TabVisible())
            captions.push_back(page->Caption());
    PagesPeer(*this).ShowTabs(captions, TabIndex());
    Realign();
}

void TPageControl::AlignControls(TControl* AControl, TRect& Rect) {
    PagesPeer(*this).PlaceTabs(Width());
    TRect display = DisplayRect();
    for (TTabSheet* page : FPages)
        page->SetBoundsRect(display);
    TWinControl::AlignControls(AControl, Rect);
}

void TPageControl::DefaultHandler(TMessage& Message) {
    if (Message.Msg == WM_LBUTTONDOWN) {
        int tab = IndexOfTabAt(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
        if (tab >= 0) {
            SelectByUser(PageOfTab(tab));
            return;
        }
    }
    TWinControl::DefaultHandler(Message);
}

// ---- TStatusBar

void TStatusPanel::SetText(const String& value) {
    FText = value;
    FBar.Invalidate();
}

void TStatusPanel::SetWidth(int value) {
    FWidth = value;
    FBar.Invalidate();
}

void TStatusPanel::SetAlignment(TAlignment value) {
    FAlignment = value;
    FBar.Invalidate();
}

void TStatusPanel::SetBevel(TStatusPanelBevel value) {
    FBevel = value;
    FBar.Invalidate();
}

TStatusPanel* TStatusPanels::Items(int index) const {
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    return FItems[index].get();
}

TStatusPanel* TStatusPanels::Add() {
    FItems.push_back(std::make_unique<TStatusPanel>(FBar));
    FBar.Invalidate();
    return FItems.back().get();
}

void TStatusPanels::Delete(int index) {
    Items(index);
    FItems.erase(FItems.begin() + index);
    FBar.Invalidate();
}

void TStatusPanels::Clear() {
    FItems.clear();
    FBar.Invalidate();
}

namespace {

class TStatusBarPeer : public TPaintedPeer {
public:
    explicit TStatusBarPeer(TControl& control)
        : TPaintedPeer(control), FGrip(new QSizeGrip(Widget())) {
        FGrip->hide();
    }
    void ShowGrip(bool shown, const TRect& client) {
        int size = std::min(client.Height(), 16);
        FGrip->setGeometry(client.Right - size, client.Bottom - size, size, size);
        FGrip->setVisible(shown);
    }

private:
    QSizeGrip* FGrip;
};

void DrawPanelText(TCanvas& canvas, const TRect& rect, const String& text, TAlignment alignment) {
    TSize extent = canvas.TextExtent(text);
    int x = alignment == taLeftJustify    ? rect.Left + 2
            : alignment == taRightJustify ? rect.Right - 2 - extent.cx
                                          : rect.Left + (rect.Width() - extent.cx) / 2;
    canvas.Brush().SetStyle(bsClear);
    canvas.TextRect(rect, x, rect.Top + (rect.Height() - extent.cy) / 2, text);
}

} // namespace

TStatusBar::TStatusBar(TComponent* AOwner)
    : TCustomControl(AOwner, MakePeer<TStatusBarPeer>), FPanels(*this) {
    SetColor(clBtnFace);
    SetBounds(0, 0, 185, 19);
    SetAlign(alBottom);
    SetSizeGrip(true);
}

void TStatusBar::SetSimplePanel(bool value) {
    FSimplePanel = value;
    Invalidate();
}

void TStatusBar::SetSimpleText(const String& value) {
    FSimpleText = value;
    Invalidate();
}

void TStatusBar::SetSizeGrip(bool value) {
    FSizeGrip = value;
    static_cast<TStatusBarPeer&>(Peer()).ShowGrip(value, ClientRect());
}

TRect TStatusBar::PanelRect(int index) const {
    FPanels.Items(index);
    int left = 0;
    for (int i = 0; i < index; ++i)
        left += FPanels.Items(i)->Width();
    int right = index == FPanels.Count() - 1 ? ClientWidth() : left + FPanels.Items(index)->Width();
    return Rect(left, 2, std::max(left, right), ClientHeight());
}

void TStatusBar::Paint() {
    static_cast<TStatusBarPeer&>(Peer()).ShowGrip(FSizeGrip, ClientRect());
    TCanvas& canvas = Canvas();
    if (FSimplePanel) {
        DrawPanelText(canvas, Rect(0, 2, ClientWidth(), ClientHeight()), FSimpleText,
                      taLeftJustify);
        return;
    }
    for (int i = 0; i < FPanels.Count(); ++i) {
        const TStatusPanel& panel = *FPanels.Items(i);
        TRect rect = PanelRect(i);
        if (panel.Bevel() == pbLowered)
            Frame3D(canvas, rect, clBtnShadow, clBtnHighlight, 1);
        else if (panel.Bevel() == pbRaised)
            Frame3D(canvas, rect, clBtnHighlight, clBtnShadow, 1);
        DrawPanelText(canvas, rect, panel.Text(), panel.Alignment());
    }
}

// ---- TProgressBar

namespace {

class TProgressBarPeer : public TControlPeer {
public:
    explicit TProgressBarPeer(TControl& control) : TControlPeer(control, new QProgressBar) {
        Bar()->setTextVisible(false);
    }
    QProgressBar* Bar() const { return static_cast<QProgressBar*>(Widget()); }
};

} // namespace

TProgressBar::TProgressBar(TComponent* AOwner) : TWinControl(AOwner, MakePeer<TProgressBarPeer>) {
    SetBounds(0, 0, 150, 16);
    ShowProgress();
}

void TProgressBar::ShowProgress() {
    QProgressBar* bar = static_cast<TProgressBarPeer&>(Peer()).Bar();
    bar->setRange(FMin, std::max(FMin, FMax));
    bar->setValue(FPosition);
}

void TProgressBar::SetMin(int value) {
    FMin = value;
    SetPosition(FPosition);
}

void TProgressBar::SetMax(int value) {
    FMax = value;
    SetPosition(FPosition);
}

void TProgressBar::SetPosition(int value) {
    FPosition = std::clamp(value, FMin, std::max(FMin, FMax));
    ShowProgress();
}

// ---- TUpDown

namespace {

// A number as typed: an optional minus and digits, with thousands separators allowed.
bool ParseTypedNumber(const String& text, int& value) {
    String digits;
    for (char c : Trim(text))
        if (c != ',' && c != FormatSettings.ThousandSeparator)
            digits += c;
    size_t start = !digits.empty() && digits[0] == '-' ? 1 : 0;
    if (digits.size() == start || digits.size() - start > 9)
        return false;
    for (size_t i = start; i < digits.size(); ++i)
        if (digits[i] < '0' || digits[i] > '9')
            return false;
    value = std::atoi(digits.c_str());
    return true;
}

void DrawArrow(TCanvas& canvas, const TRect& box, bool up) {
    int cx = box.Left + box.Width() / 2;
    int cy = box.Top + box.Height() / 2;
    int half = std::max(1, std::min(box.Width(), box.Height()) / 4);
    int tip = up ? cy - half / 2 - 1 : cy + half / 2;
    int base = up ? tip + half : tip - half;
    canvas.Pen().SetColor(clBtnText);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(clBtnText);
    canvas.Polygon({Point(cx, tip), Point(cx - half, base), Point(cx + half, base)});
}

} // namespace

TUpDown::TUpDown(TComponent* AOwner) : TCustomControl(AOwner, MakePeer<TPaintedPeer>) {
    SetControlStyle(ControlStyle() - TControlStyle{csClickEvents});
    SetColor(clBtnFace);
    SetBounds(0, 0, 16, 24);
}

int TUpDown::Position() const {
    int typed = 0;
    if (FAssociate && ParseTypedNumber(FAssociate->Text(), typed) &&
        typed >= std::min(FMin, FMax) && typed <= std::max(FMin, FMax))
        FPosition = typed;
    return FPosition;
}

void TUpDown::SetPosition(int value) {
    FPosition = std::clamp(value, std::min(FMin, FMax), std::max(FMin, FMax));
    if (FAssociate)
        FAssociate->SetText(PositionText(FPosition));
}

String TUpDown::PositionText(int value) const {
    String digits = IntToStr(std::abs(value));
    if (FThousands)
        for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
            digits.insert(at, 1, FormatSettings.ThousandSeparator);
    return value < 0 ? "-" + digits : digits;
}

void TUpDown::SetAssociate(TWinControl* value) {
    FAssociate = value;
    if (!value)
        return;
    FreeNotification(value);
    if (value->Parent()) {
        SetParent(value->Parent());
        SetBounds(value->Left() + value->Width(), value->Top(), Width(), value->Height());
    }
    value->SetText(PositionText(FPosition));
}

void TUpDown::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FAssociate)
        FAssociate = nullptr;
}

void TUpDown::Step(TUDBtnType button) {
    int low = std::min(FMin, FMax);
    int high = std::max(FMin, FMax);
    int next = Position() + (button == btNext ? FIncrement : -FIncrement);
    if (next > high)
        next = FWrap ? low : high;
    else if (next < low)
        next = FWrap ? high : low;
    bool allow = true;
    if (OnChanging)
        OnChanging(this, allow);
    if (!allow)
        return;
    SetPosition(next);
    if (OnClick)
        OnClick(this, button);
}

void TUpDown::DefaultHandler(TMessage& Message) {
    if (Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) {
        Step(GET_Y_LPARAM(Message.LParam) < Height() / 2 ? btNext : btPrev);
        return;
    }
    TCustomControl::DefaultHandler(Message);
}

void TUpDown::Paint() {
    TCanvas& canvas = Canvas();
    int middle = Height() / 2;
    TRect up = Rect(0, 0, Width(), middle);
    TRect down = Rect(0, middle, Width(), Height());
    TRect upArrow = up;
    TRect downArrow = down;
    Frame3D(canvas, up, clBtnHighlight, clBtnShadow, 1);
    Frame3D(canvas, down, clBtnHighlight, clBtnShadow, 1);
    DrawArrow(canvas, upArrow, true);
    DrawArrow(canvas, downArrow, false);
}
