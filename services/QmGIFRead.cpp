#include "services/QmGIF.h"
#include "services/QmGIFPrivate.h"

#include "platform/SysUtils.h"

#include <algorithm>
#include <cstring>

using namespace QmGIFPrivate;

namespace {

// No frame larger than this is taken for a picture.
constexpr int64_t MaxFramePixels = int64_t(1) << 26;

bool SameText3(const char* a, const char* b) {
    for (int i = 0; i < 3; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != b[i])
            return false;
    return true;
}

} // namespace

// Reads one GIF out of its bytes, never past their end.
struct TGifReader {
    TGIFImage& Image;
    const String& Bytes;
    size_t Pos = 0;
    std::vector<std::unique_ptr<TExtension>> Gathered;

    bool AtEnd() const { return Pos >= Bytes.size(); }
    uint8_t Byte() {
        if (AtEnd())
            RaiseStreamReadError();
        return static_cast<uint8_t>(Bytes[Pos++]);
    }
    int Word() {
        int low = Byte();
        return low | Byte() << 8;
    }
    String Take(size_t count) {
        if (count > Bytes.size() - Pos)
            RaiseStreamReadError();
        Pos += count;
        return Bytes.substr(Pos - count, count);
    }
    std::vector<TColor> ColourTable(int bits) {
        String raw = Take(size_t(3) << bits);
        std::vector<TColor> table;
        for (size_t i = 0; i < raw.size(); i += 3)
            table.push_back(RGB(static_cast<uint8_t>(raw[i]), static_cast<uint8_t>(raw[i + 1]),
                                static_cast<uint8_t>(raw[i + 2])));
        return table;
    }
    // The data sub-blocks up to the zero-length one, each as a line.
    void SubBlocks(TStrings& lines) {
        for (uint8_t length = Byte(); length != 0; length = Byte())
            lines.Add(Take(length));
    }

    void Header() {
        String header = Take(6);
        if (!SameText3(header.data(), "gif"))
            RaiseGifError("Unknown GIF version");
        if (SameText3(header.data() + 3, "87a"))
            Image.FormatVersion = 1;
        else if (SameText3(header.data() + 3, "89a"))
            Image.FormatVersion = 2;
        else
            RaiseGifError("Unknown GIF version");
    }

    void ScreenDescriptor() {
        TGIFData& data = *Image.FData;
        Image.ScreenSize.cx = Word();
        Image.ScreenSize.cy = Word();
        uint8_t flags = Byte();
        size_t background = Byte();
        data.Aspect = Byte();
        data.Bits = (flags & 7) + 1;
        data.ColourResolution = ((flags >> 4) & 7) + 1;
        if (flags & 0x80) {
            data.ColourTable = ColourTable(data.Bits);
            if (background < data.ColourTable.size())
                Image.ScreenBackground = data.ColourTable[background];
        }
    }

    void Extension() {
        uint8_t label = Byte();
        auto extension = std::make_unique<TExtension>();
        switch (label) {
        case 0xF9:
            extension->Kind = ekGraphicControl;
            ReadGraphicControl(*extension);
            Gathered.push_back(std::move(extension));
            break;
        case 0xFE:
            extension->Kind = ekComment;
            SubBlocks(extension->Lines);
            Gathered.push_back(std::move(extension));
            break;
        case 0xFF:
            ApplicationExtension();
            break;
        case 0x01: {
            TStringList dropped;
            SubBlocks(dropped);
            Gathered.clear();
            break;
        }
        default:
            RaiseGifError(Format("Unrecognized extension block: %.2x", label));
        }
    }

    // Kept as its 6 fixed bytes whatever size the file gives its block.
    void ReadGraphicControl(TExtension& extension) {
        TStringList blocks;
        SubBlocks(blocks);
        String body = blocks.Count() > 0 ? blocks[0] : String();
        body.resize(4, '\0');
        extension.Fixed = String(1, '\x04') + body + String(1, '\0');
    }

    void ApplicationExtension() {
        TStringList blocks;
        SubBlocks(blocks);
        if (blocks.Count() < 2)
            return;
        String identifier = blocks[0];
        const String& loop = blocks.Get(1);
        if ((identifier == "NETSCAPE2.0" || identifier == "ANIMEXTS1.0") && loop.size() >= 3 &&
            loop[0] == 1) {
            Image.LoopEnabled = true;
            int count = static_cast<uint8_t>(loop[1]) | static_cast<uint8_t>(loop[2]) << 8;
            Image.LoopCount = static_cast<uint16_t>(std::min(count, 30000));
        }
    }

