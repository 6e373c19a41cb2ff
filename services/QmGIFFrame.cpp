#include "services/QmGIF.h"
#include "services/QmGIFPrivate.h"

#include <algorithm>

using namespace QmGIFPrivate;

namespace {

constexpr TColor FillerGrey = RGB(128, 128, 128);

uint8_t GraphicControlFlags(const TExtension& extension) {
    return static_cast<uint8_t>(extension.Fixed[1]);
}

int DibBitsFor(int frameBits) {
    if (frameBits == 1)
        return 1;
    if (frameBits >= 2 && frameBits <= 4)
        return 4;
    if (frameBits >= 5 && frameBits <= 8)
        return 8;
    RaiseGifError("Wrong number of colors; must be a power of 2");
}

} // namespace

int ColorCountToBits(int count) {
    for (int bits = 1; bits <= 8; ++bits)
        if (count == 1 << bits)
            return bits;
    RaiseGifError("Wrong number of colors; must be a power of 2");
}

int TExtension::FixedSize(TExtensionKind kind) {
    switch (kind) {
    case ekGraphicControl:
        return 6;
    case ekPlainText:
        return 13;
    case ekApplication:
        return 12;
    default:
        return 0;
    }
}

uint8_t TExtension::Label(TExtensionKind kind) {
    static constexpr uint8_t labels[] = {0xF9, 0x01, 0xFF, 0xFE};
    return labels[kind];
}

void TExtension::Assign(const TExtension& source) {
    Kind = source.Kind;
    Fixed = source.Fixed;
    Lines.Assign(source.Lines);
}

TGIFFrame::TGIFFrame(TGIFImage* owner) : FOwner(owner), FItem(std::make_shared<TGIFItem>()) {}

TGIFFrame::~TGIFFrame() = default;

TGIFItem& TGIFFrame::WritableItem() {
    if (FItem.use_count() > 1)
        FItem = std::make_shared<TGIFItem>(*FItem);
    return *FItem;
}

void TGIFFrame::Assign(const TGIFFrame& source) {
    if (&source == this)
        return;
    FItem = source.FItem;
    FExtensions.clear();
    for (const auto& extension : source.FExtensions) {
        FExtensions.push_back(std::make_unique<TExtension>());
        FExtensions.back()->Assign(*extension);
    }
    FBitmap.reset();
    if (source.HasBitmap()) {
        FBitmap = std::make_unique<TBitmap>();
        FBitmap->Assign(*source.FBitmap);
    }
    Position = source.Position;
    InterlacedRows = source.InterlacedRows;
    Damaged = source.Damaged;
    GreyReduction = source.GreyReduction;
    TransparentKey = source.TransparentKey;
    DelayMilliseconds = source.DelayMilliseconds;
    Disposal = source.Disposal;
    OwnColourTable = source.OwnColourTable;
}

void TGIFFrame::Assign(const TGraphic& source) {
    if (auto* image = dynamic_cast<const TGIFImage*>(&source)) {
        image->AssignTo(*this);
        return;
    }
    FItem = std::make_shared<TGIFItem>();
    FBitmap = std::make_unique<TBitmap>();
    if (auto* bitmap = dynamic_cast<const TBitmap*>(&source)) {
        FBitmap->Assign(*bitmap);
        return;
    }
    FBitmap->SetSize(source.Width(), source.Height());
    TCanvas& canvas = FBitmap->Canvas();
    canvas.Brush().SetColor(clFuchsia);
    canvas.FillRect(TRect{0, 0, FBitmap->Width(), FBitmap->Height()});
    canvas.Draw(0, 0, source);
    // The device is true colour: its nearest colour to the brush is the brush's own.
    if (dynamic_cast<const TIcon*>(&source))
        TransparentKey = ColorToRGB(canvas.Brush().Color());
}

void TGIFFrame::AssignTo(TBitmap& target) {
    TBitmap& bitmap = DecodedBitmap();
    if (!bitmap.Empty())
        target.Assign(bitmap);
}

TBitmap& TGIFFrame::DecodedBitmap() {
    if (!FBitmap)
        FBitmap = std::make_unique<TBitmap>();
    if (FBitmap->Empty() && !FItem->Data.empty()) {
        std::unique_ptr<TMemoryStream> stream = DecodeToBmpStream();
        FBitmap->LoadFromStream(*stream);
    }
    return *FBitmap;
}

TStrings& TGIFFrame::CommentLines() {
    for (auto& extension : FExtensions)
        if (extension->Kind == ekComment)
            return extension->Lines;
    FExtensions.push_back(std::make_unique<TExtension>());
    return FExtensions.back()->Lines;
}

TExtension* TGIFFrame::GraphicControl() const {
    for (const auto& extension : FExtensions)
        if (extension->Kind == ekGraphicControl)
            return extension.get();
    return nullptr;
}

// The transparent colour, delay and disposal that the graphic-control extensions give.
void TGIFFrame::TakeGraphicControlSettings() {
    TransparentKey = clNone;
    int delay = 0;
    for (const auto& extension : FExtensions) {
        if (extension->Kind != ekGraphicControl)
            continue;
        const String& fixed = extension->Fixed;
        uint8_t flags = static_cast<uint8_t>(fixed[1]);
        size_t index = static_cast<uint8_t>(fixed[4]);
        if ((flags & 1) && index < FItem->ColourTable.size())
            TransparentKey = FItem->ColourTable[index];
        delay =
            std::max(delay, static_cast<uint8_t>(fixed[2]) | static_cast<uint8_t>(fixed[3]) << 8);
        Disposal = (flags >> 2) & 7;
    }
    // A delay of 6553.5 seconds or more is the longest one that fits.
    DelayMilliseconds = static_cast<uint16_t>(std::min(delay * 10, 0xFFFF));
}

