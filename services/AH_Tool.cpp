#include "services/AH_Tool.h"
#include "platform/Clipbrd.h"

#include <algorithm>
#include <memory>
#include <vector>

TObjectList::~TObjectList() {
    for (int i = Count() - 1; i >= 0; --i)
        Delete(i);
}

void TObjectList::Delete(int index) {
    TObject* object = Items(index);
    TList::Delete(index);
    delete object;
}

int TObjectList::Remove(TObject* object) {
    int index = IndexOf(object);
    if (index >= 0)
        Delete(index);
    return index;
}

// ---- The show-hint multicast

namespace {

// A holder as an entry of the owning list; the application's own handler, found when the
// multicast starts, is kept as it was given.
class TMethodEntry : public TObject {
public:
    explicit TMethodEntry(const TMethod& method) : Method(method) {}
    explicit TMethodEntry(TShowHintEvent original) : Original(std::move(original)) {}
    void Call(String& hint, bool& canShow, THintInfo& info) const {
        if (Method.Code)
            Method.Code(Method.Data, hint, canShow, info);
        else if (Original)
            Original(hint, canShow, info);
    }
    TMethod Method;
    TShowHintEvent Original;
};

struct TMulticast {
    TObjectList Entries;
    bool Started = false;
};

TMulticast& Multicast() {
    static TMulticast multicast;
    return multicast;
}

TMethodEntry& EntryAt(int index) {
    return *static_cast<TMethodEntry*>(Multicast().Entries.Items(index));
}

void Dispatch(String& hint, bool& canShow, THintInfo& info) {
    for (int i = Multicast().Entries.Count() - 1; i >= 0; --i)
        EntryAt(i).Call(hint, canShow, info);
}

void StartMulticast() {
    TMulticast& multicast = Multicast();
    if (multicast.Started)
        return;
    multicast.Started = true;
    if (Application->OnShowHint)
        multicast.Entries.Add(new TMethodEntry(Application->OnShowHint));
}

} // namespace

void AddShowHintHandler(const TMethod& handler) {
    if (!Application)
        return;
    StartMulticast();
    Multicast().Entries.Add(new TMethodEntry(handler));
    Application->OnShowHint = Dispatch;
}

void RemoveShowHintHandler(const TMethod& handler) {
    TObjectList& entries = Multicast().Entries;
    for (int i = entries.Count() - 1; i >= 0; --i)
        if (EntryAt(i).Method.Code && EntryAt(i).Method == handler)
            entries.Delete(i);
}

void EndShowHintMulticast() {
    TMulticast& multicast = Multicast();
    if (Application && multicast.Started) {
        if (multicast.Entries.Count() > 0)
            Application->OnShowHint = EntryAt(0).Original;
        else
            Application->OnShowHint = nullptr;
    }
    while (multicast.Entries.Count() > 0)
        multicast.Entries.Delete(multicast.Entries.Count() - 1);
    multicast.Started = false;
}

// ---- Streams and the clipboard

namespace {

constexpr int ChunkSize = 32768;

} // namespace

void CopyStreamToClipboard(TStream& stream, UINT format) {
    stream.SetPosition(0);
    int64_t size = stream.Size();
    std::vector<char> block(static_cast<size_t>(size) + 1, '\0');
    int64_t filled = 0;
    while (filled < size) {
        int chunk = static_cast<int>(std::min<int64_t>(ChunkSize, size - filled));
        int read = stream.Read(block.data() + filled, chunk);
        if (read <= 0)
            break;
        filled += read;
    }
    SetClipboardData(format, String(block.data(), block.size()));
}

void PasteClipboardToStream(TStream& stream, UINT format) {
    stream.SetPosition(0);
    String block;
    if (!GetClipboardData(format, block) || block.empty())
        return;
    // A text block ends at its first zero byte; what follows is no part of it.
    size_t length = std::min(block.size() - 1, block.find('\0'));
    for (size_t done = 0; done < length;) {
        int chunk = static_cast<int>(std::min<size_t>(ChunkSize, length - done));
        stream.WriteBuffer(block.data() + done, chunk);
        done += chunk;
    }
}

void WriteString(TStream& stream, const String& text) {
    if (!text.empty())
        stream.WriteBuffer(text.data(), static_cast<int>(text.size()));
}
