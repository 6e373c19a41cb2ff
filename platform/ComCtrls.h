#pragma once
// The common controls: page controls and their tab sheets, status bars, progress bars and
// up-down buttons.

#include "platform/Controls.h"
#include "platform/PeerOf.h"
#include "platform/StdCtrls.h"

#include <functional>
#include <memory>
#include <vector>

class TPageControl;
class TPageControlPeer;
class TProgressBarPeer;
class TStatusBarPeer;

using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

// One page of a page control. A page whose tab is hidden stays among the pages but shows no tab.
class TTabSheet : public TWinControl {
public:
    explicit TTabSheet(TComponent* AOwner);
    ~TTabSheet() override;

    // Setting it makes the sheet the last page of that page control (and its child).
    void SetPageControl(TPageControl* value);
    int PageIndex() const;
    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool value);
    // The place of its tab among the tabs shown; -1 while the tab is hidden.
    int TabIndex() const;

protected:
    void WndProc(TMessage& Message) override;

private:
    friend class TPageControl;
    TPageControl* FPageControl = nullptr;
    bool FTabVisible = true;
};

// Pages with tabs; the active page shows below the tabs. ActivePage set in code raises no
// event; a tab the user clicks (WM_LBUTTONDOWN on it) asks OnChanging, which may refuse, then
// shows its page and raises OnChange.
class TPageControl : public TWinControl, protected TPeerOf<TPageControlPeer> {
public:
    explicit TPageControl(TComponent* AOwner);
    ~TPageControl() override;

    int PageCount() const { return static_cast<int>(FPages.size()); }
    TTabSheet* Pages(int index) const;
    TTabSheet* ActivePage() const { return FActivePage; }
    void SetActivePage(TTabSheet* value);
    int ActivePageIndex() const;
    void SetActivePageIndex(int value);
    // The active page's place among the tabs shown; -1 when its tab is hidden or there is none.
    int TabIndex() const;
    void SetTabIndex(int value);
    // Several rows of tabs where the framework has them; here one row that scrolls.
    bool MultiLine() const { return FMultiLine; }
    void SetMultiLine(bool value) { FMultiLine = value; }
    int TabWidth() const { return FTabWidth; }
    void SetTabWidth(int value);

    // The page after (or before) current, going round; with checkTabVisible only pages whose
    // tab shows. nullptr when there is none.
    TTabSheet* FindNextPage(TTabSheet* current, bool goForward, bool checkTabVisible) const;
    // As the user's Ctrl+Tab: asks OnChanging, moves to the next page, raises OnChange.
    void SelectNextPage(bool goForward);
    // The tab (among those shown) under a point of the client area, -1 for none; and a tab's
    // rectangle.
    int IndexOfTabAt(int X, int Y) const;
    TRect TabRect(int index) const;
    // Where the pages show.
    TRect DisplayRect() const;

    // A click on a tab switches pages.
    void DefaultHandler(TMessage& Message) override;

    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;

protected:
    void AlignControls(TControl* AControl, TRect& Rect) override;
    virtual bool CanChange();
    virtual void Change();

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void TabShownChanged(TTabSheet* page);
    void ChangeActivePage(TTabSheet* page);
    void SelectByUser(TTabSheet* page);
    TTabSheet* PageOfTab(int tabIndex) const;
    void ShowTabs();

    std::vector<TTabSheet*> FPages;
    TTabSheet* FActivePage = nullptr;
    bool FMultiLine = false;
    int FTabWidth = 0;
};

class TStatusBar;
enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };

class TStatusPanel {
public:
    explicit TStatusPanel(TStatusBar& bar) : FBar(bar) {}
    const String& Text() const { return FText; }
    void SetText(const String& value);
    int Width() const { return FWidth; }
    void SetWidth(int value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    TStatusPanelBevel Bevel() const { return FBevel; }

private:
    TStatusBar& FBar;
    String FText;
    int FWidth = 50;
    TAlignment FAlignment = taLeftJustify;
    TStatusPanelBevel FBevel = pbLowered;
};

class TStatusPanels {
public:
    explicit TStatusPanels(TStatusBar& bar) : FBar(bar) {}
    int Count() const { return static_cast<int>(FItems.size()); }
    TStatusPanel* Items(int index) const;
    TStatusPanel* Add();
    void Delete(int index);

private:
    TStatusBar& FBar;
    std::vector<std::unique_ptr<TStatusPanel>> FItems;
};

// A bar of panels along the bottom of its form. The last panel reaches to the bar's right end.
class TStatusBar : public TCustomControl, protected TPeerOf<TStatusBarPeer> {
public:
    explicit TStatusBar(TComponent* AOwner);

    TStatusPanels& Panels() { return FPanels; }
    // On: the bar shows SimpleText alone instead of its panels.
    void SetSimplePanel(bool value);
    void SetSimpleText(const String& value);
    void SetSizeGrip(bool value);
    // The rectangle a panel takes.
    TRect PanelRect(int index) const;

protected:
    void Paint() override;

private:
    TStatusPanels FPanels;
    bool FSimplePanel = false;
    String FSimpleText;
    bool FSizeGrip = true;
};

class TProgressBar : public TWinControl, protected TPeerOf<TProgressBarPeer> {
public:
    explicit TProgressBar(TComponent* AOwner);
    void SetMin(int value);
    int Max() const { return FMax; }
    void SetMax(int value);
    // Kept within Min and Max.
    int Position() const { return FPosition; }
    void SetPosition(int value);

private:
    void ShowProgress();
    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
};

enum TUDBtnType { btNext, btPrev };
using TUDClickEvent = std::function<void(TObject* Sender, TUDBtnType Button)>;
using TUDChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

// Two arrow buttons that step a number written in an associated control (an edit), placed at
// that control's right edge. A number typed into the control counts as the position when it is
// within Min and Max; other text leaves the position as it was and is never changed by reading.
// Setting Position keeps it within the range and writes it into the control.
class TUpDown : public TCustomControl {
public:
    explicit TUpDown(TComponent* AOwner);

    void SetAssociate(TWinControl* value);
    int Min() const { return FMin; }
    void SetMin(int value) { FMin = value; }
    int Max() const { return FMax; }
    void SetMax(int value) { FMax = value; }
    int Position() const;
    void SetPosition(int value);
    void SetIncrement(int value) { FIncrement = value; }
    // On: stepping past one end goes round to the other.
    void SetWrap(bool value) { FWrap = value; }
    // On: positions of 1000 and more are written with thousands separators.
    void SetThousands(bool value) { FThousands = value; }

    // A press on the upper arrow steps up, on the lower one down: OnChanging may refuse, then
    // the position moves and OnClick tells which arrow.
    void DefaultHandler(TMessage& Message) override;

    // Hides TControl's OnClick: the up-down's tells the arrow.
    TUDClickEvent OnClick;
    TUDChangingEvent OnChanging;

protected:
    void Paint() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void Step(TUDBtnType button);
    String PositionText(int value) const;

    TWinControl* FAssociate = nullptr;
    int FMin = 0;
    int FMax = 100;
    mutable int FPosition = 0;
    int FIncrement = 1;
    bool FWrap = false;
    bool FThousands = true;
};
