#pragma once
// A list of icons that owns them (an entry may be empty), tells of its changes, and is kept in the
// form stream as the binary property "Icons": a 32-bit count, then per entry a 32-bit size and
// that many bytes of the icon file (size 0 for an empty entry).

#include "platform/Classes.h"
#include "platform/Filer.h"
#include "platform/Graphics.h"

#include <memory>
#include <vector>

class TIconList : public TObject {
public:
    TIconList() = default;
    ~TIconList() override;
    TIconList(const TIconList&) = delete;
    TIconList& operator=(const TIconList&) = delete;

    int IconCount() const { return static_cast<int>(FIcons.size()); }
    // nullptr for an empty entry.
    TIcon* IconAt(int index) const;
    // Takes the icon (or none) as the list's own; the index it got.
    int AddIcon(std::unique_ptr<TIcon> icon);
    int AddCopy(const TIcon& icon);
    void InsertCopy(int index, const TIcon& icon);
    // The program's own icon of that name (an empty one when it has none).
    int AddFromResource(HINSTANCE module, const String& name);
    void InsertFromResource(int index, HINSTANCE module, const String& name);
    // The entry becomes a copy of the icon; an index of the count appends one.
    void SetIconAt(int index, const TIcon& icon);
    void DeleteIcon(int index);
    void SwapIcons(int index1, int index2);
    void MoveIcon(int from, int to);
    // The index of that very icon; -1 when the list does not hold it.
    int FindIcon(const TIcon* icon) const;
    void ClearIcons();

    // Changes made between these are told once, at the last unlock.
    void LockUpdates();
    void UnlockUpdates();
    void NotifyChange();

    // None clears the list; another list is copied entry by entry.
    void Assign(const TIconList* source);
    // The list then holds a copy of the icon alone.
    void Assign(const TIcon& source);

    // Raises EReadError for a stream that holds less than it declares, EInvalidGraphic for an
    // entry that is no icon; the list is then left with the entries read before it.
    void ReadIcons(TStream& stream);
    void WriteIcons(TStream& stream) const;
    // The "Icons" property, written when there are entries that the ancestor's list (if any)
    // does not hold in the same places.
    void DefineProperties(TFiler& filer, const TIconList* ancestor);

    TNotifyEvent ChangeHandler;

private:
    void Watch(TIcon* icon);
    void InsertIcon(int index, std::unique_ptr<TIcon> icon);
    void UpdateStateChanged();

    std::vector<std::unique_ptr<TIcon>> FIcons;
    int FLockCount = 0;
};
