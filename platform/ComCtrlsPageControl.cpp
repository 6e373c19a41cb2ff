#include "platform/ComCtrls.h"
#include "platform/StdPeers.h"

#include <QFontMetrics>
#include <QSignalBlocker>
#include <QTabBar>

#include <algorithm>

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

TPageControl::TPageControl(TComponent* AOwner)
    : TWinControl(AOwner, MakePeer<TPageControlPeer>), TPeerOf(Peer()) {
    SetControlStyle(WithoutClickEvents(ControlStyle()));
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
    TypedPeer().SetTabWidth(value);
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
    return TypedPeer().TabAt(X, Y);
}

TRect TPageControl::TabRect(int index) const {
    return TypedPeer().TabRect(index);
}

TRect TPageControl::DisplayRect() const {
    int top = TypedPeer().TabHeight() + 4;
    return Rect(4, top, std::max(4, Width() - 4), std::max(top, Height() - 4));
}

void TPageControl::ShowTabs() {
    std::vector<String> captions;
    for (TTabSheet* page : FPages)
        if (page->TabVisible())
            captions.push_back(page->Caption());
    TypedPeer().ShowTabs(captions, TabIndex());
    Realign();
}

void TPageControl::AlignControls(TControl* AControl, TRect& Rect) {
    TypedPeer().PlaceTabs(Width());
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
