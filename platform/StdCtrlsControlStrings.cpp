#include "platform/StdCtrls.h"
#include "platform/StdPeers.h"

#include <algorithm>
#include <vector>

void TControlStrings::CheckIndex(int index, int upper) const {
    if (index < 0 || index > upper)
        throw EStringListError("List index out of bounds (" + IntToStr(index) + ")");
}

int TControlStrings::Count() const {
    return static_cast<int>(FTexts.size());
}

String TControlStrings::Get(int index) const {
    CheckIndex(index, Count() - 1);
    return FTexts[static_cast<size_t>(index)];
}

int TControlStrings::IndexOf(const String& s) const {
    const bool caseSensitive = CompareCaseSensitive();
    const auto found = std::find_if(FTexts.begin(), FTexts.end(), [&](const String& text) {
        return caseSensitive ? text == s : SameText(text, s);
    });
    return found == FTexts.end() ? -1 : static_cast<int>(found - FTexts.begin());
}

int TControlStrings::IndexOfExactly(const String& s) const {
    const auto found = std::find(FTexts.begin(), FTexts.end(), s);
    return found == FTexts.end() ? -1 : static_cast<int>(found - FTexts.begin());
}

void TControlStrings::Put(int index, const String& s) {
    CheckIndex(index, Count() - 1);
    FItems.SetItemText(index, s);
    FTexts[static_cast<size_t>(index)] = s;
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
    while (low < count && CompareText(FTexts[static_cast<size_t>(low)], s) <= 0)
        ++low;
    return low;
}

int TControlStrings::Add(const String& s) {
    int index = FSorted ? SortedPosition(s) : Count();
    Insert(index, s);
    return index;
}

void TControlStrings::Insert(int index, const String& s) {
    CheckIndex(index, Count());
    FItems.InsertItem(index, s);
    FTexts.insert(FTexts.begin() + index, s);
}

void TControlStrings::Delete(int index) {
    CheckIndex(index, Count() - 1);
    FItems.DeleteItem(index);
    FTexts.erase(FTexts.begin() + index);
}

void TControlStrings::Clear() {
    FItems.ClearItems();
    FTexts.clear();
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