    // The code-size byte and the sub-blocks, copied undecoded; false when the data ends first.
    bool CopyImageBlock(String& out) {
        size_t start = Pos;
        Byte();
        while (!AtEnd()) {
            size_t length = static_cast<uint8_t>(Bytes[Pos++]);
            if (length == 0) {
                out = Bytes.substr(start, Pos - start);
                return true;
            }
            if (length > Bytes.size() - Pos) {
                Pos = Bytes.size();
                break;
            }
            Pos += length;
        }
        // Cut short: what is there, closed as the data would have been.
        out = Bytes.substr(start, Pos - start) + String(1, '\0');
        return false;
    }

    void ImageBlock() {
        auto frame = std::make_unique<TGIFFrame>(&Image);
        frame->FExtensions = std::move(Gathered);
        Gathered.clear();
        TGIFItem& item = *frame->FItem;
        frame->Position.x = Word();
        frame->Position.y = Word();
        item.Width = Word();
        item.Height = Word();
        item.Flags = Byte();
        if (item.Flags & 0x80) {
            item.Bits = (item.Flags & 7) + 1;
            item.ColourTable = ColourTable(item.Bits);
            frame->OwnColourTable = true;
        } else {
            item.ColourTable = Image.FData->ColourTable;
            item.Bits =
                item.ColourTable.empty() ? 8 : ColorCountToBits(int(item.ColourTable.size()));
        }
        frame->InterlacedRows = (item.Flags & 0x40) != 0;
        bool whole = CopyImageBlock(item.Data);
        if (!whole && !GifLoadDamagedData)
            RaiseStreamReadError();
        frame->Damaged = !whole;
        if (item.Width == 0)
            item.Width = Image.ScreenSize.cx;
        if (item.Height == 0)
            item.Height = Image.ScreenSize.cy;
        int64_t pixels = int64_t(item.Width) * item.Height;
        if (item.Width == 0 || item.Height == 0 || pixels > MaxFramePixels ||
            pixels > MaxPixelsOfData(int64_t(item.Data.size())))
            RaiseGifError("GIF encoded data is corrupt");
        frame->TakeGraphicControlSettings();
        Image.FFrames.push_back(std::move(frame));
        while (!AtEnd() && Bytes[Pos] == '\0')
            ++Pos;
        Image.ReportProgress(psRunning, static_cast<int>(Pos * 100 / Bytes.size()), false, TRect{},
                             "");
    }

    // Comments after the last image are the image's (whose comment the reset emptied).
    void TrailingComments() {
        TStrings& comment = Image.FData->Comment;
        bool first = true;
        for (const auto& extension : Gathered) {
            if (extension->Kind != ekComment)
                continue;
            if (!first)
                comment.Add("\r\n\r\n");
            comment.AddStrings(extension->Lines);
            first = false;
        }
    }

    void Blocks() {
        while (!AtEnd()) {
            uint8_t introducer = Byte();
            if (introducer == '!')
                Extension();
            else if (introducer == ',')
                ImageBlock();
            else if (introducer == ';')
                break;
            else
                RaiseStreamReadError();
        }
        TrailingComments();
    }

    void Read() {
        Header();
        ScreenDescriptor();
        try {
            Blocks();
        } catch (const EReadError&) {
            // Damaged data that may load keeps the frames read so far.
            if (!GifLoadDamagedData || Image.FFrames.empty())
                throw;
            Image.FFrames.back()->Damaged = true;
        }
    }
};

void TGIFImage::LoadGifData(int64_t size, TStream& stream, bool decodeFirstFrame) {
    ResetToEmpty();
    int64_t available = stream.Size() - stream.Position();
    if (size < 0 || size > available)
        RaiseStreamReadError();
    String bytes(static_cast<size_t>(size), '\0');
    stream.ReadBuffer(bytes.data(), static_cast<int>(size));
    ReportProgress(psStarting, 0, false, TRect{}, "");
    try {
        TGifReader reader{*this, bytes, 0, {}};
        reader.Read();
        if (!FFrames.empty()) {
            CurrentFrame = 0;
            if (decodeFirstFrame) {
                try {
                    FFrames[0]->DecodedBitmap();
                } catch (...) {
                    FFrames.erase(FFrames.begin());
                    CurrentFrame = FFrames.empty() ? -1 : 0;
                    throw;
                }
            }
        }
    } catch (const Exception& error) {
        ReportProgress(psEnding, 100, false, TRect{}, error.Message());
        throw;
    }
    ReportProgress(psEnding, 100, true, TRect{}, "");
    Changed();
}
