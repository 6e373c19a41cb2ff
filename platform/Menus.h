#pragma once
// Menus: a form's main menu, popup menus, their items, and shortcuts.
//
// A shortcut belongs to the program, not to what is on screen: an item's shortcut works while
// the item, or the menu above it, is hidden. A key pressed in a control goes first to the
// shortcuts of the popup menus of the control and its parents, then of its form's main menu,
// then of the main form's, before the control or its form sees the key (IsMenuKey). Before an
// item runs through its shortcut, the items above it are clicked, from the top, as they are when
// their submenus open, so the handlers that refresh a menu have run.

#include "platform/Controls.h"

#include <memory>
#include <vector>

// A key with the modifiers held: the virtual key in the low byte.
using TShortCut = WORD;
enum : WORD { scNone = 0, scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000 };

TShortCut ShortCut(WORD key, TShiftState shift);
void ShortCutToKey(TShortCut shortCut, WORD& key, TShiftState& shift);
// "Ctrl+O", "Shift+Ctrl+F4", "Ctrl+Alt+\"; empty for none.
String ShortCutToText(TShortCut shortCut);
// The shortcut a text such as "Ctrl+Shift+Tab" names (modifiers in any order, without regard
// to case); 0 when it names none.
TShortCut TextToShortCut(const String& text);

class TMenu;
struct TMenuItemPeer;

class EMenuError : public Exception {
public:
    using Exception::Exception;
};

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* AOwner);
    // Leaves its parent and frees its own items.
    ~TMenuItem() override;

    // "&File": the letter after "&" is the accelerator, "&&" shows "&"; "-" is a separator line.
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& value);
    bool IsLine() const { return FCaption == "-"; }
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut value);
    bool Checked() const { return FChecked; }
    // Checking a radio item unchecks the radio items of the same group among its siblings.
    void SetChecked(bool value);
    void SetRadioItem(bool value);
    void SetGroupIndex(int value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    // The item shown in bold, which a double click would run.
    // Shown through Application's Hint while the pointer rests on the item.
    void SetHint(const String& value) { FHint = value; }
    int HelpContext() const { return FHelpContext; }
    void SetHelpContext(int value) { FHelpContext = value; }

    TMenuItem* Parent() const { return FParent; }
    int Count() const { return static_cast<int>(FItems.size()); }
    TMenuItem* Items(int index) const;
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    // Delete and Remove take an item out without freeing it.
    void Delete(int index);
    void Remove(TMenuItem* item);
    int IndexOf(const TMenuItem* item) const;
    int MenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }
    // The first item whose shortcut this is, searching the items below in order; hidden and
    // disabled items count.
    TMenuItem* FindByShortCut(TShortCut shortCut);

    // Raises OnClick when the item is enabled.
    virtual void Click();
    // F1 on the highlighted item: the help topic of the nearest item, going out through the
    // parents, that has one.
    void ShowHelp();

    TNotifyEvent OnClick;

private:
    friend class TMenu;
    friend struct TMenuItemPeer;
    void CheckIndex(int index, int upper) const;
    void ShowState();
    void UncheckGroup();

    std::unique_ptr<TMenuItemPeer> FPeer;
    TMenuItem* FParent = nullptr;
    TMenu* FMenu = nullptr; // set on the root item of a menu
    std::vector<TMenuItem*> FItems;
    String FCaption;
    TShortCut FShortCut = 0;
    bool FChecked = false;
    bool FRadioItem = false;
    int FGroupIndex = 0;
    bool FVisible = true;
    bool FEnabled = true;
    bool FDefault = false;
    String FHint;
    int FHelpContext = 0;
};

class TMenu : public TComponent {
public:
    explicit TMenu(TComponent* AOwner);
    ~TMenu() override;
    // The invisible root whose items are the menu's.
    TMenuItem* Items() const { return FItems; }
    // Runs the item whose shortcut the key is (see above); true when an item ran.
    bool IsShortCut(WORD key, TShiftState shift);

private:
    TMenuItem* FItems;
};

// A form shows its main menu as its menu bar once the form's Menu is set to it.
class TMainMenu : public TMenu {
public:
    explicit TMainMenu(TComponent* AOwner);
    ~TMainMenu() override;
};

enum TPopupAlignment { paLeft, paRight, paCenter };

class TPopupMenu : public TMenu {
public:
    explicit TPopupMenu(TComponent* AOwner);

    // Raises OnPopup, then shows the menu with its corner at the screen point and returns when
    // it closes; with the test hooks on, the showing is recorded instead.
    virtual void Popup(int X, int Y);
    // The control the menu was last popped up for.
    TComponent* PopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* value);
    // On: a right click on a control whose PopupMenu this is pops it up.
    bool AutoPopup() const { return FAutoPopup; }
    void SetAutoPopup(bool value) { FAutoPopup = value; }
    TPopupAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TPopupAlignment value) { FAlignment = value; }

    TNotifyEvent OnPopup;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TComponent* FPopupComponent = nullptr;
    bool FAutoPopup = true;
    TPopupAlignment FAlignment = paLeft;
};

// Items as a form resource makes them: owned, named, captioned and placed in their menu, at the
// end or at index.
TMenuItem* AddItem(TComponent* owner, TMenuItem* parent, const String& name, const String& caption);
TMenuItem* InsertItem(TComponent* owner, TMenuItem* parent, int index, const String& name,
                      const String& caption);
// A radio item of the group: checking it unchecks the others of the group.
TMenuItem* AddRadioItem(TComponent* owner, TMenuItem* parent, const String& name,
                        const String& caption, int group);
// An item that starts hidden; its shortcut works all the same.
TMenuItem* AddHiddenItem(TComponent* owner, TMenuItem* parent, const String& name,
                         const String& caption);

// For a form, on CM_MENUKEY from a windowed control in it: a key down that runs a menu item.
bool IsMenuKey(TWinControl& control, WORD key, TShiftState shift);
// For a form, on CM_CONTEXTPOPUP from a control in it: WM_CONTEXTMENU pops up the popup menu of
// the control, or of the nearest parent that has one, for that control (at its centre when
// screenPoint holds -1, -1). True when a menu was popped up.
bool PopupContextMenu(TControl& control, LPARAM screenPoint);
