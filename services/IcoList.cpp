#include "services/IcoList.h"

#include <algorithm>

namespace {

uint32_t ReadDWord(TStream& stream) {
    uint8_t bytes[4];
    stream.ReadBuffer(bytes, 4);
    return static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
           (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

void WriteDWord(TStream& stream, uint32_t value) {
    const uint8_t bytes[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                              static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
    stream.WriteBuffer(bytes, 4);
}

} // namespace

TIconList::~TIconList() {
    for (auto& icon : FIcons)
        if (icon)
            icon->OnChange = nullptr;
}

TIcon* TIconList::IconAt(int index) const {
    return FIcons.at(static_cast<size_t>(index)).get();
}

void TIconList::Watch(TIcon* icon) {
    if (icon)
        icon->OnChange = [this](TObject*) { NotifyChange(); };
}

int TIconList::AddIcon(std::unique_ptr<TIcon> icon) {
    Watch(icon.get());
    FIcons.push_back(std::move(icon));
    NotifyChange();
    return IconCount() - 1;
}

int TIconList::AddCopy(const TIcon& icon) {
    auto copy = std::make_unique<TIcon>();
    copy->Assign(icon);
    return AddIcon(std::move(copy));
}

void TIconList::InsertIcon(int index, std::unique_ptr<TIcon> icon) {
    Watch(icon.get());
    FIcons.insert(FIcons.begin() + std::clamp(index, 0, IconCount()), std::move(icon));
    NotifyChange();
}

void TIconList::InsertCopy(int index, const TIcon& icon) {
    auto copy = std::make_unique<TIcon>();
    copy->Assign(icon);
    InsertIcon(index, std::move(copy));
}

int TIconList::AddFromResource(HINSTANCE module, const String& name) {
    auto icon = std::make_unique<TIcon>();
    icon->LoadFromResourceName(module, name);
    return AddIcon(std::move(icon));
}

void TIconList::InsertFromResource(int index, HINSTANCE module, const String& name) {
    auto icon = std::make_unique<TIcon>();
    icon->LoadFromResourceName(module, name);
    InsertIcon(index, std::move(icon));
}

void TIconList::SetIconAt(int index, const TIcon& icon) {
    LockUpdates();
    if (index == IconCount())
        AddIcon(nullptr);
    auto& entry = FIcons.at(static_cast<size_t>(index));
    if (!entry) {
        entry = std::make_unique<TIcon>();
        Watch(entry.get());
    }
    entry->Assign(icon);
    NotifyChange();
    UnlockUpdates();
}

void TIconList::DeleteIcon(int index) {
    auto& entry = FIcons.at(static_cast<size_t>(index));
    if (entry)
        entry->OnChange = nullptr;
    FIcons.erase(FIcons.begin() + index);
    NotifyChange();
}

void TIconList::SwapIcons(int index1, int index2) {
    std::swap(FIcons.at(static_cast<size_t>(index1)), FIcons.at(static_cast<size_t>(index2)));
    NotifyChange();
}

void TIconList::MoveIcon(int from, int to) {
    auto icon = std::move(FIcons.at(static_cast<size_t>(from)));
    FIcons.erase(FIcons.begin() + from);
    FIcons.insert(FIcons.begin() + std::clamp(to, 0, IconCount()), std::move(icon));
    NotifyChange();
}

int TIconList::FindIcon(const TIcon* icon) const {
    for (int i = 0; i < IconCount(); ++i)
        if (FIcons[static_cast<size_t>(i)].get() == icon)
            return i;
    return -1;
}

void TIconList::ClearIcons() {
    LockUpdates();
    for (int i = IconCount() - 1; i >= 0; --i)
        DeleteIcon(i);
    UnlockUpdates();
}

void TIconList::LockUpdates() {
    ++FLockCount;
}

void TIconList::UnlockUpdates() {
    if (FLockCount > 0 && --FLockCount == 0)
        UpdateStateChanged();
}

void TIconList::UpdateStateChanged() {
    NotifyChange();
}

void TIconList::NotifyChange() {
    if (FLockCount == 0 && ChangeHandler)
        ChangeHandler(this);
}

void TIconList::Assign(const TIconList* source) {
    if (source == this)
        return;
    LockUpdates();
    ClearIcons();
    if (source)
        for (const auto& icon : source->FIcons) {
            if (icon)
                AddCopy(*icon);
            else
                AddIcon(nullptr);
        }
    UnlockUpdates();
}

void TIconList::Assign(const TIcon& source) {
    LockUpdates();
    ClearIcons();
    AddCopy(source);
    UnlockUpdates();
}

// Every entry needs at least its 4-byte size: a count the stream cannot hold is refused before
// any entry is made.
void TIconList::ReadIcons(TStream& stream) {
    LockUpdates();
    try {
        ClearIcons();
        const uint32_t count = ReadDWord(stream);
        if (count > (stream.Size() - stream.Position()) / 4)
            throw EReadError("Stream read error");
        for (uint32_t i = 0; i < count; ++i) {
            const auto size = static_cast<int32_t>(ReadDWord(stream));
            if (size <= 0) {
                AddIcon(nullptr);
                continue;
            }
            auto icon = std::make_unique<TIcon>();
            icon->LoadFromStream(stream, size);
            AddIcon(std::move(icon));
        }
    } catch (...) {
        UnlockUpdates();
        throw;
    }
    UnlockUpdates();
}

void TIconList::WriteIcons(TStream& stream) const {
    WriteDWord(stream, static_cast<uint32_t>(FIcons.size()));
    for (const auto& icon : FIcons) {
        if (!icon || icon->Empty()) {
            WriteDWord(stream, 0);
            continue;
        }
        WriteDWord(stream, static_cast<uint32_t>(icon->Data().size()));
        icon->SaveToStream(stream);
    }
}

void TIconList::DefineProperties(TFiler& filer, const TIconList* ancestor) {
    bool differs = !ancestor || ancestor->IconCount() != IconCount();
    for (int i = 0; !differs && i < IconCount(); ++i)
        differs = ancestor->IconAt(i) != IconAt(i);
    filer.DefineBinaryProperty(
        "Icons", [this](TStream& stream) { ReadIcons(stream); },
        [this](TStream& stream) { WriteIcons(stream); }, IconCount() > 0 && differs);
}
