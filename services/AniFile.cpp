#include "services/AniFile.h"

#include "platform/IconFile.h"
#include "platform/Win32Draw.h"
#include "services/IcoList.h"
#include "services/Qmgraph.h"
#include "widgets/Vclutils.h"

#include <algorithm>
#include <cstring>

namespace {

[[noreturn]] void RaiseCursorReadError() {
    throw EReadError("Stream read error");
}

uint32_t DWordAt(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

bool IdIs(const uint8_t* p, const char* id) {
    return std::memcmp(p, id, 4) == 0;
}

uint64_t PadToEven(uint64_t size) {
    return size + (size & 1);
}

int ColoursOfBitCount(int bits) {
    switch (bits) {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

// The chunks of a stretch of bytes, one after another while a header's 8 bytes remain. A chunk
// that claims more bytes than are left is cut short at the end of the stretch only when asked
// (Truncated tells); otherwise it ends the walk.
class TChunkWalk {
public:
    TChunkWalk(const uint8_t* data, size_t size) : FData(data), FSize(size) {}
    bool Next() {
        FPos = std::min<uint64_t>(FNext, FSize);
        if (FSize - FPos < 8)
            return false;
        Header = FData + FPos;
        Size = DWordAt(Header + 4);
        Body = Header + 8;
        Truncated = Size > FSize - FPos - 8;
        FNext = FPos + 8 + PadToEven(Size);
        return true;
    }
    const uint8_t* Header = nullptr;
    const uint8_t* Body = nullptr;
    uint64_t Size = 0;
    bool Truncated = false;

private:
    const uint8_t* FData;
    uint64_t FSize;
    uint64_t FPos = 0;
    uint64_t FNext = 0;
};

// A text chunk's characters up to its first zero byte, at most 255 of them.
String ChunkText(const uint8_t* body, uint64_t size) {
    const auto* text = reinterpret_cast<const char*>(body);
    size_t length = 0;
    while (length < size && length < 255 && text[length] != '\0')
        ++length;
    return String(text, length);
}

} // namespace

void TIconFrame::Assign(const TIconFrame& source) {
    Picture.Assign(source.Picture);
    IsPlainIcon = source.IsPlainIcon;
    ChunkHeader = source.ChunkHeader;
    HotPoint = source.HotPoint;
    IconNumber = source.IconNumber;
    Jiffies = source.Jiffies;
}

void TAnimatedCursorImage::ResetImage() {
    FEntries.clear();
    FName.clear();
    FArtist.clear();
    FHeader = TAniHeader{};
    FMostColours = 0;
}

// The rest of the stream is taken into memory first: no more is ever asked for than it holds.
void TAnimatedCursorImage::LoadFromStream(TStream& stream) {
    const int64_t left = stream.Size() - stream.Position();
    if (left <= 0 || left > INT32_MAX)
        RaiseCursorReadError();
    String bytes(static_cast<size_t>(left), '\0');
    stream.ReadBuffer(bytes.data(), static_cast<int>(left));
    LoadCursorData(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

void TAnimatedCursorImage::SaveToStream(TStream& /*stream*/) const {
    ReportNotImplemented();
}

void TAnimatedCursorImage::ReadCursorFile(const String& fileName) {
    TFileStream stream(fileName, fmOpenRead | fmShareDenyNone);
    try {
        LoadFromStream(stream);
    } catch (...) {
        ResetImage();
        throw;
    }
}

// A chunk that runs past the end of the file is a read error, as reading it would be, except in
// the frame list, whose end it only marks.
void TAnimatedCursorImage::LoadCursorData(const uint8_t* data, size_t size) {
    if (size < 12 || !IdIs(data, "RIFF") || !IdIs(data + 8, "ACON"))
        RaiseCursorReadError();
    ResetImage();
    try {
        size_t rates = 0;
        size_t steps = 0;
        TChunkWalk chunks(data + 12, size - 12);
        while (chunks.Next()) {
            const uint8_t* body = chunks.Body;
            // What of the chunk lies inside the file.
            const uint64_t length =
                std::min<uint64_t>(chunks.Size, size - static_cast<size_t>(body - data));
            const bool frameList = IdIs(chunks.Header, "LIST") && length >= 4 && IdIs(body, "fram");
            if (chunks.Truncated && !frameList)
                RaiseCursorReadError();
            if (IdIs(chunks.Header, "anih")) {
                if (length < 36)
                    RaiseCursorReadError();
                uint32_t* fields[] = {&FHeader.HeaderSize, &FHeader.Frames,      &FHeader.Steps,
                                      &FHeader.Width,      &FHeader.Height,      &FHeader.BitCount,
                                      &FHeader.Planes,     &FHeader.DisplayRate, &FHeader.Flags};
                for (size_t i = 0; i < std::size(fields); ++i)
                    *fields[i] = DWordAt(body + 4 * i);
                if (!(FHeader.Flags & 1) || FHeader.Steps == 0)
                    RaiseCursorReadError();
                // Every frame needs a chunk of its own: a count beyond what the file can hold
                // makes no entries that could only be removed again.
                const uint64_t frames = std::min<uint64_t>(FHeader.Frames, size / 8);
                for (uint64_t i = 0; i < frames; ++i)
                    FEntries.push_back(
                        std::make_unique<TIconFrame>(static_cast<int>(i), FHeader.DisplayRate));
            } else if (IdIs(chunks.Header, "rate") || IdIs(chunks.Header, "seq ")) {
                // Each value goes to the next entry, in the order of the chunks.
                const bool rate = IdIs(chunks.Header, "rate");
                size_t& next = rate ? rates : steps;
                for (uint64_t at = 0; at + 4 <= length && next < FEntries.size(); at += 4) {
                    const uint32_t value = DWordAt(body + at);
                    if (rate)
                        FEntries[next]->Jiffies = value;
                    else
                        FEntries[next]->IconNumber = static_cast<int>(value);
                    ++next;
                }
            } else if (IdIs(chunks.Header, "LIST") && length >= 4) {
                if (frameList)
                    ReadFrameList(body + 4, static_cast<size_t>(length - 4));
                else if (IdIs(body, "INFO"))
                    ReadInfoList(body + 4, static_cast<size_t>(length - 4));
            }
        }
        FEntries.erase(std::remove_if(FEntries.begin(), FEntries.end(),
                                      [](const auto& entry) { return entry->Picture.Empty(); }),
                       FEntries.end());
        FHeader.Steps = static_cast<uint32_t>(FEntries.size());
        if (FEntries.empty())
            RaiseCursorReadError();
    } catch (...) {
        ResetImage();
        throw;
    }
}

void TAnimatedCursorImage::ReadFrameList(const uint8_t* data, size_t size) {
    TChunkWalk chunks(data, size);
    int count = 0;
    while (chunks.Next()) {
        if (chunks.Truncated)
            return;
        if (!IdIs(chunks.Header, "icon"))
            continue;
        TIconFrame read(-1, FHeader.DisplayRate);
        if (!ReadIconChunk(chunks.Header, chunks.Body, static_cast<size_t>(chunks.Size), read))
            return;
        bool given = false;
        for (auto& entry : FEntries)
            if (entry->IconNumber == count) {
                const int number = entry->IconNumber;
                const uint32_t jiffies = entry->Jiffies;
                entry->Assign(read);
                entry->IconNumber = number;
                entry->Jiffies = jiffies;
                given = true;
            }
        if (!given) {
            auto entry = std::make_unique<TIconFrame>(-1, FHeader.DisplayRate);
            entry->Assign(read);
            entry->IconNumber = -1;
            entry->Jiffies = FHeader.DisplayRate;
            FEntries.push_back(std::move(entry));
        }
        ++count;
    }
}

void TAnimatedCursorImage::ReadInfoList(const uint8_t* data, size_t size) {
    TChunkWalk chunks(data, size);
    while (chunks.Next() && !chunks.Truncated) {
        if (IdIs(chunks.Header, "INAM"))
            FName = ChunkText(chunks.Body, chunks.Size);
        else if (IdIs(chunks.Header, "IART"))
            FArtist = ChunkText(chunks.Body, chunks.Size);
    }
}

// A cursor image is handed to the icon as an icon image: only its type word differs.
bool TAnimatedCursorImage::ReadIconChunk(const uint8_t* header, const uint8_t* body, size_t size,
                                         TIconFrame& frame) {
    String bytes(reinterpret_cast<const char*>(body), size);
    auto* image = reinterpret_cast<uint8_t*>(bytes.data());
    try {
        const TIconDirectory directory = ReadIconDirectory(image, size);
        frame.IsPlainIcon = directory.Type == IconResource;
        if (directory.Type == CursorResource)
            image[2] = IconResource;
        for (const TIconDirEntry& entry : directory.Entries) {
            FMostColours =
                std::max(FMostColours, ColoursOfBitCount(ImageBitCount(image, size, entry)));
            frame.HotPoint = TPoint{entry.Planes, entry.BitCount};
        }
        TMemoryStream stream;
        stream.WriteBuffer(bytes.data(), static_cast<int>(size));
        stream.SetPosition(0);
        frame.Picture.LoadFromStream(stream);
    } catch (const EInvalidGraphic&) {
        return false;
    } catch (const EReadError&) {
        return false;
    }
    std::copy(header, header + 8, frame.ChunkHeader.begin());
    if (frame.IsPlainIcon)
        frame.HotPoint = TPoint{frame.Picture.Width() / 2, frame.Picture.Height() / 2};
    return true;
}

void TAnimatedCursorImage::Assign(const TAnimatedCursorImage* source) {
    if (!source) {
        ResetImage();
        return;
    }
    if (source == this)
        return;
    FHeader = source->FHeader;
    FName = source->FName;
    FArtist = source->FArtist;
    FMostColours = source->FMostColours;
    FEntries.clear();
    for (const auto& entry : source->FEntries) {
        auto copy = std::make_unique<TIconFrame>(entry->IconNumber, entry->Jiffies);
        copy->Assign(*entry);
        FEntries.push_back(std::move(copy));
    }
}

void TAnimatedCursorImage::AssignTo(TIcon& icon) const {
    if (!FEntries.empty())
        icon.Assign(FEntries.front()->Picture);
}

void TAnimatedCursorImage::AssignTo(TBitmap& bitmap) const {
    std::unique_ptr<TBitmap> strip = MakeFrameStrip(bitmap.Canvas().Brush().Color(), false, true);
    if (strip)
        bitmap.Assign(*strip);
}

void TAnimatedCursorImage::AssignTo(TIconList& list) const {
    list.LockUpdates();
    list.ClearIcons();
    for (const auto& entry : FEntries)
        list.AddCopy(entry->Picture);
    list.UnlockUpdates();
}

std::unique_ptr<TBitmap> TAnimatedCursorImage::MakeFrameStrip(TColor background, bool stacked,
                                                              bool reduced) const {
    if (FEntries.empty())
        return nullptr;
    const int width = FEntries.front()->Picture.Width();
    const int height = FEntries.front()->Picture.Height();
    const int count = EntryCount();
    auto strip = std::make_unique<TBitmap>();
    strip->SetSize(stacked ? width : width * count, stacked ? height * count : height);
    FillWith(strip->Canvas(), TRect{0, 0, strip->Width(), strip->Height()}, background);
    for (int i = 0; i < count; ++i)
        strip->Canvas().Draw(stacked ? 0 : i * width, stacked ? i * height : 0,
                             FEntries[static_cast<size_t>(i)]->Picture);
    if (reduced)
        ReduceBitmapColours(*strip);
    return strip;
}

// The background and the standard colours need 16 even when the file's images name fewer.
void TAnimatedCursorImage::ReduceBitmapColours(TBitmap& bitmap) const {
    std::unique_ptr<TMemoryStream> stream =
        ConvertBitmapForColours(bitmap, std::max(FMostColours, 16));
    bitmap.LoadFromStream(*stream);
}

HCURSOR TAnimatedCursorImage::CreateCursor() const {
    std::vector<TCursorFrame> frames;
    for (const auto& entry : FEntries)
        frames.push_back(TCursorFrame{&entry->Picture.Picture(), entry->HotPoint, entry->Jiffies});
    return CreateAnimatedCursor(frames);
}