std::unique_ptr<TMemoryStream> TGIFFrame::DecodeToBmpStream() {
    const TGIFItem& item = *FItem;
    TDibImage dib;
    dib.Width = item.Width;
    dib.Height = item.Height;
    dib.BitCount = DibBitsFor(item.Bits);
    dib.Palette = item.ColourTable;
    dib.Palette.resize(size_t(1) << dib.BitCount, FillerGrey);
    bool corrupted = false;
    std::vector<uint8_t> pixels = LzwDecode(item.Data, item.Width, item.Height, item.Bits,
                                            InterlacedRows, GifLoadDamagedData, corrupted);
    Damaged = Damaged || corrupted;
    dib.Bits.assign(size_t(DibRowBytes(dib.Width, dib.BitCount)) * dib.Height, 0);
    for (int y = 0; y < dib.Height; ++y)
        for (int x = 0; x < dib.Width; ++x)
            SetDibIndex(dib, x, dib.Height - 1 - y, pixels[size_t(y) * dib.Width + x]);
    auto stream = std::make_unique<TMemoryStream>();
    WriteDibFile(*stream, dib);
    stream->SetPosition(0);
    return stream;
}

void TGIFFrame::EncodeBitmap() {
    if (!HasBitmap())
        RaiseGifError("No GIF Data to write");
    std::unique_ptr<TMemoryStream> stream;
    int format = PixelFormatOfBitmap(*FBitmap);
    if (format >= 1 && format <= 3) {
        stream = std::make_unique<TMemoryStream>();
        FBitmap->SaveToStream(*stream);
        stream->SetPosition(0);
    } else {
        TColourMapping mapping = GreyReduction ? cmGrey : GifColourMapping;
        GreyReduction = mapping == cmGrey;
        stream = ConvertBitmapToFormat(*FBitmap, 3, mapping);
    }
    EncodeFromBmpStream(*stream);
}

void TGIFFrame::EncodeFromBmpStream(TStream& stream) {
    TDibImage dib = ReadDibFile(stream);
    if (dib.BitCount != 1 && dib.BitCount != 4 && dib.BitCount != 8)
        RaiseGifError("GIF image encoding error");
    std::vector<TColor> table = dib.Palette;
    table.resize(size_t(1) << dib.BitCount, FillerGrey);
    TGIFItem& item = WritableItem();
    item.Width = dib.Width;
    item.Height = dib.Height;
    item.Bits = BitsForCount(table.size());
    item.ColourTable = table;
    TGIFData& data = FOwner->WritableData();
    OwnColourTable = !data.ColourTable.empty();
    if (!OwnColourTable) {
        data.ColourTable = table;
        data.Bits = item.Bits;
    }
    FOwner->ScreenSize.cx = std::max<int>(FOwner->ScreenSize.cx, Position.x + item.Width);
    FOwner->ScreenSize.cy = std::max<int>(FOwner->ScreenSize.cy, Position.y + item.Height);
    std::vector<uint8_t> pixels(size_t(dib.Width) * dib.Height);
    for (int y = 0; y < dib.Height; ++y)
        for (int x = 0; x < dib.Width; ++x)
            pixels[size_t(y) * dib.Width + x] =
                static_cast<uint8_t>(DibIndexAt(dib, x, dib.Height - 1 - y));
    item.Data = LzwEncode(pixels, item.Width, item.Height, item.Bits, InterlacedRows);
    item.Flags = static_cast<uint8_t>((OwnColourTable ? 0x80 + item.Bits - 1 : 0) |
                                      (InterlacedRows ? 0x40 : 0));
    UpdateExtensions();
}

void TGIFFrame::UpdateExtensions() {
    TExtension* control = GraphicControl();
    if (!control && (DelayMilliseconds != 0 || TransparentKey != clNone || Disposal != 0)) {
        FExtensions.push_back(std::make_unique<TExtension>());
        control = FExtensions.back().get();
        control->Kind = ekGraphicControl;
        control->Fixed = String("\x04\0\0\0\0\0", 6);
    }
    if (control) {
        String& fixed = control->Fixed;
        int delay = DelayMilliseconds / 10;
        fixed[2] = static_cast<char>(delay & 0xFF);
        fixed[3] = static_cast<char>(delay >> 8);
        uint8_t flags = GraphicControlFlags(*control) & ~1 & ~(7 << 2);
        const auto& table = FItem->ColourTable;
        auto found = std::find(table.begin(), table.end(), TransparentKey);
        if (TransparentKey != clNone && found != table.end()) {
            flags |= 1;
            fixed[4] = static_cast<char>(found - table.begin());
        }
        fixed[1] = static_cast<char>(flags | (Disposal & 7) << 2);
    }
    std::erase_if(FExtensions, [](const auto& extension) {
        return extension->Kind == ekComment && extension->Lines.Count() == 0;
    });
    if (!FExtensions.empty())
        FOwner->FormatVersion = 2;
}
