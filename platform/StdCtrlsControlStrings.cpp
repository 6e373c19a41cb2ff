#include "platform/StdCtrls.h"
#include "platform/StdPeers.h"

#include <algorithm>
#include <vector>

void TControlStrings::CheckIndex(int index, int upper) const {
    if (index < 0 || index > upper)
        throw EStringListError("List index out of bounds (" + IntToStr(index) + ")");
}

int TControlStrings::Count() const {
    return FItems.ItemCount();
}

String TControlStrings::Get(int index) const {
    CheckIndex(index, Count() - 1);
    return FItems.ItemText(index);
}

int TControlStrings::IndexOf(const String& s) const {
    return FItems.FindItem(s, CompareCaseSensitive());
}

int TControlStrings::IndexOfExactly(const String& s) const {
    return FItems.FindItem(s, true);
}

void TControlStrings::Put(int index, const String& s) {
    CheckIndex(index, Count() - 1);
    FItems.SetItemText(index, s);
}

TObject* TControlStrings::GetObject(int index) const {
    CheckIndex(index, Count() - 1);
    return FItems.ItemObject(index);
}

void TControlStrings::PutObject(int index, TObject* object) {
    CheckIndex(index, Count() - 1);
    FItems.SetItemObject(index, object);
}

// Equal texts keep the order they came in.
int TControlStrings::SortedPosition(const String& s) const {
    int count = Count();
    int low = 0;
    while (low < count && CompareText(Get(low), s) <= 0)
        ++low;
    return low;
}

int TControlStrings::Add(const String& s) {
    int index = FSorted ? SortedPosition(s) : Count();
    FItems.InsertItem(index, s);
    return index;
}

void TControlStrings::Insert(int index, const String& s) {
    CheckIndex(index, Count());
    FItems.InsertItem(index, s);
}

void TControlStrings::Delete(int index) {
    CheckIndex(index, Count() - 1);
    FItems.DeleteItem(index);
}

void TControlStrings::Clear() {
    FItems.ClearItems();
}

void TControlStrings::SetSorted(bool value) {
    if (!Change(FSorted, value))
        return;
    if (!value)
        return;
    struct Item {
        String Text;
        TObject* Object;
    };
    std::vector<Item> items;
    for (int i = 0; i < Count(); ++i)
        items.push_back({Get(i), GetObject(i)});
    std::stable_sort(items.begin(), items.end(),
                     [](const Item& a, const Item& b) { return CompareText(a.Text, b.Text) < 0; });
    Clear();
    for (const Item& item : items)
        InsertObject(Count(), item.Text, item.Object);
}
