#pragma once
// Recent-items menus: a list of recently used paths, newest first and cut at a maximum, shown as
// numbered items of a menu and kept in the current user's registry.
//
// The registry holds the list in the key AutoSaveName + "\" + AutoSaveKey as strings "F0",
// "F1"... newest first, and the list is saved whole, so the values stand in the order they were
// written; loading takes them in that order and leaves out empty ones.

#include "platform/Component.h"
#include "platform/Menus.h"

#include <cstdint>
#include <functional>

using TMRUClick = std::function<void(TObject* Sender, const String& FileName)>;

// An item the list put in the menu: an entry (numbered from 1), or the separator or submenu
// item that comes with them (number 0).
class TMRUMenuItem : public TMenuItem {
public:
    explicit TMRUMenuItem(TComponent* AOwner) : TMenuItem(AOwner) {}
    int EntryNumber() const { return FEntryNumber; }
    void SetEntryNumber(int value) { FEntryNumber = value; }

private:
    int FEntryNumber = 0;
};

class TMRUFileList : public TComponent {
public:
    explicit TMRUFileList(TComponent* AOwner);
    // Saves the list when AutoSave is on; a registry that cannot be written is reported.
    ~TMRUFileList() override;

    // A smaller maximum drops the entries beyond it.
    uint8_t Maximum() const { return FMaximum; }
    void SetMaximum(uint8_t value);
    // On: a clicked entry leaves the list.
    bool RemoveOnClick() const { return FRemoveOnClick; }
    void SetRemoveOnClick(bool value) { FRemoveOnClick = value; }
    // On: the entries go into a submenu captioned SubmenuName.
    bool UseSubmenu() const { return FUseSubmenu; }
    void SetUseSubmenu(bool value);
    const String& SubmenuName() const { return FSubmenuName; }
    void SetSubmenuName(const String& value);
    // The entries are appended to this item's items when it has any of its own, else they stand
    // directly above it in its parent.
    TMenuItem* FileMenu() const { return FFileMenu; }
    void SetFileMenu(TMenuItem* value);
    // On: the list is loaded once its form is loaded and saved when it is freed.
    bool AutoSave() const { return FAutoSave; }
    void SetAutoSave(bool value) { FAutoSave = value; }
    // The registry key, from the current user's root.
    const String& AutoSaveName() const { return FAutoSaveName; }
    void SetAutoSaveName(const String& value) { FAutoSaveName = value; }
    const String& AutoSaveKey() const { return FAutoSaveKey; }
    void SetAutoSaveKey(const String& value) { FAutoSaveKey = value; }

    // The entries, newest first.
    const TStringList& Items() const { return FItems; }
    // Moves a path that is in the list (compared without regard to case) to the top, or puts a
    // new one there and drops the oldest beyond Maximum; then rebuilds the menu.
    void AddToTop(const String& path);
    // Replaces the menu items by items for the entries: a separator, then "&1 path"...
    virtual void RebuildMenu();
    // False when AutoSaveName or AutoSaveKey is empty; registry failures raise.
    bool LoadFromRegistry();
    bool SaveToRegistry();

    // A click on an entry, with the clicked item as sender and the entry's path.
    TMRUClick OnMRUItemClick;

protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    bool AutoSaving() const;
    void RemoveMenuItems();
    void EntryClick(TMRUMenuItem& item);
    TMRUMenuItem* NewMenuItem(const String& caption, int entryNumber);
    void TrimToMaximum();

    TStringList FItems;
    uint8_t FMaximum = 5;
    bool FRemoveOnClick = true;
    bool FUseSubmenu = false;
    String FSubmenuName = "Reopen";
    TMenuItem* FFileMenu = nullptr;
    TMRUMenuItem* FClickedItem = nullptr; // its click is being handled
    TMRUMenuItem* FRetiredItem = nullptr; // clicked, then taken out of the menu
    bool FAutoSave = true;
    String FAutoSaveName = "\\Software\\My Application";
    String FAutoSaveKey = "MRU Items";
};
