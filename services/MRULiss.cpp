#include "services/MRULiss.h"

#include "platform/Forms.h"
#include "platform/Registry.h"

namespace {

void ShowFailure(const Exception& error) {
    if (Application)
        Application->ShowException(error);
}

} // namespace

TMRUFileList::TMRUFileList(TComponent* AOwner) : TComponent(AOwner) {}

TMRUFileList::~TMRUFileList() {
    if (FRetiredItem)
        FRetiredItem->Free();
    if (!AutoSaving())
        return;
    try {
        SaveToRegistry();
    } catch (const Exception& error) {
        ShowFailure(error);
    }
}

bool TMRUFileList::AutoSaving() const {
    return FAutoSave && !ComponentState().Contains(csDesigning);
}

void TMRUFileList::Loaded() {
    TComponent::Loaded();
    if (!AutoSaving())
        return;
    try {
        LoadFromRegistry();
    } catch (const Exception& error) {
        ShowFailure(error);
    }
}

void TMRUFileList::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFileMenu)
        FFileMenu = nullptr;
}

// ---- Properties

void TMRUFileList::SetMaximum(uint8_t value) {
    bool smaller = value < FMaximum;
    FMaximum = value;
    if (!smaller)
        return;
    TrimToMaximum();
    RebuildMenu();
}

void TMRUFileList::SetUseSubmenu(bool value) {
    if (Change(FUseSubmenu, value))
        RebuildMenu();
}

void TMRUFileList::SetSubmenuName(const String& value) {
    if (!Change(FSubmenuName, value))
        return;
    if (FUseSubmenu)
        RebuildMenu();
}

void TMRUFileList::SetFileMenu(TMenuItem* value) {
    RemoveMenuItems();
    if (FFileMenu)
        RemoveFreeNotification(FFileMenu);
    FFileMenu = value;
    if (value)
        FreeNotification(value);
    RebuildMenu();
}

// ---- The list

void TMRUFileList::AddToTop(const String& path) {
    int index = FItems.IndexOf(path);
    if (index >= 0) {
        FItems.Move(index, 0);
    } else {
        FItems.Insert(0, path);
        TrimToMaximum();
    }
    RebuildMenu();
}

void TMRUFileList::TrimToMaximum() {
    while (FItems.Count() > FMaximum)
        FItems.Delete(FItems.Count() - 1);
}

// ---- The menu

// The list owns the items it put in the menu, so it takes out its own and no other list's. An
// item whose click is being handled leaves the menu but lives until its event is over.
void TMRUFileList::RemoveMenuItems() {
    for (int i = ComponentCount() - 1; i >= 0; --i) {
        auto* item = dynamic_cast<TMRUMenuItem*>(Components(i));
        if (!item)
            continue;
        if (item != FClickedItem) {
            item->Free();
            continue;
        }
        if (item->Parent())
            item->Parent()->Remove(item);
        RemoveComponent(item);
        FRetiredItem = item;
    }
}

TMRUMenuItem* TMRUFileList::NewMenuItem(const String& caption, int entryNumber) {
    auto* item = new TMRUMenuItem(this);
    item->SetCaption(caption);
    item->SetEntryNumber(entryNumber);
    if (entryNumber > 0)
        item->OnClick = [this, item](TObject*) { EntryClick(*item); };
    return item;
}

void TMRUFileList::RebuildMenu() {
    RemoveMenuItems();
    if (!FFileMenu || FItems.Count() == 0)
        return;
    TMenuItem* target = FFileMenu;
    int position = FFileMenu->Count();
    if (position == 0) {
        target = FFileMenu->Parent();
        if (!target)
            return;
        position = FFileMenu->MenuIndex();
    }
    target->Insert(position++, NewMenuItem("-", 0));
    if (FUseSubmenu) {
        TMRUMenuItem* submenu = NewMenuItem(FSubmenuName, 0);
        target->Insert(position, submenu);
        target = submenu;
        position = 0;
    }
    for (int i = 0; i < FItems.Count(); ++i)
        target->Insert(position++, NewMenuItem("&" + IntToStr(i + 1) + " " + FItems[i], i + 1));
}

// The handler may rebuild the menu itself (opening the file puts it at the top), so the clicked
// item is kept alive until the next click or the list's end.
void TMRUFileList::EntryClick(TMRUMenuItem& item) {
    int index = item.EntryNumber() - 1;
    if (index < 0 || index >= FItems.Count())
        return;
    if (FRetiredItem) {
        FRetiredItem->Free();
        FRetiredItem = nullptr;
    }
    String path = FItems[index];
    FClickedItem = &item;
    struct TClickEnd {
        TMRUMenuItem*& Clicked;
        ~TClickEnd() { Clicked = nullptr; }
    } clickEnd{FClickedItem};
    if (FRemoveOnClick) {
        FItems.Delete(index);
        RebuildMenu();
    }
    if (OnMRUItemClick)
        OnMRUItemClick(&item, path);
}

// ---- The registry

// The values are taken in the order they were written, whatever their names; an empty one is
// no path and is left out.
bool TMRUFileList::LoadFromRegistry() {
    if (FAutoSaveName.empty() || FAutoSaveKey.empty())
        return false;
    TStringList lines;
    if (TRegistry().KeyExists(FAutoSaveName + "\\" + FAutoSaveKey))
        TRegIniFile(FAutoSaveName).ReadSectionValues(FAutoSaveKey, &lines);
    FItems.Clear();
    for (int i = 0; i < lines.Count(); ++i) {
        const String& line = lines[i];
        size_t equals = line.find('=');
        String path = equals == String::npos ? line : line.substr(equals + 1);
        if (!path.empty())
            FItems.Add(path);
    }
    RebuildMenu();
    return true;
}

bool TMRUFileList::SaveToRegistry() {
    if (FAutoSaveName.empty() || FAutoSaveKey.empty())
        return false;
    TRegIniFile registry(FAutoSaveName);
    registry.EraseSection(FAutoSaveKey);
    for (int i = 0; i < FItems.Count(); ++i)
        registry.WriteString(FAutoSaveKey, "F" + IntToStr(i), FItems[i]);
    return true;
}
